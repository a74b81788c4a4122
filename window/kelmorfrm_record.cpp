// TKelmorFrm: the record form. Putting a document in (InstallDocument), showing the
// current record (ShowRecord), storing what the user changed back into it
// (StoreRecord), and keeping track of those changes (LevelPicked, RightAnswerPicked,
// AnswersEdited).
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "documenthistory.h"
#include "editfield.h"
#include "kelmorfrm.h"
#include "textedge.h"
#include "texthelpers.h"

namespace {
constexpr int kOriginalOemRole = TAnswerList::kOriginalOemRole;
constexpr int kRightAnswerRole = TAnswerList::kRightAnswerRole;
}  // namespace

void TKelmorFrm::InstallDocument(std::unique_ptr<TMirolaFile> doc)
{
    // The steps of the last document point into it.
    StartHistory();
    QFile = std::move(doc);
    FLastHit.reset();
    SetIsFileLoaded(true);
    UpdateNavigation();
    ShowRecord();
    RefreshChangedMark();
}

namespace {

// Checks `checked` alone among `group`, or none. Auto-exclusive buttons refuse to
// uncheck the last checked one, and a value that names no choice must leave every
// choice unchecked, so that picking any of them is a change.
void CheckOnly(std::initializer_list<QRadioButton *> group, const QRadioButton *checked)
{
    for (QRadioButton *choice : group)
        choice->setAutoExclusive(false);
    for (QRadioButton *choice : group)
        choice->setChecked(choice == checked);
    for (QRadioButton *choice : group)
        choice->setAutoExclusive(true);
}

}  // namespace

void TKelmorFrm::SetRightAnswerChecks(char16_t code)
{
    const QRadioButton *checked = nullptr;
    for (const TRightAnswerChoice &choice : kRightAnswerChoices) {
        if (code == choice.Code)
            checked = this->*choice.Button;
    }
    CheckOnly({ARadioButton, BRadioButton, CRadioButton, DRadioButton, ERadioButton, SchwarzerPeterRadioButton,
               AllesRichtigRadioButton, AllesFalschRadioButton},
              checked);
}

void TKelmorFrm::ShowRecord()
{
    const QScopedValueRollback<bool> programSets(FShowingRecord, true);
    FFormEdits = {};
    FFormHasEdits = false;
    FRightAnswerIsAnswer = false;
    // The entry field belongs to the record shown.
    ForgetTakenBackAnswer();
    AnswerEdit->setText(QString());
    try {
        const TMirolaDatensatz &rec = QFile->DatRec;
        TEditField *const fields[] = {Question1, Question2, Question3, CommentEdit};
        const std::string_view texts[] = {rec.Question[0].view(), rec.Question[1].view(), rec.Question[2].view(),
                                          rec.Comment.view()};
        for (std::size_t i = 0; i < FShownTexts.size(); ++i) {
            fields[i]->setText(OemToQString(texts[i]));
            // As the field holds it: a field may not take every character as given.
            FShownTexts[i] = fields[i]->text();
        }

        Answers->clear();
        const int rightSlot = RightAnswerSlot(rec.theletter);
        int rightRow = -1;
        for (int slot = 0; slot < 5; ++slot) {
            const auto &answer = rec.Answers[slot];
            if (!answer.empty()) {
                auto *item = new QListWidgetItem(OemToQString(answer.view()));
                item->setData(kOriginalOemRole, QByteArray(answer.view().data(), qsizetype(answer.view().size())));
                if (slot == rightSlot) {
                    item->setData(kRightAnswerRole, true);
                    FRightAnswerIsAnswer = true;
                    rightRow = Answers->count();
                }
                Answers->addItem(item);
            }
        }

        // The choice of the row the right answer has in the list, which empty slots
        // before it make another than its letter's. A letter of an empty slot checks
        // no choice where that choice's row shows another answer.
        char16_t shownCode = rec.theletter;
        if (rightRow >= 0)
            shownCode = char16_t(u'a' + rightRow);
        else if (rightSlot >= 0 && rightSlot < Answers->count())
            shownCode = 0;
        SetRightAnswerChecks(shownCode);

        // A level outside A to D shows as none rather than as the last record's.
        const int level = LevelNumber(rec.level);
        CheckOnly({LevelItems[0], LevelItems[1], LevelItems[2], LevelItems[3]},
                  level >= 0 ? LevelItems[static_cast<std::size_t>(level)] : nullptr);

        UpdateAnswerOptions();
    } catch (...) {
        FSeam->ShowMessage(QStringLiteral("Ein Lesefehler ist aufgetreten!"));
    }
}

