// The window's state rules: the loaded state, record navigation and answer choices,
// the changed mark, the cut/copy/paste enabling and the hint line.
#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "bevelpanel.h"
#include "editfield.h"
#include "windowfixture.h"

class TestState : public QObject {
    Q_OBJECT
private slots:
    void loadedStateShowsEverything();
    void navigationFollowsTheCursor_data();
    void navigationFollowsTheCursor();
    void statusPanelsShowTheirNumbersWhole_data();
    void statusPanelsShowTheirNumbersWhole();
    void rightAnswerChoicesFollowTheNumberOfAnswers_data();
    void rightAnswerChoicesFollowTheNumberOfAnswers();
    void showingARecordNeverMarksChanged();
    void userEditsMarkChanged_data();
    void userEditsMarkChanged();
    void typingAnAnswerMarksTheRecordWhileItIsThere();
    void changedMarkOwnsOnlyTheSaveAndPostCommands();
    void mouseSelectionEnablesCutAndCopyUntilTheFieldIsLeft();
    void rightClickIntoAFieldSelectsItsText_data();
    void rightClickIntoAFieldSelectsItsText();
    void toolbarClickLeavesFocusAndSelectionInTheField();
    void clipboardKeysActOnTheFocusedField();
    void pasteButtonFollowsTheClipboardAtFirstActivation();
    void selectingAnAnswerEnablesItsDeleteButton();
    void hintLineShowsTheHintUnderThePointer_data();
    void hintLineShowsTheHintUnderThePointer();
    void hintLineShowsTheHighlightedMenuItem();
};

void TestState::loadedStateShowsEverything()
{
    TWindowFixture f;
    f.Install(Document(3, 1));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QVERIFY(w.IsFileLoaded());
    for (QToolButton *b : w.Panel1->findChildren<QToolButton *>())
        QVERIFY2(b->isVisible(), qPrintable(b->objectName()));
    QStringList shownMenus;
    for (QAction *a : w.MainMenu1->actions())
        if (a->isVisible())
            shownMenus << a->text();
    QCOMPARE(shownMenus, (QStringList{"&Datei", "&Bearbeiten", "&Datensatz", "&?"}));
    for (QAction *item : w.Datei1->actions())
        QVERIFY2(item->isVisible(), qPrintable(item->objectName()));
    // Find and find next with their separator included.
    for (QAction *item : w.Datensatz1->actions())
        QVERIFY2(item->isVisible(), qPrintable(item->objectName()));

    QVERIFY(w.MainPanel->isVisible());
    QCOMPARE(w.HintPanel->geometry().left(), 1);
    QCOMPARE(w.HintPanel->geometry().right() + 1, w.NumberOfPanel->geometry().left());
    QVERIFY(w.NumberOfPanel->isVisible());
    QCOMPARE(w.IndexPanel->geometry().right(), w.Panel2->width() - 2);
    QCOMPARE(w.NumberOfPanel->geometry().right() + 1, w.IndexPanel->geometry().left());
    QCOMPARE(w.NumberOfPanel->text(), QStringLiteral("Datensätze: 3"));
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. 2"));

    // Going back to empty hides it all again and gives the window its hint back.
    w.SetIsFileLoaded(false);
    QVERIFY(!w.MainPanel->isVisible());
    QVERIFY(!w.Bearbeiten1->menuAction()->isVisible());
    QCOMPARE(w.HintPanel->width(), w.Panel2->width() - 2);
    QCOMPARE(w.property("Hint").toString(), kEmptyStateHint);
}

void TestState::navigationFollowsTheCursor_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("back");     // first and prior
    QTest::addColumn<bool>("forward");  // next and last
    QTest::newRow("one record") << 1 << 0 << false << false;
    QTest::newRow("first of three") << 3 << 0 << false << true;
    QTest::newRow("middle of three") << 3 << 1 << true << true;
    QTest::newRow("last of three") << 3 << 2 << true << false;
}

