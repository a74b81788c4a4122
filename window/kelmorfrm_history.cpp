// TKelmorFrm: the document's history. Every change of the document goes through
// DocumentChanged, either as an edit still in the form or as a step of the history,
// which makes the change when it is pushed; the changed mark follows both, and undo
// and redo walk the steps.
#include <memory>

#include <QAction>
#include <QUndoStack>

#include "documenthistory.h"
#include "editfield.h"
#include "filenames.h"
#include "kelmorfrm.h"
#include "recentfiles.h"

void TKelmorFrm::BuildHistory()
{
    FHistory = new QUndoStack(this);
    // A session of thousands of edits stays within a few megabytes: a step holds at
    // most two records.
    FHistory->setUndoLimit(10000);
}

void TKelmorFrm::DocumentChanged(TDocumentStep *step)
{
    if (step != nullptr) {
        // The stack owns a step once it holds it; a step whose change fails (push
        // makes it) never gets there.
        std::unique_ptr<TDocumentStep> owned(step);
        FHistory->push(step);
        owned.release();
    } else {
        FFormHasEdits = true;
    }
    RefreshChangedMark();
}

void TKelmorFrm::RefreshChangedMark()
{
    const bool loaded = FIsFileLoaded && QFile;
    SetIsChanged(loaded && (FFormHasEdits || !FHistory->isClean()));
    EnableCommand(Rckgngig1, loaded && (FFormHasEdits || FHistory->canUndo()));
    EnableCommand(Wiederherstellen1, loaded && FHistory->canRedo());
    DocumentCheckDue();
}

void TKelmorFrm::StartHistory()
{
    FHistory->clear();
    FFormHasEdits = false;
    RefreshChangedMark();
}

void TKelmorFrm::MarkSaved()
{
    const std::string file = FullLocalPathOf(DocumentFile());
    FFileStamp = TFileStamp::Take(file);
    NoteRecentFile(file);
    RefreshRecentFiles();
    FFormHasEdits = false;
    FHistory->setClean();
    RefreshChangedMark();
}

void TKelmorFrm::StepThroughHistory(bool back)
{
    if (!FIsFileLoaded)
        return;
    // A field's own typing is undone first, as in any text field; the document's
    // steps come after.
    if (TEditField *field = FocusedEditField()) {
        if (back && field->isUndoAvailable()) {
            field->undo();
            RecheckFormEdits();
            return;
        }
        if (!back && field->isRedoAvailable()) {
            field->redo();
            RecheckFormEdits();
            return;
        }
    }
    // What was typed becomes a step first, so undo takes it back rather than losing it.
    StoreRecord();
    if (back)
        FHistory->undo();
    else
        FHistory->redo();
    FLastHit.reset();
    UpdateNavigation();
    ShowRecord();
    RefreshChangedMark();
}

void TKelmorFrm::RecheckFormEdits()
{
    if (!FIsFileLoaded || !QFile)
        return;
    // Typing undone back to the record as it was shown or stored leaves nothing to
    // store: the changed mark then follows the history alone.
    bool edits = !AnswerEdit->text().isEmpty();
    const TEditField *const fields[] = {Question1, Question2, Question3, CommentEdit};
    for (std::size_t i = 0; i < FShownTexts.size(); ++i)
        edits = edits || fields[i]->text() != FShownTexts[i];
    if (!edits) {
        TMirolaDatensatz rec = QFile->DatRec;
        WriteForm(rec);
        edits = rec != QFile->DatRec;
    }
    FFormHasEdits = edits;
    RefreshChangedMark();
}

void TKelmorFrm::Rckgngig1Click(QObject *)
{
    StepThroughHistory(true);
}

void TKelmorFrm::Wiederherstellen1Click(QObject *)
{
    StepThroughHistory(false);
}
