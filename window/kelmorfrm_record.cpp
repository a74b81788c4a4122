// TKelmorFrm: the record form. Putting a document in (InstallDocument), showing the
// current record (ShowRecord) and storing the form back into it (StoreRecord).
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "editfield.h"
#include "kelmorfrm.h"
#include "textedge.h"

namespace {
constexpr int OriginalOemRole = TAnswerList::OriginalOemRole;
}  // namespace

void TKelmorFrm::InstallDocument(std::unique_ptr<TMirolaFile> doc)
{
    QFile = std::move(doc);
    FLastHit.reset();
    SetIsFileLoaded(true);
    UpdateNavigation();
    ShowRecord();
}

void TKelmorFrm::SetRightAnswerChecks(char16_t code)
{
    // Auto-exclusive buttons refuse to uncheck the last checked one, and a code that
    // names no choice must leave all eight unchecked.
    for (const TRightAnswerChoice &choice : RightAnswerChoices)
        (this->*choice.Button)->setAutoExclusive(false);
    for (const TRightAnswerChoice &choice : RightAnswerChoices)
        (this->*choice.Button)->setChecked(code == choice.Code);
    for (const TRightAnswerChoice &choice : RightAnswerChoices)
        (this->*choice.Button)->setAutoExclusive(true);
}

void TKelmorFrm::ShowRecord()
{
    const QScopedValueRollback<bool> programSets(FShowingRecord, true);
    try {
        const TMirolaDatensatz &rec = QFile->DatRec;
        TEditField *const lines[] = {Question1, Question2, Question3};
        for (std::size_t i = 0; i < 3; ++i)
            lines[i]->setText(OemToQString(rec.Question[i].view()));
        CommentEdit->setText(OemToQString(rec.Comment.view()));

        Answers->clear();
        for (const auto &answer : rec.Answers) {
            if (!answer.empty()) {
                auto *item = new QListWidgetItem(OemToQString(answer.view()));
                item->setData(OriginalOemRole, QByteArray(answer.view().data(), qsizetype(answer.view().size())));
                Answers->addItem(item);
            }
        }

        SetRightAnswerChecks(rec.theletter);

        char16_t level = rec.level;
        if (level >= u'a' && level <= u'z')
            level = static_cast<char16_t>(level - u'a' + u'A');
        if (level >= u'A' && level <= u'D')
            LevelItems[level - u'A']->setChecked(true);

        UpdateAnswerOptions();
    } catch (...) {
        FSeam->ShowMessage(QStringLiteral("Ein Lesefehler ist aufgetreten!"));
    }
}

void TKelmorFrm::StoreRecord()
{
    TMirolaDatensatz &rec = QFile->DatRec;
    // An error in the texts ends the command that stores them; the rest of the
    // record is guarded and reported on its own.
    // The buffer still holds what the fields were filled from, so a text left as it
    // was keeps its bytes, also those the window's code page lacks.
    TEditField *const lines[] = {Question1, Question2, Question3};
    for (std::size_t i = 0; i < 3; ++i)
        rec.Question[i] = QStringToOemKeeping(lines[i]->text(), rec.Question[i].view());
    rec.Comment = QStringToOemKeeping(CommentEdit->text(), rec.Comment.view());

    try {
        for (int slot = 0; slot < 5; ++slot) {
            if (slot < Answers->count()) {
                const QListWidgetItem *item = Answers->item(slot);
                const QByteArray original = item->data(OriginalOemRole).toByteArray();
                rec.Answers[slot] =
                    QStringToOemKeeping(item->text(), std::string_view(original.constData(), original.size()));
            } else {
                rec.Answers[slot].clear();
            }
        }
        for (const TRightAnswerChoice &choice : RightAnswerChoices) {
            if ((this->*choice.Button)->isChecked()) {
                rec.theletter = choice.Code;
                break;
            }
        }
        for (std::size_t i = 0; i < LevelItems.size(); ++i) {
            if (LevelItems[i]->isChecked()) {
                rec.level = static_cast<char16_t>(u'A' + i);
                break;
            }
        }
    } catch (...) {
        FSeam->ShowMessage(QStringLiteral("Es ist ein Schreibfehler aufgetreten!"));
    }
}