void TestState::navigationFollowsTheCursor()
{
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(bool, back);
    QFETCH(bool, forward);
    TWindowFixture f;
    f.Install(Document(count, index));
    TKelmorFrm &w = *f.Frm;
    for (QAction *item : {w.Erster1, w.Voriger1})
        QCOMPARE(item->isEnabled(), back);
    for (QAction *item : {w.Nchster1, w.Letzter1})
        QCOMPARE(item->isEnabled(), forward);
    for (QToolButton *b : {w.FirstButton, w.PreviousButton})
        QCOMPARE(b->isEnabled(), back);
    for (QToolButton *b : {w.NextButton, w.LastButton})
        QCOMPARE(b->isEnabled(), forward);
    QVERIFY(w.Entfernen1->isEnabled());
    QVERIFY(w.DeleteButton->isEnabled());
    QCOMPARE(w.NumberOfPanel->text(), QStringLiteral("Datensätze: %1").arg(count));
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. %1").arg(index + 1));
}

enum class TCountReached { WhenOpened, WhileOpen };

void TestState::statusPanelsShowTheirNumbersWhole_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<TCountReached>("reached");
    QTest::newRow("one record") << 1 << 0 << TCountReached::WhenOpened;
    QTest::newRow("last of 100000") << 100000 << 99999 << TCountReached::WhenOpened;
    QTest::newRow("grown to 100000 while open") << 100000 << 99999 << TCountReached::WhileOpen;
}

void TestState::statusPanelsShowTheirNumbersWhole()
{
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(TCountReached, reached);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    if (reached == TCountReached::WhenOpened) {
        f.Install(Document(count, index));
    } else {
        f.Install(Document(2, 0, Record("Erste")));
        w.QFile->Data.resize(static_cast<std::size_t>(count), Record("Weitere", u'b', u'C'));
        w.QFile->Index = index;
        w.UpdateNavigation();
    }
    QCOMPARE(w.NumberOfPanel->text(), QStringLiteral("Datensätze: %1").arg(count));
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Datensatz Nr. %1").arg(index + 1));

    for (TBevelPanel *panel : {w.NumberOfPanel, w.IndexPanel}) {
        const QMargins bevel = panel->contentsMargins();
        const int needed = panel->fontMetrics().horizontalAdvance(panel->text()) + bevel.left() + bevel.right();
        QVERIFY2(needed <= panel->width(),
                 qPrintable(QStringLiteral("%1: %2 > %3").arg(panel->objectName()).arg(needed).arg(panel->width())));
    }
    // Never narrower than drawn, whatever the font.
    QVERIFY(w.NumberOfPanel->width() >= 107);
    QVERIFY(w.IndexPanel->width() >= 112);
    QCOMPARE(w.IndexPanel->geometry().right(), w.Panel2->width() - 2);
    QCOMPARE(w.NumberOfPanel->geometry().right() + 1, w.IndexPanel->geometry().left());
    QCOMPARE(w.HintPanel->geometry().left(), 1);
    QCOMPARE(w.HintPanel->geometry().right() + 1, w.NumberOfPanel->geometry().left());
}

void TestState::rightAnswerChoicesFollowTheNumberOfAnswers_data()
{
    QTest::addColumn<int>("answers");
    QTest::addColumn<QString>("enabled");  // letters of the enabled choices, s for the three special ones
    QTest::newRow("none") << 0 << "";
    QTest::newRow("one") << 1 << "as";
    QTest::newRow("two") << 2 << "abs";
    QTest::newRow("three") << 3 << "abcs";
    QTest::newRow("four") << 4 << "abcds";
    QTest::newRow("five") << 5 << "abcdes";
}

void TestState::rightAnswerChoicesFollowTheNumberOfAnswers()
{
    QFETCH(int, answers);
    QFETCH(QString, enabled);
    static const std::string_view texts[] = {"A1", "A2", "A3", "A4", "A5"};
    TMirolaDatensatz rec = Record("F", u'x', u'A', {});
    for (int i = 0; i < answers; ++i)
        rec.Answers[i] = texts[i];
    TWindowFixture f;
    f.Install(Document(1, 0, rec));
    TKelmorFrm &w = *f.Frm;
    QCOMPARE(w.Answers->count(), answers);
    const QList<QPair<QRadioButton *, QChar>> choices = {{w.ARadioButton, 'a'},
                                                         {w.BRadioButton, 'b'},
                                                         {w.CRadioButton, 'c'},
                                                         {w.DRadioButton, 'd'},
                                                         {w.ERadioButton, 'e'},
                                                         {w.SchwarzerPeterRadioButton, 's'},
                                                         {w.AllesRichtigRadioButton, 's'},
                                                         {w.AllesFalschRadioButton, 's'}};
    for (const auto &[choice, letter] : choices)
        QCOMPARE(choice->isEnabled(), enabled.contains(letter));
}

