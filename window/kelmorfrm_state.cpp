// TKelmorFrm: the window's state. The setters of IsFileLoaded, IsChanged and
// CurSelText, UpdateNavigation and UpdateAnswerOptions, the hint line (AppHint), the
// shortcuts of hidden items, and the handlers CommentEditChange, AnswerEditChange,
// Question1MouseUp, AnswerEditExit, FormActivate and AnswersClick.
#include <QAction>
#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QToolButton>

#include "bevelpanel.h"
#include "designscale.h"
#include "editfield.h"
#include "hinttracker.h"
#include "kelmorfrm.h"
#include "textedge.h"

namespace {

constexpr const char *kItemEnabledProperty = "Enabled";

// Whether the item can be seen in the menu bar: it and every menu above it shown.
bool ShownInMenuBar(const QAction *item)
{
    if (!item->isVisible())
        return false;
    for (const QObject *holder : item->associatedObjects()) {
        if (qobject_cast<const QMenuBar *>(holder) != nullptr)
            return true;
        if (const auto *menu = qobject_cast<const QMenu *>(holder))
            return ShownInMenuBar(menu->menuAction());
    }
    return false;
}

}  // namespace

void TKelmorFrm::SetIsFileLoaded(bool value)
{
    FIsFileLoaded = value;
    if (value)
        UseFieldFonts();
    for (QAction *item : {Bearbeiten1->menuAction(), Datensatz1->menuAction(), Speichern1, Speichernunter1, N10,
                          Exportieren1, N2, Schlieen1})
        item->setVisible(value);
    for (QWidget *control : std::initializer_list<QWidget *>{
             SaveButton, CutButton, CopyButton, PasteButton, FilePropButton, FirstButton, PreviousButton, NextButton,
             LastButton, AddButton, DeleteButton, PostButton, MainPanel, NumberOfPanel, IndexPanel})
        control->setVisible(value);
    // Adding a record and saving under another name are always possible with a
    // document; neither depends on unsaved changes.
    EnableCommand(Hinzufgen1, value);
    EnableCommand(Speichernunter1, value);
    SetHint(this, value ? QString() : kEmptyStateHint);
    LayoutStatusLine();
    SyncHiddenItemShortcuts();
}

void TKelmorFrm::SetIsChanged(bool value)
{
    FIsChanged = value;
    EnableCommand(Speichern1, value);
    EnableCommand(bernehmen1, value);
}

void TKelmorFrm::SetCurSelText(const QString &value)
{
    FCurSelText = value;
    const bool selected = !value.isEmpty();
    EnableCommand(Ausschneiden1, selected);
    EnableCommand(Ausschneiden2, selected);
    EnableCommand(Kopieren1, selected);
    EnableCommand(Kopieren2, selected);
}

void TKelmorFrm::UpdateNavigation()
{
    const std::int32_t i = QFile->Index;
    const std::int32_t n = QFile->Count();
    EnableCommand(Erster1, i > 0);
    EnableCommand(Voriger1, i > 0);
    EnableCommand(Nchster1, i < n - 1);
    EnableCommand(Letzter1, i < n - 1);
    EnableCommand(Entfernen1, n > 0);
    EnableCommand(bernehmen1, FIsChanged);
    NumberOfPanel->setText(QStringLiteral("Datensätze: %1").arg(n));
    IndexPanel->setText(QStringLiteral("Datensatz Nr. %1").arg(static_cast<qint64>(i) + 1));
}

void TKelmorFrm::UpdateAnswerOptions()
{
    const int k = Answers->count();
    ARadioButton->setEnabled(k >= 1);
    BRadioButton->setEnabled(k >= 2);
    CRadioButton->setEnabled(k >= 3);
    DRadioButton->setEnabled(k >= 4);
    ERadioButton->setEnabled(k >= 5);
    SchwarzerPeterRadioButton->setEnabled(k >= 1);
    AllesRichtigRadioButton->setEnabled(k >= 1);
    AllesFalschRadioButton->setEnabled(k >= 1);
}

