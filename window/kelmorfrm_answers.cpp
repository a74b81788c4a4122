// TKelmorFrm: editing the answer list. Adding the entered answer
// (AddAnswerButtonClick), removing the selected one (DeleteAnswerButtonClick and the
// Del key, AnswersKeyDown), taking one back into the entry field (AnswersDblClick)
// and reordering by dragging (AnswersMouseDown, AnswersDragOver, AnswersDragDrop) or
// by Alt+Up and Alt+Down (AnswersKeyDown).
// Every change of the list is an edit of the record, and the right answer moves with
// the answer it names (AnswersEdited).
#include <QPushButton>

#include "editfield.h"
#include "kelmorfrm.h"

namespace {
constexpr int MaxAnswers = 5;
}  // namespace

void TKelmorFrm::AddAnswerButtonClick(QObject *)
{
    if (Answers->count() >= MaxAnswers) {
        // "müsser" and the missing verb are the program's text as users know it.
        FSeam->MessageDlg(QStringLiteral("Die maximal zulässige Antwortzahl ist erreicht.\r"
                                         "Sie müsser zuerst eine Antwort, um wieder Platz\rzu schaffen."),
                          TMsgDlgType::mtInformation, TMsgDlgBtn::mbOK);
        return;
    }
    auto *answer = new QListWidgetItem(AnswerEdit->text());
    // An answer taken back and added unchanged keeps the bytes it came with;
    // StoreRecord uses them only while the text is still what they show.
    if (!FTakenBackAnswer.isEmpty())
        answer->setData(TAnswerList::OriginalOemRole, FTakenBackAnswer);
    FTakenBackAnswer.clear();
    Answers->addItem(answer);
    AnswerEdit->clear();
    UpdateAnswerOptions();
    AnswersEdited();
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
    // The choices stay enabled until the next add, removal or record; a right
    // answer taken back is no longer the right one when it comes back at the end.
    const QListWidgetItem *answer = Answers->item(row);
    FTakenBackAnswer = answer->data(TAnswerList::OriginalOemRole).toByteArray();
    AnswerEdit->setText(answer->text());
    Answers->RemoveRow(row);
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