void TestState::showingARecordNeverMarksChanged()
{
    TWindowFixture f;
    TMirolaDatensatz rec = Record("Erste Frage");
    rec.Comment = "Kommentar";
    f.Install(Document(2, 0, rec));
    TKelmorFrm &w = *f.Frm;
    QCOMPARE(w.Question1->text(), QStringLiteral("Erste Frage"));
    QVERIFY(!w.IsChanged());
    for (QAction *item : {w.Speichern1, w.bernehmen1})
        QVERIFY(!item->isEnabled());
    for (QToolButton *b : {w.SaveButton, w.PostButton})
        QVERIFY(!b->isEnabled());

    w.QFile->DatRec = Record("Andere Frage", u'c', u'D', {"x", "y", "z"});
    w.ShowRecord();
    QCOMPARE(w.Question1->text(), QStringLiteral("Andere Frage"));
    QVERIFY(w.CommentEdit->text().isEmpty());
    QVERIFY(!w.IsChanged());
}

void TestState::userEditsMarkChanged_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("typing in a question line") << "type Question2";
    QTest::newRow("deleting in the comment") << "backspace CommentEdit";
    QTest::newRow("choosing a right answer") << "click BRadioButton";
    QTest::newRow("choosing a right answer by arrow key") << "arrow ARadioButton";
    QTest::newRow("choosing a level") << "click LevelGroupItem2";
}

void TestState::userEditsMarkChanged()
{
    QFETCH(QString, edit);
    TWindowFixture f;
    TMirolaDatensatz rec = Record("F", u'a', u'A', {"eins", "zwei"});
    rec.Comment = "K";
    f.Install(Document(2, 0, rec));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QVERIFY(!w.IsChanged());

    const QString how = edit.section(' ', 0, 0);
    auto *target = w.findChild<QWidget *>(edit.section(' ', 1, 1));
    QVERIFY(target != nullptr);
    if (how == "type") {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Q);
    } else if (how == "backspace") {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_End);
        QTest::keyClick(target, Qt::Key_Backspace);
    } else if (how == "click") {
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
    } else {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Down);
        QVERIFY(w.BRadioButton->isChecked());
    }
    QVERIFY(w.IsChanged());
    for (QAction *item : {w.Speichern1, w.bernehmen1})
        QVERIFY(item->isEnabled());
    for (QToolButton *b : {w.SaveButton, w.PostButton})
        QVERIFY(b->isEnabled());
}

void TestState::typingAnAnswerMarksTheRecordWhileItIsThere()
{
    TWindowFixture f;
    f.Install(Document(1));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    w.AnswerEdit->setFocus();
    // Text left in the entry field is stored with the record.
    QTest::keyClicks(w.AnswerEdit, QStringLiteral("drei"));
    QVERIFY(w.IsChanged());
    QVERIFY(w.AddAnswerButton->isEnabled());
    QTest::keyClick(w.AnswerEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.AnswerEdit, Qt::Key_Delete);
    QVERIFY(!w.AddAnswerButton->isEnabled());
    QVERIFY(!w.IsChanged());
}

void TestState::changedMarkOwnsOnlyTheSaveAndPostCommands()
{
    TWindowFixture f;
    f.Install(Document(2));
    TKelmorFrm &w = *f.Frm;
    for (bool changed : {true, false}) {
        w.SetIsChanged(changed);
        for (QAction *item : {w.Speichern1, w.bernehmen1})
            QCOMPARE(item->isEnabled(), changed);
        for (QToolButton *b : {w.SaveButton, w.PostButton})
            QCOMPARE(b->isEnabled(), changed);
        // A document can always get a record more, lose one, or be saved elsewhere.
        QVERIFY(w.AddButton->isEnabled());
        QVERIFY(w.DeleteButton->isEnabled());
        QVERIFY(w.Speichernunter1->isEnabled());
        QVERIFY(w.Hinzufgen1->isEnabled());
    }
}

