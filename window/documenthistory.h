#pragma once
// The steps of the document's history, for undo and redo. A step holds only what it
// changed (a record or the header texts), so a long session's history stays small.
// Each step leaves the document's cursor on the record it changed; the window shows
// that record afterwards.
#include <QUndoCommand>
#include <string>

#include "mirolafile.h"

// The header texts the file information dialog edits.
struct THeaderTexts {
    TShortString<36> Title;
    std::string AutorInfo;
    std::string CopyrightInfo;

    static THeaderTexts Of(const TMirolaFile &doc);
    void ApplyTo(TMirolaFile &doc) const;
};

// A step made of a change the window has already applied: pushing it does nothing
// to the document, only redoing it later does.
class TDocumentStep : public QUndoCommand {
public:
    explicit TDocumentStep(TMirolaFile &doc) : FDoc(doc) {}
    void redo() final;
    void undo() final { Revert(); }

protected:
    virtual void Apply() = 0;
    virtual void Revert() = 0;
    TMirolaFile &FDoc;

private:
    bool FApplied = true;
};

// The stored edits of one record: its texts, level, right answer and answers.
class TRecordEditStep : public TDocumentStep {
public:
    TRecordEditStep(TMirolaFile &doc, std::int32_t index, const TMirolaDatensatz &before,
                    const TMirolaDatensatz &after);

protected:
    void Apply() override;
    void Revert() override;

private:
    std::int32_t FIndex;
    TMirolaDatensatz FBefore;
    TMirolaDatensatz FAfter;
};

// A record added at the end of the list.
class TAddRecordStep : public TDocumentStep {
public:
    TAddRecordStep(TMirolaFile &doc, std::int32_t indexBefore, const TMirolaDatensatz &added);

protected:
    void Apply() override;
    void Revert() override;

private:
    std::int32_t FIndexBefore;
    TMirolaDatensatz FAdded;
};

// A record deleted from its place.
class TDeleteRecordStep : public TDocumentStep {
public:
    TDeleteRecordStep(TMirolaFile &doc, std::int32_t index, const TMirolaDatensatz &deleted);

protected:
    void Apply() override;
    void Revert() override;

private:
    std::int32_t FIndex;
    TMirolaDatensatz FDeleted;
};

// The header texts as the file information dialog left them.
class THeaderStep : public TDocumentStep {
public:
    THeaderStep(TMirolaFile &doc, const THeaderTexts &before, const THeaderTexts &after);

protected:
    void Apply() override { FAfter.ApplyTo(FDoc); }
    void Revert() override { FBefore.ApplyTo(FDoc); }

private:
    THeaderTexts FBefore;
    THeaderTexts FAfter;
};