void TKelmorFrm::LayoutStatusLine()
{
    // A record file may hold more records than the drawn widths leave room for, so
    // the two number panels grow with the captions UpdateNavigation gives them, and
    // the hint line takes the rest: the record form's hints are long.
    for (TBevelPanel *panel : {NumberOfPanel, IndexPanel})
        connect(panel, &TBevelPanel::CaptionChanged, this, &TKelmorFrm::LayoutStatusLine, Qt::UniqueConnection);
    const auto widthFor = [](const TBevelPanel *panel, int designWidth) {
        const QMargins bevel = panel->contentsMargins();
        const int caption = panel->fontMetrics().horizontalAdvance(panel->text()) + bevel.left() + bevel.right();
        return qMax(design::Scaled(designWidth), caption);
    };
    const QRect inner = Panel2->rect().adjusted(1, 1, -1, -1);
    const int indexWidth = widthFor(IndexPanel, 168);
    const int numberWidth = widthFor(NumberOfPanel, 161);
    IndexPanel->setGeometry(inner.right() + 1 - indexWidth, inner.top(), indexWidth, inner.height());
    NumberOfPanel->setGeometry(IndexPanel->x() - numberWidth, inner.top(), numberWidth, inner.height());
    if (FIsFileLoaded)
        HintPanel->setGeometry(inner.left(), inner.top(), qMax(0, NumberOfPanel->x() - inner.left()), inner.height());
    else
        HintPanel->setGeometry(inner);
}

void TKelmorFrm::EnableCommand(QAction *item, bool enabled)
{
    // Qt reports a hidden item as disabled, whatever it was set to; the shortcut
    // of a hidden item needs the value set.
    item->setProperty(kItemEnabledProperty, enabled);
    item->setEnabled(enabled);
    for (const auto &[twinItem, button] : FTwins) {
        if (twinItem == item)
            button->setEnabled(enabled);
    }
}

bool TKelmorFrm::ItemEnabled(const QAction *item)
{
    const QVariant enabled = item->property(kItemEnabledProperty);
    return !enabled.isValid() || enabled.toBool();
}

void TKelmorFrm::SyncHiddenItemShortcuts()
{
    for (const THiddenItemShortcut &entry : FHiddenItemShortcuts)
        entry.Shortcut->setEnabled(!ShownInMenuBar(entry.Item));
}

void TKelmorFrm::AppHint(QObject *)
{
    HintPanel->setText(FHintTracker->CurrentHint());
}

void TKelmorFrm::CommentEditChange(QObject *Sender)
{
    const auto *field = static_cast<TEditField *>(Sender);
    // Showing a record is no edit.
    if (!FShowingRecord) {
        DocumentChanged();
        NoteLostCharacter(field->text());
    }
    SetCurSelText(field->selectedText());
    // Only the button follows the clipboard: the paste items stay enabled.
    PasteButton->setEnabled(FSeam->ClipboardHasText());
}

void TKelmorFrm::AnswerEditChange(QObject *)
{
    // Text left in the field is stored with the record, so it is an edit of it while
    // it is there.
    if (!FShowingRecord && FIsFileLoaded && QFile) {
        if (!AnswerEdit->text().isEmpty())
            DocumentChanged();
        else
            RecheckFormEdits();
    }
    AddAnswerButton->setEnabled(!AnswerEdit->text().isEmpty());
    SetCurSelText(AnswerEdit->selectedText());
    NoteLostCharacter(AnswerEdit->text());
}

void TKelmorFrm::NoteLostCharacter(const QString &text)
{
    // A shown record holds only characters the document can hold, so one that it
    // cannot was typed or pasted; without a word it would turn into "?" unseen.
    const TLostCharacter lost = FirstLostCharacter(text);
    if (!lost.Typed.isEmpty())
        HintPanel->setText(QStringLiteral("Das Zeichen „%1“ gibt es im Zeichensatz des Spiels nicht; es wird als „%2“ "
                                          "gespeichert.")
                               .arg(lost.Typed, lost.Stored));
}

void TKelmorFrm::Question1MouseUp(QObject *Sender)
{
    SetCurSelText(static_cast<TEditField *>(Sender)->selectedText());
}

void TKelmorFrm::AnswerEditExit(QObject *)
{
    SetCurSelText(QString());
}

void TKelmorFrm::FormActivate(QObject *)
{
    // Only the button follows the clipboard: the paste items stay enabled.
    PasteButton->setEnabled(FSeam->ClipboardHasText());
}

void TKelmorFrm::AnswersClick(QObject *)
{
    DeleteAnswerButton->setEnabled(true);
}

bool TKelmorFrm::event(QEvent *event)
{
    // Only the first activation counts; coming back from a dialog or another
    // program leaves the paste button alone.
    if (event->type() == QEvent::WindowActivate && !FActivatedOnce) {
        FActivatedOnce = true;
        const bool handled = QMainWindow::event(event);
        FormActivate(this);
        return handled;
    }
    return QMainWindow::event(event);
}