void TestState::mouseSelectionEnablesCutAndCopyUntilTheFieldIsLeft()
{
    TWindowFixture f;
    f.Install(Document(1, 0, Record("Hauptstadt")));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    const QList<QObject *> cutCopy = {w.Ausschneiden1, w.Ausschneiden2, w.CutButton,
                                      w.Kopieren1,     w.Kopieren2,     w.CopyButton};
    const auto allEnabled = [&](bool expected) {
        for (QObject *o : cutCopy)
            if (o->property("enabled").toBool() != expected && qobject_cast<QAction *>(o) == nullptr)
                return false;
        for (QAction *a : {w.Ausschneiden1, w.Ausschneiden2, w.Kopieren1, w.Kopieren2})
            if (TKelmorFrm::ItemEnabled(a) != expected)
                return false;
        return true;
    };

    // Dragging across the text selects it; the release reports the selection.
    const int y = w.Question1->height() / 2;
    QTest::mousePress(w.Question1, Qt::LeftButton, {}, QPoint(4, y));
    QMouseEvent drag(QEvent::MouseMove, QPointF(60, y), w.Question1->mapToGlobal(QPointF(60, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Question1, &drag);
    QTest::mouseRelease(w.Question1, Qt::LeftButton, {}, QPoint(60, y));
    QVERIFY(w.Question1->hasSelectedText());
    QCOMPARE(w.CurSelText(), w.Question1->selectedText());
    QVERIFY(allEnabled(true));

    // Selecting by keyboard reports nothing.
    w.Question2->setFocus();
    QVERIFY(allEnabled(false));
    QTest::keyClicks(w.Question2, QStringLiteral("abc"));
    QTest::keyClick(w.Question2, Qt::Key_Left, Qt::ShiftModifier);
    QVERIFY(allEnabled(false));

    // Entering a field by Tab selects its whole text, but reports no selection.
    QTest::keyClick(w.Question2, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.Question3);
    QVERIFY(allEnabled(false));
}

enum class TClickStart { OtherField, SameFieldWithSelection };
enum class TSelectionAfter { WholeText, AsBefore, CaretAtClick };

void TestState::rightClickIntoAFieldSelectsItsText_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<TClickStart>("start");
    QTest::addColumn<TSelectionAfter>("after");
    QTest::newRow("right click entering the field")
        << Qt::RightButton << TClickStart::OtherField << TSelectionAfter::WholeText;
    QTest::newRow("right click in the focused field")
        << Qt::RightButton << TClickStart::SameFieldWithSelection << TSelectionAfter::AsBefore;
    QTest::newRow("left click entering the field")
        << Qt::LeftButton << TClickStart::OtherField << TSelectionAfter::CaretAtClick;
}

void TestState::rightClickIntoAFieldSelectsItsText()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(TClickStart, start);
    QFETCH(TSelectionAfter, after);
    TMirolaDatensatz rec = Record("Frage");
    rec.Comment = "K\x84se und Br\x94tchen";  // "Käse und Brötchen"
    TWindowFixture f;
    f.Install(Document(1, 0, rec));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    TEditField *field = w.CommentEdit;
    if (start == TClickStart::OtherField) {
        w.Question1->setFocus();
    } else {
        field->setFocus();
        field->setSelection(5, 3);
    }
    const QString selectedBefore = field->selectedText();

    // The menu is closed as soon as it opens; what matters is the field it opened on.
    bool menuOpened = false;
    QString selectedAtMenu;
    connect(w.EditPopup1, &QMenu::aboutToShow, field, [&] {
        menuOpened = true;
        selectedAtMenu = field->selectedText();
        QMetaObject::invokeMethod(w.EditPopup1, &QMenu::close, Qt::QueuedConnection);
    });
    // Through the window, as the platform delivers a click: Qt then moves the focus
    // before the field sees the press, and opens the menu.
    const QPoint at(field->width() / 3, field->height() / 2);
    const QPoint inWindow = field->mapTo(&w, at);
    QTest::mousePress(w.windowHandle(), button, {}, inWindow);
    QTest::mouseRelease(w.windowHandle(), button, {}, inWindow);

    QCOMPARE(menuOpened, button == Qt::RightButton);
    QCOMPARE(w.focusWidget(), field);
    switch (after) {
    case TSelectionAfter::WholeText:
        QCOMPARE(selectedAtMenu, QStringLiteral("Käse und Brötchen"));
        QCOMPARE(field->selectedText(), field->text());
        break;
    case TSelectionAfter::AsBefore:
        QCOMPARE(selectedAtMenu, QStringLiteral("und"));
        QCOMPARE(field->selectedText(), selectedBefore);
        break;
    case TSelectionAfter::CaretAtClick:
        QVERIFY(!field->hasSelectedText());
        QCOMPARE(field->cursorPosition(), field->cursorPositionAt(at));
        QVERIFY(field->cursorPosition() > 0);
        break;
    }
}