void TKelmorFrm::StoreRecord()
{
    PutBackAnswerEntry();
    const TMirolaDatensatz before = QFile->DatRec;
    TMirolaDatensatz after = before;
    // Whatever ends the writing, what was written is a step: it can be undone.
    const auto recordStep = [this, &before, &after] {
        if (after != before)
            DocumentChanged(new TRecordEditStep(*QFile, QFile->Index, before, after));
    };
    try {
        WriteForm(after);
    } catch (...) {
        recordStep();
        throw;
    }
    // What the record holds now is what a later edit is measured against: a text
    // typed back to what it was shown as is a change once more.
    TEditField *const fields[] = {Question1, Question2, Question3, CommentEdit};
    for (std::size_t i = 0; i < FShownTexts.size(); ++i)
        FShownTexts[i] = fields[i]->text();
    FFormHasEdits = false;
    recordStep();
    RefreshChangedMark();
}

void TKelmorFrm::WriteForm(TMirolaDatensatz &rec)
{
    // An error in the texts ends the command that stores them; the rest of the
    // record is guarded and reported on its own.
    TEditField *const fields[] = {Question1, Question2, Question3, CommentEdit};
    for (std::size_t i = 0; i < FShownTexts.size(); ++i) {
        const QString text = fields[i]->text();
        if (text == FShownTexts[i] && !FFormEdits.NewRecord)
            continue;
        if (i < 3)
            rec.Question[i] = QStringToOem(text);  // cut to 50 bytes
        else
            rec.Comment = QStringToOem(text);  // cut to 35 bytes
    }

    try {
        const bool whole = FFormEdits.NewRecord;
        // Answers are written closed up, as the list shows them, only once the user
        // changed the list.
        if (whole || FFormEdits.Answers) {
            for (int slot = 0; slot < 5; ++slot) {
                if (slot < Answers->count()) {
                    const QListWidgetItem *item = Answers->item(slot);
                    const QByteArray original = item->data(kOriginalOemRole).toByteArray();
                    rec.Answers[slot] =
                        QStringToOemKeeping(item->text(), std::string_view(original.constData(), original.size()));
                } else {
                    rec.Answers[slot].clear();
                }
            }
        }
        if (whole || FFormEdits.RightAnswer || FFormEdits.Answers) {
            for (const TRightAnswerChoice &choice : kRightAnswerChoices) {
                if ((this->*choice.Button)->isChecked()) {
                    // A capital letter still naming its answer's slot stays as the
                    // author wrote it, unless a choice was picked.
                    const bool keepCapital = !FFormEdits.RightAnswer && RightAnswerSlot(rec.theletter) >= 0 &&
                                             rec.theletter == AsciiUpper(choice.Code);
                    if (!keepCapital)
                        rec.theletter = choice.Code;
                    break;
                }
            }
        }
        if (whole || FFormEdits.Level) {
            for (std::size_t i = 0; i < LevelItems.size(); ++i) {
                if (LevelItems[i]->isChecked()) {
                    rec.level = static_cast<char16_t>(u'A' + i);
                    break;
                }
            }
        }
    } catch (...) {
        FSeam->ShowMessage(QStringLiteral("Es ist ein Schreibfehler aufgetreten!"));
    }
}

void TKelmorFrm::LevelPicked()
{
    FFormEdits.Level = true;
    DocumentChanged();
}

bool TKelmorFrm::AnswersHaveGaps() const
{
    if (!QFile)
        return false;
    const auto &answerSlots = QFile->DatRec.Answers;
    for (int slot = 0; slot < Answers->count(); ++slot) {
        if (answerSlots[slot].empty())
            return true;
    }
    return false;
}

void TKelmorFrm::RightAnswerPicked(char16_t code)
{
    FFormEdits.RightAnswer = true;
    // The author chose anew: an answer taken back comes back as any other.
    FTakenBackWasRight = false;
    const int row = code >= u'a' && code <= u'e' ? code - u'a' : -1;
    // A letter names the answer the user sees at its place; with empty slots between
    // the answers that is another slot, so the answers are written closed up.
    if (row >= 0 && !FFormEdits.Answers && AnswersHaveGaps())
        FFormEdits.Answers = true;
    FRightAnswerIsAnswer = row >= 0 && row < Answers->count();
    for (int i = 0; i < Answers->count(); ++i)
        Answers->item(i)->setData(kRightAnswerRole, i == row ? QVariant(true) : QVariant());
    DocumentChanged();
}

void TKelmorFrm::AnswersEdited()
{
    FFormEdits.Answers = true;
    if (FRightAnswerIsAnswer) {
        int row = Answers->count() - 1;
        while (row >= 0 && !Answers->item(row)->data(kRightAnswerRole).toBool())
            --row;
        // No other answer may become the right one behind the user's back.
        if (row < 0)
            FRightAnswerIsAnswer = false;
        const QScopedValueRollback<bool> programSets(FShowingRecord, true);
        SetRightAnswerChecks(row >= 0 ? char16_t(u'a' + row) : u'x');
    }
    DocumentChanged();
}
