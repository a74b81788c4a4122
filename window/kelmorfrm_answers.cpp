// TKelmorFrm: editing the answer list. Adding the entered answer
// (AddAnswerButtonClick), putting text left in the entry field back before the
// record is stored (PutBackAnswerEntry), removing the selected one
// (DeleteAnswerButtonClick and the Del key, AnswersKeyDown), taking one back into the
// entry field (AnswersDblClick), reordering by dragging (AnswersMouseDown,
// AnswersDragOver, AnswersDragDrop) or by Alt+Up and Alt+Down (AnswersKeyDown), and
// keeping an edit made in place (AnswerEditedInPlace).
// Every change of the list is an edit of the record, and the right answer moves with
// the answer it names (AnswersEdited).
#include <QPushButton>
#include <QScopedValueRollback>

#include "bevelpanel.h"
#include "editfield.h"
#include "kelmorfrm.h"

namespace {
constexpr int kMaxAnswers = 5;
}  // namespace

void TKelmorFrm::AddAnswerButtonClick(QObject *)
{
    if (Answers->count() >= kMaxAnswers) {
        // "müsser" and the missing verb are the program's text as users know it.
        FSeam->MessageDlg(QStringLiteral("Die maximal zulässige Antwortzahl ist erreicht.\r"
                                         "Sie müsser zuerst eine Antwort, um wieder Platz\rzu schaffen."),
                          TMsgDlgType::mtInformation, TMsgDlgBtn::mbOK);
        return;
    }
    auto *answer = new QListWidgetItem(AnswerEdit->text());
    // An answer taken back and added unchanged keeps the bytes it came with;
    // StoreRecord uses them only while the text is still what they show. The right
    // answer taken back stays the right one, edited or not.
    if (FTakenBackRow >= 0) {
        answer->setData(TAnswerList::kOriginalOemRole, FTakenBackAnswer);
        if (FTakenBackWasRight) {
            answer->setData(TAnswerList::kRightAnswerRole, true);
            FRightAnswerIsAnswer = true;
        }
    }
    ForgetTakenBackAnswer();
    Answers->addItem(answer);
    // Unlike clear(), setText leaves the field nothing of its own to undo: the next
    // undo takes the answer out of the list, rather than typing it in again.
    AnswerEdit->setText(QString());
    UpdateAnswerOptions();
    AnswersEdited();
}

void TKelmorFrm::ForgetTakenBackAnswer()
{
    FTakenBackAnswer.clear();
    FTakenBackRow = -1;
    FTakenBackWasRight = false;
}

int TKelmorFrm::PutBackAnswerEntry()
{
    if (FKeepAnswerEntry)
        return -1;
    const QString text = AnswerEdit->text();
    int row = -1;
    if (!text.isEmpty() && Answers->count() >= kMaxAnswers) {
        HintPanel->setText(QStringLiteral("Antwort „%1“ verworfen: kein Platz für eine sechste Antwort.").arg(text));
    } else if (!text.isEmpty()) {
        auto *answer = new QListWidgetItem(text);
        row = Answers->count();
        if (FTakenBackRow >= 0) {
            row = qMin(FTakenBackRow, row);
            answer->setData(TAnswerList::kOriginalOemRole, FTakenBackAnswer);
            if (FTakenBackWasRight) {
                answer->setData(TAnswerList::kRightAnswerRole, true);
                FRightAnswerIsAnswer = true;
            }
        }
        Answers->insertItem(row, answer);
    }
    ForgetTakenBackAnswer();
    {
        const QScopedValueRollback<bool> programSets(FShowingRecord, true);
        AnswerEdit->setText(QString());
    }
    if (row >= 0) {
        UpdateAnswerOptions();
        AnswersEdited();
    }
    return row;
}

void TKelmorFrm::AnswerEditedInPlace()
{
    // The edit is a step of its own, with what else the form holds; the entry field
    // is still being written in and stays as it is.
    const QScopedValueRollback<bool> keepEntry(FKeepAnswerEntry, true);
    FFormEdits.Answers = true;
    DocumentChanged();
    StoreRecord();
}

void TKelmorFrm::RemoveSelectedAnswer()
{
    if (const int row = Answers->SelectedRow(); row >= 0) {
        Answers->RemoveRow(row);
        UpdateAnswerOptions();
        AnswersEdited();
    }
    DeleteAnswerButton->setEnabled(false);
}

void TKelmorFrm::DeleteAnswerButtonClick(QObject *)
{
    RemoveSelectedAnswer();
}

void TKelmorFrm::AnswersKeyDown(QObject *, int Key, Qt::KeyboardModifiers Shift)
{
    if (Key == Qt::Key_Delete)
        RemoveSelectedAnswer();
    // Alt+Up and Alt+Down reorder as a drag by one place does.
    if ((Key == Qt::Key_Up || Key == Qt::Key_Down) && (Shift & Qt::AltModifier) &&
        Answers->MoveSelectedBy(Key == Qt::Key_Up ? -1 : 1))
        AnswersEdited();
}

void TKelmorFrm::AnswersDblClick(QObject *)
{
    const int row = Answers->SelectedRow();
    if (row < 0)
        return;
    // The choices stay enabled until the next add, removal or record.
    const QListWidgetItem *answer = Answers->item(row);
    const QString text = answer->text();
    const QByteArray bytes = answer->data(TAnswerList::kOriginalOemRole).toByteArray();
    const bool wasRight = answer->data(TAnswerList::kRightAnswerRole).toBool();
    Answers->RemoveRow(row);
    // An answer taken back before goes back to its place rather than be lost to this
    // one; typed text is replaced, as it always was.
    const int putBack = FTakenBackRow >= 0 ? PutBackAnswerEntry() : -1;
    FTakenBackAnswer = bytes;
    FTakenBackRow = putBack >= 0 && putBack <= row ? row + 1 : row;
    FTakenBackWasRight = wasRight;
    AnswerEdit->setText(text);
    AnswersEdited();
}

void TKelmorFrm::AnswersMouseDown(QObject *, Qt::MouseButton Button, Qt::KeyboardModifiers, int Row)
{
    if (Button == Qt::LeftButton && Row >= 0)
        Answers->BeginDrag();
}

void TKelmorFrm::AnswersDragOver(QObject *, QObject *Source, int, bool &Accept)
{
    Accept = qobject_cast<QListWidget *>(Source) != nullptr;
}

void TKelmorFrm::AnswersDragDrop(QObject *, QObject *, int Row)
{
    const int dragged = Answers->SelectedRow();
    // No answer is selected after the second press of a double click, whose answer
    // went into the entry field.
    if (dragged < 0 || dragged == Row)
        return;
    // Dropped on an answer it takes that answer's place; below the answers it goes
    // last.
    const int target = Row >= 0 ? Row : Answers->count() - 1;
    Answers->MoveRow(dragged, target);
    if (target != dragged)
        AnswersEdited();
}