void TestState::toolbarClickLeavesFocusAndSelectionInTheField()
{
    TWindowFixture f;
    f.Install(Document(3, 1, Record("xabcx")));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    w.Question1->setFocus();
    w.Question1->setSelection(1, 3);
    QTest::mouseRelease(w.Question1, Qt::LeftButton, {}, QPoint(2, 2));
    w.Question1->setSelection(1, 3);
    w.Question1MouseUp(w.Question1);
    QVERIFY(w.CutButton->isEnabled());

    // Buttons whose commands leave the form alone: the focus is what is looked at.
    for (QToolButton *button : {w.CopyButton, w.HelpButton, w.HelpIndexButton}) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), w.Question1);
        QCOMPARE(w.Question1->selectedText(), QStringLiteral("abc"));
        QVERIFY(w.CutButton->isEnabled());
    }
}

void TestState::pasteButtonFollowsTheClipboardAtFirstActivation()
{
    TWindowFixture f;
    f.Seam->ClipboardText = true;
    QVERIFY(!f.Frm->PasteButton->isEnabled());
    QVERIFY(f.ShowActive());
    QVERIFY(f.Frm->PasteButton->isEnabled());

    // Coming back later asks the clipboard no more.
    f.Seam->ClipboardText = false;
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(f.ShowActive());
    QVERIFY(f.Frm->PasteButton->isEnabled());
}

void TestState::selectingAnAnswerEnablesItsDeleteButton()
{
    TWindowFixture f;
    f.Install(Document(1, 0, Record("F", u'a', u'A', {"eins", "zwei", "drei"})));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QVERIFY(!w.DeleteAnswerButton->isEnabled());
    const QRect second = w.Answers->visualItemRect(w.Answers->item(1));
    QTest::mouseClick(w.Answers->viewport(), Qt::LeftButton, {}, second.center());
    QVERIFY(w.DeleteAnswerButton->isEnabled());

    // Showing another record keeps the button's state, without a selection.
    w.DeleteAnswerButton->setEnabled(false);
    w.ShowRecord();
    QVERIFY(!w.DeleteAnswerButton->isEnabled());
    w.DeleteAnswerButton->setEnabled(true);
    w.ShowRecord();
    QVERIFY(w.DeleteAnswerButton->isEnabled());
    QVERIFY(w.Answers->selectedItems().isEmpty());
}

void TestState::hintLineShowsTheHintUnderThePointer_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("over");
    QTest::addColumn<QString>("hint");
    // clang-format off
    QTest::newRow("empty window") << false << "Panel2" << kEmptyStateHint;
    QTest::newRow("new button") << false << "NewButton"
                                << "Erstellt eine neue Datei";
    QTest::newRow("question line") << true << "Question2"
                                   << "Hier den Text der Frage eingeben.";
    QTest::newRow("right answer takes its group's") << true << "CRadioButton"
                                                    << "Gibt an, welche Antwort richtig ist";
    QTest::newRow("level item takes its group's") << true << "LevelGroupItem3"
                                                  << "Gibt die Schwierigkeit der Frage an (A-D)";
    QTest::newRow("a label has none") << true << "Label2" << "";
    QTest::newRow("disabled answer button") << true << "AddAnswerButton"
                                            << "Fügt die Antwort hinzu";
    // clang-format on
}

