// TKelmorFrm: finding text in the records. Find (Suchen1Click) asks with the search
// form and searches, Find next (Weitersuchen1Click) goes on from the last hit. A hit
// is gone to as go to goes to a record, then shown selected in its field.
#include <QComboBox>
#include <QListWidget>

#include "editfield.h"
#include "finddialog.h"
#include "kelmorfrm.h"

void TKelmorFrm::Suchen1Click(QObject *)
{
    if (FindDialog == nullptr)
        FindDialog = new TFindDialog(*FSeam, this);
    if (FSeam->ShowModal(*FindDialog) != QDialog::Accepted)
        return;
    const TSearchOptions options = FindDialog->Options();
    FindDialog->RememberSearch(options.Text);
    FLastSearch = options;
    FLastHit.reset();
    if (!FIsFileLoaded || !options.SearchesAnything())
        return;
    const bool fromEnd = options.Backward;
    RunSearch({options.FromStart ? (fromEnd ? QFile->Count() - 1 : 0) : QFile->Index, std::nullopt});
}

void TKelmorFrm::Weitersuchen1Click(QObject *Sender)
{
    if (!FLastSearch) {
        Suchen1Click(Sender);
        return;
    }
    if (!FIsFileLoaded || !FLastSearch->SearchesAnything())
        return;
    // Away from the last hit's record, the search goes on from the record shown.
    if (FLastHit && FLastHit->Record == QFile->Index)
        RunSearch({QFile->Index, FLastHit});
    else if (FLastSearch->FromStart && !FLastHit)
        RunSearch({FLastSearch->Backward ? QFile->Count() - 1 : 0, std::nullopt});
    else
        RunSearch({QFile->Index, std::nullopt});
}

TFormTexts TKelmorFrm::FormTexts() const
{
    TFormTexts texts;
    texts[sfQuestion1] = Question1->text();
    texts[sfQuestion2] = Question2->text();
    texts[sfQuestion3] = Question3->text();
    texts[sfComment] = CommentEdit->text();
    for (int row = 0; row < Answers->count() && sfAnswer1 + row <= sfAnswer5; ++row)
        texts[static_cast<std::size_t>(sfAnswer1 + row)] = Answers->item(row)->text();
    return texts;
}

void TKelmorFrm::RunSearch(const TSearchStart &start)
{
    // The answers are searched, and a hit among them shown, at the rows they have
    // once the entry field's text is back in the list.
    PutBackAnswerEntry();
    const std::optional<TSearchHit> hit = FindInDocument(*QFile, QFile->Index, FormTexts(), *FLastSearch, start);
    if (!hit) {
        FSeam->MessageDlg(QStringLiteral("Der Suchbegriff \"") + FLastSearch->Text +
                              QStringLiteral("\" wurde nicht gefunden."),
                          TMsgDlgType::mtInformation, TMsgDlgBtn::mbOK);
        return;
    }
    FLastHit = hit;
    StoreRecord();
    QFile->MoveBy(hit->Record - QFile->Index);
    ShowRecord();
    UpdateNavigation();
    ShowHit(*hit);
}

void TKelmorFrm::ShowHit(const TSearchHit &hit)
{
    if (hit.Field >= sfAnswer1) {
        Answers->setCurrentRow(hit.Field - sfAnswer1);
        Answers->setFocus(Qt::OtherFocusReason);
        return;
    }
    TEditField *const fields[] = {Question1, Question2, Question3, CommentEdit};
    TEditField *field = fields[hit.Field];
    field->setFocus(Qt::OtherFocusReason);
    field->setSelection(hit.Start, hit.Length);
}
