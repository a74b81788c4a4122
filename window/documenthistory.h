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

// A step of the history: redo() makes its change in the document and undo() takes
// it back. QUndoStack::push runs redo(), so a command changes the document by
// pushing a step, and every command has that one path. A step holds only what is
// not in the document at the time: the records it took out, the texts it replaced.
class TDocumentStep : public QUndoCommand {
public:
    explicit TDocumentStep(TMirolaFile &doc) : FDoc(doc) {}

protected:
    TMirolaFile &FDoc;
};

// The stored edits of one record: its texts, level, right answer and answers.
class TRecordEditStep : public TDocumentStep {
public:
    TRecordEditStep(TMirolaFile &doc, std::int32_t index, const TMirolaDatensatz &before,
                    const TMirolaDatensatz &after);
    void redo() override;
    void undo() override;

private:
    std::int32_t FIndex;
    TMirolaDatensatz FBefore;
    TMirolaDatensatz FAfter;
};

// A new record added at the end of the list. Undo leaves the cursor where it was
// before, or on the last record when that place has gone.
class TAddRecordStep : public TDocumentStep {
public:
    explicit TAddRecordStep(TMirolaFile &doc);
    void redo() override;
    void undo() override;

private:
    std::int32_t FIndexBefore;
    std::int32_t FPosition;
    // The new record while it is out of the list. Undo takes it as it stands: the
    // form writes a new record whole once it shows it, so that is how redo must
    // bring it back.
    TRecordList FAdded;
};

// The record at a place deleted. Redo leaves the cursor on the last record, as
// Delete does; undo on the record put back.
class TDeleteRecordStep : public TDocumentStep {
public:
    TDeleteRecordStep(TMirolaFile &doc, std::int32_t index);
    void redo() override;
    void undo() override;

private:
    std::int32_t FIndex;
    TRecordList FDeleted;  // while it is out of the list
};

// The header texts as the file information dialog left them.
class THeaderStep : public TDocumentStep {
public:
    THeaderStep(TMirolaFile &doc, const THeaderTexts &before, const THeaderTexts &after);
    void redo() override { FAfter.ApplyTo(FDoc); }
    void undo() override { FBefore.ApplyTo(FDoc); }

private:
    THeaderTexts FBefore;
    THeaderTexts FAfter;
};