void TestState::hintLineShowsTheHintUnderThePointer()
{
    QFETCH(bool, loaded);
    QFETCH(QString, over);
    QFETCH(QString, hint);
    TWindowFixture f;
    if (loaded)
        f.Install(Document(1));
    QVERIFY(f.ShowActive());
    // Start from a control with a hint of its own, so the line has to change.
    QTest::mouseMove(f.Frm->HelpButton);
    QCOMPARE(f.Frm->HintPanel->text(), QStringLiteral("Zeigt die Hilfethemen an"));
    auto *target = f.Frm->findChild<QWidget *>(over);
    QVERIFY(target != nullptr);
    QTest::mouseMove(target, QPoint(5, 5));
    QCOMPARE(f.Frm->HintPanel->text(), hint);
}

void TestState::hintLineShowsTheHighlightedMenuItem()
{
    TWindowFixture f;
    f.Install(Document(1));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    w.SetIsChanged(true);
    QTest::mouseMove(w.Question1, QPoint(5, 5));
    w.MainMenu1->setActiveAction(w.Datei1->menuAction());
    QTRY_VERIFY(w.Datei1->isVisible());
    QCOMPARE(w.HintPanel->text(), QString());
    // A menu takes no notice of the pointer until it has moved a little.
    const auto pointAt = [&w](QAction *item) {
        const QPointF at = w.Datei1->actionGeometry(item).center();
        for (const QPointF p : {at + QPointF(0, 20), at}) {
            QMouseEvent move(QEvent::MouseMove, p, w.Datei1->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(w.Datei1, &move);
        }
    };
    pointAt(w.Speichern1);
    QCOMPARE(w.HintPanel->text(), QStringLiteral("Speichert die Datei unter dem aktuellen Namen"));
    pointAt(w.Speichernunter1);
    QCOMPARE(w.HintPanel->text(), QStringLiteral("Speichert die Datei unter anderem Namen"));
    w.Datei1->hide();
    QTRY_VERIFY(!w.Datei1->isVisible());
    QCOMPARE(w.HintPanel->text(), QStringLiteral("Hier den Text der Frage eingeben."));
}

void TestState::clipboardKeysActOnTheFocusedField()
{
    TWindowFixture f;
    f.Install(Document(1, 0, Record("Hauptstadt")));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    // With the items enabled the keys run their commands, not the field's own handling.
    const auto select = [&](TEditField *field, int start, int length) {
        field->setFocus();
        field->setSelection(start, length);
        w.SetCurSelText(field->selectedText());
    };

    select(w.Question1, 0, 5);
    QTest::keyClick(w.Question1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Haupt"));
    QCOMPARE(w.Question1->text(), QStringLiteral("Hauptstadt"));
    QVERIFY(!w.IsChanged());

    select(w.Question1, 5, 5);
    QTest::keyClick(w.Question1, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("stadt"));
    QCOMPARE(w.Question1->text(), QStringLiteral("Haupt"));
    QVERIFY(w.IsChanged());

    // Pasting keeps to the field's maximum length.
    QApplication::clipboard()->setText(QString(40, QLatin1Char('k')));
    w.CommentEdit->setFocus();
    QTest::keyClick(w.CommentEdit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.CommentEdit->text(), QString(35, QLatin1Char('k')));

    select(w.CommentEdit, 0, 30);
    QTest::keyClick(w.CommentEdit, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(w.CommentEdit->text(), QString(5, QLatin1Char('k')));
    QCOMPARE(QApplication::clipboard()->text(), QString(40, QLatin1Char('k')));

    // Outside the edit fields the commands do nothing.
    w.Answers->setFocus();
    w.Einfgen1->trigger();
    QCOMPARE(w.Question1->text(), QStringLiteral("Haupt"));
    QCOMPARE(w.CommentEdit->text(), QString(5, QLatin1Char('k')));
}

QTEST_MAIN(TestState)
#include "tst_state.moc"
