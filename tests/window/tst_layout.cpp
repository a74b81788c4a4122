// The window as built: what the empty state shows, where the elements sit, the
// fonts, limits and pictures, the shortcuts that must reach hidden items, the tab
// order of the record form, and the German message boxes and file dialogs of Qt's
// seam.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleOptionMenuItem>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include "bevelpanel.h"
#include "editfield.h"
#include "pictures.h"
#include "qtplatformseam.h"
#include "windowfixture.h"

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void emptyStateShowsOnlyTheFileAndHelpCommands();
    void geometryFollowsTheDesignScaledToTwoThirds_data();
    void geometryFollowsTheDesignScaledToTwoThirds();
    void windowIsFixedSizeWithoutMaximize();
    void fieldsUseCourierAndTheirMaximumLengths_data();
    void fieldsUseCourierAndTheirMaximumLengths();
    void toolbarButtonsTakeNoFocusAndShowTheirHintAsTooltip();
    void recordFormHasNoTooltips();
    void menuItemsCarryCaptionShortcutAndTag_data();
    void menuItemsCarryCaptionShortcutAndTag();
    void menusHoldTheirItemsInOrder();
    void menuItemsShareTheirButtonsPictures();
    void picturesHaveTheirSizes();
    void labelAccessLettersMoveNoFocus_data();
    void labelAccessLettersMoveNoFocus();
    void captionsUnderlineTheirAccessLetter();
    void tabWalksTheFormAndEntersEachRadioGroupAtItsChoice_data();
    void tabWalksTheFormAndEntersEachRadioGroupAtItsChoice();
    void arrowKeysMoveTheChoiceAndTheTabStopGoesAlong();
    void hiddenItemsKeepTheirShortcuts_data();
    void hiddenItemsKeepTheirShortcuts();
    void shownItemsTriggerOncePerKey();
    void helpMenuShowsAndAnswersItsShortcutsInBothStates_data();
    void helpMenuShowsAndAnswersItsShortcutsInBothStates();
    void editPopupShortcutsComeBeforeTheMainMenu();
    void hiddenMenusAnswerNoAccessLetter();
    void fileDialogsAreDescribed();
    void fileDialogEntriesShowTheirCaptionsAndReportTheirPlace_data();
    void fileDialogEntriesShowTheirCaptionsAndReportTheirPlace();
    void messageBoxesCarryTheirCaptionAndIcon_data();
    void messageBoxesCarryTheirCaptionAndIcon();
    void messageBoxButtonsAreGermanAndGiveTheirAnswer_data();
    void messageBoxButtonsAreGermanAndGiveTheirAnswer();
    void boxesShowMarkupAsItsCharacters_data();
    void boxesShowMarkupAsItsCharacters();
    void statusLineShowsMarkupAsItsCharacters();
    void captionKeepsAChangedMarkOfTheFileName_data();
    void captionKeepsAChangedMarkOfTheFileName();
    void fieldsTakeTheSchemesTextColourAndHintsStayReadable();

private:
    // Qt's file dialog remembers its folders in the settings; here, not in the user's.
    QTemporaryDir FSettings;
};

void TestLayout::initTestCase()
{
    QVERIFY(FSettings.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FSettings.path()));
}

void TestLayout::emptyStateShowsOnlyTheFileAndHelpCommands()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    QVERIFY(f.ShowActive());
    QCOMPARE(w.windowTitle(), kStartupCaption);
    QCOMPARE(w.dokname, QStringLiteral("Unbenannt"));
    QVERIFY(!w.IsFileLoaded());
    QVERIFY(!w.IsChanged());

    QStringList shownButtons;
    for (QToolButton *b : w.Panel1->findChildren<QToolButton *>())
        if (b->isVisible())
            shownButtons << b->objectName();
    shownButtons.sort();
    QCOMPARE(shownButtons, (QStringList{"HelpButton", "HelpIndexButton", "NewButton", "OpenButton"}));

    QStringList shownMenus;
    for (QAction *a : w.MainMenu1->actions())
        if (a->isVisible())
            shownMenus << a->text();
    QCOMPARE(shownMenus, (QStringList{"&Datei", "&?"}));

    const auto shownItems = [](QMenu *menu) {
        QStringList items;
        for (QAction *a : menu->actions())
            if (a->isVisible())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return items;
    };
    QCOMPARE(shownItems(w.Datei1), (QStringList{"&Neu", "&Öffnen ...", "&Zuletzt geöffnet", "-", "&Beenden"}));
    QCOMPARE(shownItems(w.N4), (QStringList{"&In der Hilfe suchen ...", "Hilfe &verwenden...", "-", "&Hilfethemen",
                                            "Infos und Updates ( im &WWW)...", "-", "&Info &über ..."}));

    QVERIFY(!w.MainPanel->isVisible());
    QVERIFY(!w.NumberOfPanel->isVisible());
    QVERIFY(!w.IndexPanel->isVisible());
    QVERIFY(w.HintPanel->isVisible());
    QCOMPARE(w.HintPanel->width(), w.Panel2->width() - 2);
    QCOMPARE(w.NumberOfPanel->text(), QStringLiteral("Daten:0"));
    QCOMPARE(w.IndexPanel->text(), QStringLiteral("Index:0"));

    QCOMPARE(w.Deutsch1->property("Tag").toInt(), 1031);
    QCOMPARE(w.English1->property("Tag").toInt(), 1033);
    QCOMPARE(w.Francais1->property("Tag").toInt(), 1036);
    QVERIFY(w.Deutsch1->isChecked());
    w.English1->setChecked(true);  // one radio group
    QVERIFY(!w.Deutsch1->isChecked());
}

void TestLayout::geometryFollowsTheDesignScaledToTwoThirds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");
    // Edges are scaled, not widths: 998 x 2/3 = 665.3 gives 665.
    QTest::newRow("toolbar") << "Panel1" << QRect(0, 0, 665, 39);
    QTest::newRow("status line") << "Panel2" << QRect(0, 419, 665, 32);
    QTest::newRow("record form") << "MainPanel" << QRect(0, 39, 665, 380);
    QTest::newRow("first button") << "NewButton" << QRect(6, 6, 30, 27);
    QTest::newRow("second button touches the first") << "OpenButton" << QRect(36, 6, 31, 27);
    QTest::newRow("last button") << "HelpButton" << QRect(631, 6, 32, 27);
    QTest::newRow("level group") << "LevelGroup" << QRect(11, 11, 165, 124);
    QTest::newRow("question line") << "Question1" << QRect(195, 31, 455, 21);
    QTest::newRow("comment") << "CommentEdit" << QRect(225, 165, 386, 21);
    QTest::newRow("answer list") << "Answers" << QRect(225, 257, 386, 114);
    QTest::newRow("add answer") << "AddAnswerButton" << QRect(616, 225, 32, 31);
    QTest::newRow("right answer group") << "RightAnswerGroup" << QRect(11, 143, 165, 228);
    QTest::newRow("Schwarzer Peter") << "SchwarzerPeterRadioButton" << QRect(11, 195, 144, 23);
}

void TestLayout::geometryFollowsTheDesignScaledToTwoThirds()
{
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    TWindowFixture f;
    auto *widget = f.Frm->findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), expected);
}

void TestLayout::windowIsFixedSizeWithoutMaximize()
{
    TWindowFixture f;
    QVERIFY(f.ShowActive());
    QCOMPARE(f.Frm->centralWidget()->size(), QSize(665, 451));
    QCOMPARE(f.Frm->minimumSize(), f.Frm->maximumSize());
    QVERIFY(!f.Frm->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(f.Frm->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QCOMPARE(f.Frm->font().pixelSize(), 14);
}

void TestLayout::fieldsUseCourierAndTheirMaximumLengths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("Question1") << "Question1" << 50;
    QTest::newRow("Question2") << "Question2" << 50;
    QTest::newRow("Question3") << "Question3" << 50;
    QTest::newRow("CommentEdit") << "CommentEdit" << 35;
    QTest::newRow("AnswerEdit") << "AnswerEdit" << 34;
}

void TestLayout::fieldsUseCourierAndTheirMaximumLengths()
{
    QFETCH(QString, name);
    QFETCH(int, maxLength);
    TWindowFixture f;
    f.Install(Document(1));
    auto *field = f.Frm->findChild<TEditField *>(name);
    QVERIFY(field != nullptr);
    QCOMPARE(field->font().pixelSize(), 14);
    QCOMPARE(QFontInfo(field->font()).family(), QStringLiteral("Liberation Mono"));
    QCOMPARE(field->PopupMenu(), f.Frm->EditPopup1);

    field->setFocus();
    field->clear();
    QTest::keyClicks(field, QString(maxLength + 5, QLatin1Char('x')));
    QCOMPARE(field->text().size(), maxLength);
}

void TestLayout::toolbarButtonsTakeNoFocusAndShowTheirHintAsTooltip()
{
    TWindowFixture f;
    const QList<QToolButton *> buttons = f.Frm->Panel1->findChildren<QToolButton *>();
    QCOMPARE(buttons.size(), 16);
    for (QToolButton *b : buttons) {
        QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        QVERIFY(b->autoRaise());
        QVERIFY(!b->toolTip().isEmpty());
        QCOMPARE(b->toolTip(), b->property("Hint").toString());
    }
    const QList<QToolButton *> records = {f.Frm->FirstButton, f.Frm->PreviousButton, f.Frm->NextButton,
                                          f.Frm->LastButton,  f.Frm->AddButton,      f.Frm->DeleteButton,
                                          f.Frm->PostButton};
    for (int i = 0; i < records.size(); ++i)
        QCOMPARE(records.at(i)->property("Tag").toInt(), i + 1);
    QCOMPARE(f.Frm->AddAnswerButton->focusPolicy(), Qt::NoFocus);
    QVERIFY(!f.Frm->AddAnswerButton->isFlat());
}

void TestLayout::recordFormHasNoTooltips()
{
    TWindowFixture f;
    int hinted = 0;
    for (QWidget *w : f.Frm->MainPanel->findChildren<QWidget *>()) {
        QVERIFY2(w->toolTip().isEmpty(), qPrintable(w->objectName()));
        hinted += w->property("Hint").toString().isEmpty() ? 0 : 1;
    }
    QCOMPARE(hinted, 10);  // six fields and lists, two groups, two answer buttons
}

void TestLayout::menuItemsCarryCaptionShortcutAndTag_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    // Several keys are separated by "; "; the menu shows the first.
    QTest::addColumn<QString>("shortcuts");
    QTest::addColumn<int>("tag");
    // clang-format off
    QTest::newRow("Neu1") << "Neu1" << "&Neu" << "Ctrl+N" << 0;
    QTest::newRow("ffnen1") << "ffnen1" << "&Öffnen ..." << "Ctrl+O" << 0;
    QTest::newRow("Speichern1") << "Speichern1" << "&Speichern" << "Ctrl+S" << 0;
    QTest::newRow("Speichernunter1") << "Speichernunter1" << "Speichern &unter..." << "Ctrl+Shift+S" << 0;
    QTest::newRow("Beenden1") << "Beenden1" << "&Beenden" << "Alt+X; Ctrl+Q" << 0;
    QTest::newRow("Rckgngig1") << "Rckgngig1" << "&Rückgängig" << "Ctrl+Z" << 0;
    QTest::newRow("Wiederherstellen1") << "Wiederherstellen1" << "&Wiederherstellen" << "Ctrl+Y; Ctrl+Shift+Z" << 0;
    QTest::newRow("Ausschneiden1") << "Ausschneiden1" << "&Ausschneiden" << "Ctrl+X" << 0;
    QTest::newRow("Einfgen1") << "Einfgen1" << "&Einfügen" << "Ctrl+V" << 0;
    QTest::newRow("Erster1") << "Erster1" << "&Erster" << "Alt+1" << 1;
    QTest::newRow("Voriger1") << "Voriger1" << "&Voriger" << "Alt+V" << 2;
    QTest::newRow("Nchster1") << "Nchster1" << "&Nächster" << "Alt+N" << 3;
    QTest::newRow("Letzter1") << "Letzter1" << "&Letzter" << "Alt+L" << 4;
    QTest::newRow("Gehezu1") << "Gehezu1" << "&Gehe zu..." << "Alt+0" << 0;
    QTest::newRow("Fragenprfen1") << "Fragenprfen1" << "Fragen &prüfen ..." << "F7" << 0;
    QTest::newRow("Hinzufgen1") << "Hinzufgen1" << "&Hinzufügen" << "" << 5;
    QTest::newRow("Entfernen1") << "Entfernen1" << "&Entfernen" << "" << 6;
    QTest::newRow("bernehmen1") << "bernehmen1" << "&Übernehmen" << "" << 7;
    QTest::newRow("Infober1") << "Infober1" << "&Info &über ..." << "Alt+Y" << 0;
    QTest::newRow("Lschen1") << "Lschen1" << "&Löschen" << "Ctrl+D" << 0;
    // clang-format on
}

void TestLayout::menuItemsCarryCaptionShortcutAndTag()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcuts);
    QFETCH(int, tag);
    TWindowFixture f;
    auto *item = f.Frm->findChild<QAction *>(name);
    QVERIFY(item != nullptr);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcuts(), shortcuts.isEmpty() ? QList<QKeySequence>() : QKeySequence::listFromString(shortcuts));
    QCOMPARE(item->property("Tag").toInt(), tag);
}

void TestLayout::menusHoldTheirItemsInOrder()
{
    // The added commands take their places; every other item keeps its own.
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    const auto names = [](QMenu *menu) {
        QStringList items;
        for (QAction *a : menu->actions())
            items << (a->menu() != nullptr ? a->menu()->objectName() : a->objectName());
        return items;
    };
    QCOMPARE(names(w.Datei1), (QStringList{"Neu1", "ffnen1", "Zuletztgeffnet1", "Speichern1", "Speichernunter1", "N10",
                                           "Exportieren1", "N2", "Schlieen1", "N1", "Beenden1"}));
    QCOMPARE(names(w.Bearbeiten1), (QStringList{"Rckgngig1", "Wiederherstellen1", "N13", "Ausschneiden1", "Kopieren1",
                                                "Einfgen1", "N11", "Dateiinformationen1"}));
    QCOMPARE(names(w.Datensatz1),
             (QStringList{"Erster1", "Voriger1", "Nchster1", "Letzter1", "Gehezu1", "N7", "Suchen1", "Weitersuchen1",
                          "Fragenprfen1", "N3", "Hinzufgen1", "Entfernen1", "N6", "bernehmen1"}));
    QCOMPARE(names(w.Ansicht1), (QStringList{"Symbolleiste1", "Statusleiste1"}));
    QCOMPARE(names(w.N4), (QStringList{"InderHilfesuchen1", "Hilfeverwenden1", "N8", "Hilfethemen1", "SpracheLanguage1",
                                       "N12", "WeitereInfosundUpdates1", "N5", "Infober1"}));
    QCOMPARE(names(w.SpracheLanguage1), (QStringList{"Deutsch1", "English1", "Francais1"}));
    QStringList bar;
    for (QAction *menu : w.MainMenu1->actions())
        bar << menu->menu()->objectName();
    QCOMPARE(bar, (QStringList{"Datei1", "Bearbeiten1", "Datensatz1", "Ansicht1", "N4"}));
}

void TestLayout::menuItemsShareTheirButtonsPictures()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    const QList<QPair<QAction *, QToolButton *>> twins = {
        {w.Neu1, w.NewButton},          {w.ffnen1, w.OpenButton},
        {w.Speichern1, w.SaveButton},   {w.Ausschneiden1, w.CutButton},
        {w.Kopieren1, w.CopyButton},    {w.Einfgen1, w.PasteButton},
        {w.Erster1, w.FirstButton},     {w.Voriger1, w.PreviousButton},
        {w.Nchster1, w.NextButton},     {w.Letzter1, w.LastButton},
        {w.Hinzufgen1, w.AddButton},    {w.Entfernen1, w.DeleteButton},
        {w.bernehmen1, w.PostButton},   {w.InderHilfesuchen1, w.HelpIndexButton},
        {w.Hilfethemen1, w.HelpButton},
    };
    for (const auto &[item, button] : twins)
        QCOMPARE(item->icon().cacheKey(), button->icon().cacheKey());
    // Pictures of their own are drawn as their own, enabled and disabled.
    const QList<QPair<QAction *, TPicture>> own = {
        {w.Beenden1, TPicture::Exit},          {w.Rckgngig1, TPicture::Undo},
        {w.Wiederherstellen1, TPicture::Redo}, {w.Dateiinformationen1, TPicture::FileInfo},
        {w.Fragenprfen1, TPicture::Check},     {w.WeitereInfosundUpdates1, TPicture::Web},
    };
    for (const auto &[item, picture] : own) {
        QVERIFY(!item->icon().isNull());
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled})
            QCOMPARE(item->icon().pixmap(QSize(16, 16), mode).toImage(),
                     PictureIcon(picture).pixmap(QSize(16, 16), mode).toImage());
    }
    for (QAction *bare : {w.Speichernunter1, w.Exportieren1, w.Gehezu1, w.Ausschneiden2, w.Lschen1})
        QVERIFY(bare->icon().isNull());
}

void TestLayout::picturesHaveTheirSizes()
{
    QCOMPARE(PictureBitmap(TPicture::New).size(), QSize(16, 16));
    QCOMPARE(PictureBitmap(TPicture::First).size(), QSize(17, 15));
    QCOMPARE(PictureBitmap(TPicture::Delete).size(), QSize(17, 15));
    QCOMPARE(PictureBitmap(TPicture::Help).size(), QSize(16, 15));
    QCOMPARE(PictureBitmap(TPicture::FileProp).size(), QSize(32, 16));
    // The file-information picture brings its own disabled look.
    const QIcon fileProp = PictureIcon(TPicture::FileProp);
    QVERIFY(fileProp.pixmap(16, 16, QIcon::Normal).toImage() != fileProp.pixmap(16, 16, QIcon::Disabled).toImage());
}

void TestLayout::labelAccessLettersMoveNoFocus_data()
{
    QTest::addColumn<Qt::Key>("letter");
    QTest::newRow("Frage") << Qt::Key_F;
    QTest::newRow("Kommentar") << Qt::Key_K;
    QTest::newRow("Antwort(en)") << Qt::Key_A;
}

void TestLayout::labelAccessLettersMoveNoFocus()
{
    QFETCH(Qt::Key, letter);
    TWindowFixture f;
    f.Install(Document(1));
    QVERIFY(f.ShowActive());
    f.Frm->Question3->setFocus();
    QTest::keyClick(QApplication::focusWidget(), letter, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), f.Frm->Question3);
}

void TestLayout::captionsUnderlineTheirAccessLetter()
{
    TWindowFixture f;
    f.Install(Document(1));
    for (QLabel *caption : {f.Frm->Label1, f.Frm->Label2, f.Frm->Label3}) {
        // The same caption without its "&", drawn by a plain label: the two differ
        // in the underline below the first letter and nowhere else. A caption that
        // showed the "&" itself would differ all along its width.
        QLabel plain(caption->text().remove(QLatin1Char('&')));
        plain.setTextFormat(Qt::PlainText);
        plain.setFont(caption->font());
        plain.resize(caption->size());
        const QImage shown = caption->grab().toImage();
        const QImage without = plain.grab().toImage();
        QCOMPARE(shown.size(), without.size());
        const int letterEnd = caption->fontMetrics().horizontalAdvance(plain.text().left(1));
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != without.pixel(x, y)) {
                    ++differing;
                    QVERIFY2(x <= letterEnd, qPrintable(caption->objectName()));
                }
        QVERIFY2(differing > 0, qPrintable(caption->objectName()));
        QCOMPARE(caption->width(), caption->fontMetrics().horizontalAdvance(plain.text()));
    }
}

namespace {

// The names of the controls the focus reaches by `steps` presses of Tab (with Shift:
// backwards), starting in `from`.
QStringList TabWalk(QWidget *from, Qt::KeyboardModifiers modifiers, int steps = 8)
{
    from->setFocus();
    QStringList reached;
    for (int step = 0; step < steps; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        reached << QApplication::focusWidget()->objectName();
    }
    return reached;
}

}  // namespace

void TestLayout::tabWalksTheFormAndEntersEachRadioGroupAtItsChoice_data()
{
    QTest::addColumn<QChar>("code");
    QTest::addColumn<int>("answers");
    QTest::addColumn<QChar>("level");
    QTest::addColumn<QString>("rightAnswerStop");
    QTest::addColumn<int>("levelStop");
    QTest::newRow("c of five, level B") << QChar('c') << 5 << QChar('B') << "CRadioButton" << 1;
    QTest::newRow("Schwarzer Peter, level d") << QChar('x') << 2 << QChar('d') << "SchwarzerPeterRadioButton" << 3;
    QTest::newRow("all wrong, level A") << QChar('f') << 1 << QChar('A') << "AllesFalschRadioButton" << 0;
    // No checked choice can take the focus: the group is entered at its first one that can.
    QTest::newRow("e of three, disabled") << QChar('e') << 3 << QChar('C') << "ARadioButton" << 2;
    QTest::newRow("capital E checks none") << QChar('E') << 4 << QChar('B') << "ARadioButton" << 1;
}

void TestLayout::tabWalksTheFormAndEntersEachRadioGroupAtItsChoice()
{
    QFETCH(QChar, code);
    QFETCH(int, answers);
    QFETCH(QChar, level);
    QFETCH(QString, rightAnswerStop);
    QFETCH(int, levelStop);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    // A record with other choices first, walked once: Qt leaves the tab stop of a
    // radio group on the button that last had the focus.
    f.Install(Document(2, 0, Record("Erste", u'd', u'D', {"eins", "zwei", "drei", "vier", "f\x81nf"})));
    QVERIFY(f.ShowActive());
    QVERIFY(TabWalk(w.CommentEdit, Qt::NoModifier, 1).contains(QStringLiteral("DRadioButton")));
    QVERIFY(TabWalk(w.Answers, Qt::NoModifier, 1).contains(QStringLiteral("LevelGroupItem3")));

    static const std::string_view rivers[] = {"Rhein", "Main", "Donau", "Elbe",
                                              "Wei\xE1"
                                              "eritz"};
    TMirolaDatensatz rec = Record("Welcher Fluss flie\xE1t durch Dresden?", code.unicode(), level.unicode(), {});
    for (int i = 0; i < answers; ++i)
        rec.Answers[i] = rivers[i];
    w.QFile->DatRec = rec;
    w.ShowRecord();

    const QStringList forward = {"Answers",     w.LevelItems[levelStop]->objectName(),
                                 "CommentEdit", rightAnswerStop,
                                 "Question1",   "Question2",
                                 "Question3",   "AnswerEdit"};
    QCOMPARE(TabWalk(w.AnswerEdit, Qt::NoModifier), forward);
    QStringList backward(forward.crbegin() + 1, forward.crend());
    backward << "AnswerEdit";
    QCOMPARE(TabWalk(w.AnswerEdit, Qt::ShiftModifier), backward);
}

void TestLayout::arrowKeysMoveTheChoiceAndTheTabStopGoesAlong()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    f.Install(Document(1, 0, Record("Frage", u'c', u'B', {"eins", "zwei", "drei", "vier"})));
    QVERIFY(f.ShowActive());

    QCOMPARE(TabWalk(w.CommentEdit, Qt::NoModifier, 1), QStringList{"CRadioButton"});
    QTest::keyClick(w.CRadioButton, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w.DRadioButton);
    // E is disabled with four answers; the next choice down is "Alles richtig".
    QTest::keyClick(w.DRadioButton, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w.AllesRichtigRadioButton);
    QVERIFY(w.AllesRichtigRadioButton->isChecked());
    QCOMPARE(TabWalk(w.AllesRichtigRadioButton, Qt::NoModifier, 2), (QStringList{"Question1", "Question2"}));
    QCOMPARE(TabWalk(w.Question1, Qt::ShiftModifier, 1), QStringList{"AllesRichtigRadioButton"});

    QCOMPARE(TabWalk(w.CommentEdit, Qt::ShiftModifier, 1), QStringList{"LevelGroupItem1"});
    QTest::keyClick(w.LevelItems[1], Qt::Key_Down);
    QVERIFY(w.LevelItems[2]->isChecked());
    QCOMPARE(TabWalk(w.LevelItems[2], Qt::NoModifier, 1), QStringList{"CommentEdit"});
    QCOMPARE(TabWalk(w.CommentEdit, Qt::ShiftModifier, 1), QStringList{"LevelGroupItem2"});

    w.StoreRecord();
    QCOMPARE(w.QFile->DatRec.theletter, u'r');
    QCOMPARE(w.QFile->DatRec.level, u'C');

    // With no choice checked the arrows move the focus alone, and Tab still leaves
    // the group from where the focus is.
    w.QFile->DatRec = Record("Frage", u'E', u'B', {"eins", "zwei", "drei"});
    w.ShowRecord();
    QCOMPARE(TabWalk(w.CommentEdit, Qt::NoModifier, 1), QStringList{"ARadioButton"});
    QTest::keyClick(w.ARadioButton, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w.BRadioButton);
    QVERIFY(!w.BRadioButton->isChecked());
    QCOMPARE(TabWalk(w.BRadioButton, Qt::ShiftModifier, 1), QStringList{"CommentEdit"});
}

void TestLayout::hiddenItemsKeepTheirShortcuts_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("find, empty") << "Suchen1" << QKeySequence("Ctrl+F") << false;
    QTest::newRow("find, loaded") << "Suchen1" << QKeySequence("Ctrl+F") << true;
    QTest::newRow("find next") << "Weitersuchen1" << QKeySequence("F3") << true;
    QTest::newRow("help topics, empty") << "Hilfethemen1" << QKeySequence("Alt+H") << false;
    QTest::newRow("help topics, loaded") << "Hilfethemen1" << QKeySequence("Alt+H") << true;
    QTest::newRow("first record while empty") << "Erster1" << QKeySequence("Alt+1") << false;
    QTest::newRow("go to while empty") << "Gehezu1" << QKeySequence("Alt+0") << false;
    // The desktop's keys beside the menus' own.
    QTest::newRow("new") << "Neu1" << QKeySequence("Ctrl+N") << false;
    QTest::newRow("open") << "ffnen1" << QKeySequence("Ctrl+O") << true;
    QTest::newRow("save as") << "Speichernunter1" << QKeySequence("Ctrl+Shift+S") << true;
    QTest::newRow("exit by Ctrl+Q, empty") << "Beenden1" << QKeySequence("Ctrl+Q") << false;
    QTest::newRow("exit by Ctrl+Q, loaded") << "Beenden1" << QKeySequence("Ctrl+Q") << true;
    QTest::newRow("undo, in a field with nothing typed") << "Rckgngig1" << QKeySequence("Ctrl+Z") << true;
    QTest::newRow("question check") << "Fragenprfen1" << QKeySequence("F7") << true;
}

void TestLayout::hiddenItemsKeepTheirShortcuts()
{
    QFETCH(QString, item);
    QFETCH(QKeySequence, keys);
    QFETCH(bool, loaded);
    TWindowFixture f;
    if (loaded)
        f.Install(Document(2));
    QVERIFY(f.ShowActive());
    auto *action = f.Frm->findChild<QAction *>(item);
    // Whatever the command asks, with a form or for a file name, is cancelled.
    f.Seam->DialogAnswers.push_back([](QDialog &) { return int(QDialog::Rejected); });
    f.Seam->FileAnswers.push_back({});
    if (action == f.Frm->Rckgngig1)
        f.Frm->LevelItems[2]->click();
    QSignalSpy triggered(action, &QAction::triggered);
    QWidget *target = loaded ? static_cast<QWidget *>(f.Frm->Question1) : f.Frm.get();
    target->setFocus();
    QTest::keySequence(f.Frm.get(), keys);
    QCOMPARE(triggered.size(), 1);
}

void TestLayout::shownItemsTriggerOncePerKey()
{
    // Once an item is in sight, its own shortcut and no stand-in answers the key.
    TWindowFixture f;
    f.Install(Document(3, 1));
    QVERIFY(f.ShowActive());
    f.Frm->SetIsChanged(true);
    f.Seam->FileAnswers.push_back({});  // the untitled document's Save As, cancelled
    QSignalSpy saved(f.Frm->Speichern1, &QAction::triggered);
    QSignalSpy first(f.Frm->Erster1, &QAction::triggered);
    f.Frm->Answers->setFocus();
    QTest::keySequence(f.Frm.get(), QKeySequence("Ctrl+S"));
    QTest::keySequence(f.Frm.get(), QKeySequence("Alt+1"));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(first.size(), 1);

    // A disabled item answers no key, shown or not.
    f.Frm->SetIsChanged(false);
    QTest::keySequence(f.Frm.get(), QKeySequence("Ctrl+S"));
    QCOMPARE(saved.size(), 1);
}

namespace {

// Notes what a menu draws for each item: the caption and, after a tab, the keys.
class TDrawnMenuItems : public QProxyStyle {
public:
    mutable QHash<QString, QString> Keys;  // by caption; empty where no keys are drawn

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
            item != nullptr && element == CE_MenuItem) {
            const qsizetype tab = item->text.indexOf(QLatin1Char('\t'));
            Keys.insert(item->text.left(tab), tab < 0 ? QString() : item->text.mid(tab + 1));
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

}  // namespace

void TestLayout::helpMenuShowsAndAnswersItsShortcutsInBothStates_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::newRow("empty") << false;
    QTest::newRow("loaded") << true;
}

void TestLayout::helpMenuShowsAndAnswersItsShortcutsInBothStates()
{
    // A stand-in shortcut that stayed on beside a shown item would make the key
    // ambiguous, and then neither would answer it.
    QFETCH(bool, loaded);
    TDrawnMenuItems drawn;  // outlives the menu that draws with it
    TWindowFixture f;
    if (loaded)
        f.Install(Document(2));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;

    // The menu as the user opens it from the bar, by its access key.
    w.N4->setStyle(&drawn);
    QTest::keyClick(&w, Qt::Key_Question, Qt::AltModifier);
    QTRY_VERIFY(w.N4->isVisible());
    w.N4->grab();
    QCOMPARE(drawn.Keys.value(QStringLiteral("&Hilfethemen")),
             QKeySequence(Qt::ALT | Qt::Key_H).toString(QKeySequence::NativeText));
    QCOMPARE(drawn.Keys.value(QStringLiteral("&Info &über ...")),
             QKeySequence(Qt::ALT | Qt::Key_Y).toString(QKeySequence::NativeText));
    QTest::keyClick(w.N4, Qt::Key_Escape);
    QTest::keyClick(w.MainMenu1, Qt::Key_Escape);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);

    QSignalSpy topics(w.Hilfethemen1, &QAction::triggered);
    QSignalSpy about(w.Infober1, &QAction::triggered);
    QWidget *target = loaded ? static_cast<QWidget *>(w.Question1) : &w;
    target->setFocus();
    QTest::keySequence(&w, QKeySequence(Qt::ALT | Qt::Key_H));
    QTest::keySequence(&w, QKeySequence(Qt::ALT | Qt::Key_Y));
    QCOMPARE(topics.size(), 1);
    QCOMPARE(about.size(), 1);
    QCOMPARE(f.Seam->HelpCommands.size(), 1);
}

void TestLayout::editPopupShortcutsComeBeforeTheMainMenu()
{
    TWindowFixture f;
    f.Install(Document(1));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    QSignalSpy popupPaste(w.Einfgen2, &QAction::triggered);
    QSignalSpy menuPaste(w.Einfgen1, &QAction::triggered);
    QSignalSpy popupDelete(w.Lschen1, &QAction::triggered);

    w.Question1->setFocus();
    QTest::keyClick(w.Question1, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w.Question1, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(popupPaste.size(), 1);
    QCOMPARE(popupDelete.size(), 1);
    QCOMPARE(menuPaste.size(), 0);

    // Away from the fields the main menu's item answers.
    w.Answers->setFocus();
    QTest::keyClick(w.Answers, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(menuPaste.size(), 1);
    QCOMPARE(popupPaste.size(), 1);
}

void TestLayout::hiddenMenusAnswerNoAccessLetter()
{
    TWindowFixture f;
    QVERIFY(f.ShowActive());
    // "&Ansicht" is never shown, "&Bearbeiten" not while the window is empty.
    for (Qt::Key letter : {Qt::Key_A, Qt::Key_B}) {
        QTest::keyClick(f.Frm.get(), letter, Qt::AltModifier);
        QCOMPARE(f.Frm->MainMenu1->activeAction(), nullptr);
    }
}

void TestLayout::fileDialogsAreDescribed()
{
    TWindowFixture f;
    const TKelmorFrm &w = *f.Frm;
    QCOMPARE(w.OpenDialog1.Title, QStringLiteral("Mirola-Datei öffnen..."));
    const QList<TFilterEntry> open = ParseFileFilter(w.OpenDialog1.Filter);
    QCOMPARE(open.size(), 4);
    QCOMPARE(open.at(0).Patterns, (QStringList{"*.mfd", "*.dat"}));
    QCOMPARE(open.at(1).Patterns, QStringList{"*.raf"});
    QCOMPARE(open.at(2).Patterns, QStringList{"*.csv"});
    QCOMPARE(open.at(3).Description, QStringLiteral("Alle Dateien (*.*)"));
    QCOMPARE(w.OpenDialog1.Options, TOpenOption::ofHideReadOnly | TOpenOption::ofEnableSizing);
    // Saving and exporting ask about replacing a file themselves.
    QCOMPARE(w.SaveDialog1.Options, TOpenOptions());
    QVERIFY(!w.SaveDialog2.Options.testFlag(TOpenOption::ofOverwritePrompt));
    QCOMPARE(ParseFileFilter(w.SaveDialog2.Filter).size(), 3);
    QCOMPARE(w.SaveDialog2.DefaultExt, QStringLiteral("*.RAF"));
    QVERIFY(w.OpenDialog1.DefaultExt.isEmpty());
}

enum class TFileDialog { Open, Export };

void TestLayout::fileDialogEntriesShowTheirCaptionsAndReportTheirPlace_data()
{
    QTest::addColumn<TFileDialog>("dialog");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("files");
    const QStringList raf = {"spiel.raf"};
    const QStringList csv = {"tabelle.csv"};
    QTest::newRow("open, question texts")
        << TFileDialog::Open << 4 << 1 << "Mirola Fragetexte (*.mfd)" << QStringList{"alt.dat", "fragen.mfd"};
    QTest::newRow("open, record files") << TFileDialog::Open << 4 << 2 << "Mirola RAF-Dateien (*.raf)" << raf;
    QTest::newRow("open, tables") << TFileDialog::Open << 4 << 3 << "CSV-Tabellen (*.csv)" << csv;
    QTest::newRow("open, all files") << TFileDialog::Open << 4 << 4 << "Alle Dateien (*.*)"
                                     << QStringList{"alt.dat", "fragen.mfd", "notiz.txt", "spiel.raf", "tabelle.csv"};
    // The export's two game entries share their patterns; only their place tells them apart.
    QTest::newRow("export, DOS edition") << TFileDialog::Export << 3 << 1 << "Mirola Classic DOS-RAF (*.raf)" << raf;
    QTest::newRow("export, Windows edition") << TFileDialog::Export << 3 << 2 << "Mirola 2 Windows-RAF (*.raf)" << raf;
    QTest::newRow("export, table") << TFileDialog::Export << 3 << 3 << "CSV-Tabelle (*.csv)" << csv;
}

void TestLayout::fileDialogEntriesShowTheirCaptionsAndReportTheirPlace()
{
    QFETCH(TFileDialog, dialog);
    QFETCH(int, entries);
    QFETCH(int, entry);
    QFETCH(QString, caption);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    for (const char *name : {"fragen.mfd", "alt.dat", "spiel.raf", "notiz.txt", "tabelle.csv"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QFile::WriteOnly));
    }

    TWindowFixture f;
    const std::unique_ptr<QFileDialog> shown =
        dialog == TFileDialog::Open
            ? TQtPlatformSeam::MakeFileDialog(f.Frm->OpenDialog1, TQtPlatformSeam::TFileDialogKind::Open)
            : TQtPlatformSeam::MakeFileDialog(f.Frm->SaveDialog2, TQtPlatformSeam::TFileDialogKind::Save);
    shown->setDirectory(dir.path());
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
    auto *list = shown->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    QVERIFY(list != nullptr);
    QCOMPARE(list->count(), entries);
    QCOMPARE(TQtPlatformSeam::ChosenFilterIndex(*shown), 1);

    // The user steps down the list to the entry.
    for (int step = 1; step < entry; ++step)
        QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentText(), caption);
    QCOMPARE(TQtPlatformSeam::ChosenFilterIndex(*shown), entry);
    const auto *view = shown->findChild<QListView *>(QStringLiteral("listView"));
    QVERIFY(view != nullptr);
    const auto shownFiles = [view] {
        QStringList names;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        names.sort();
        return names;
    };
    QTRY_COMPARE_WITH_TIMEOUT(shownFiles(), files, 10000);
}

enum class TBox { Warning, Error, Information, Confirmation, PlainMessage, ErrorReport };

void TestLayout::messageBoxesCarryTheirCaptionAndIcon_data()
{
    QTest::addColumn<TBox>("box");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::newRow("warning") << TBox::Warning << "Warnung" << QMessageBox::Warning;
    QTest::newRow("error") << TBox::Error << "Fehler" << QMessageBox::Critical;
    QTest::newRow("information") << TBox::Information << "Informationen" << QMessageBox::Information;
    QTest::newRow("confirmation") << TBox::Confirmation << "Bestätigen" << QMessageBox::Question;
    QTest::newRow("plain message") << TBox::PlainMessage << "Kelmor für Mirola Classic" << QMessageBox::NoIcon;
    QTest::newRow("error report") << TBox::ErrorReport << "Kelmor für Mirola Classic" << QMessageBox::Critical;
}

void TestLayout::messageBoxesCarryTheirCaptionAndIcon()
{
    QFETCH(TBox, box);
    QFETCH(QString, caption);
    QFETCH(QMessageBox::Icon, icon);
    const QString testName = QCoreApplication::applicationName();
    const auto restoreName = qScopeGuard([&] { QCoreApplication::setApplicationName(testName); });
    QCoreApplication::setApplicationName(QStringLiteral("Kelmor für Mirola Classic"));

    const QString text = QStringLiteral("Datei \"Grüße.mfd\" ist schreibgeschützt.\rTrotzdem?");
    std::unique_ptr<QMessageBox> made;
    switch (box) {
    case TBox::Warning: made = TQtPlatformSeam::MakeMessageBox(text, TMsgDlgType::mtWarning, TMsgDlgBtn::mbOK); break;
    case TBox::Error: made = TQtPlatformSeam::MakeMessageBox(text, TMsgDlgType::mtError, TMsgDlgBtn::mbOK); break;
    case TBox::Information:
        made = TQtPlatformSeam::MakeMessageBox(text, TMsgDlgType::mtInformation, TMsgDlgBtn::mbOK);
        break;
    case TBox::Confirmation:
        made = TQtPlatformSeam::MakeMessageBox(text, TMsgDlgType::mtConfirmation, TMsgDlgBtn::mbOK);
        break;
    case TBox::PlainMessage: made = TQtPlatformSeam::MakeMessageBox(text, TQtPlatformSeam::TOkBox::PlainMessage); break;
    case TBox::ErrorReport: made = TQtPlatformSeam::MakeMessageBox(text, TQtPlatformSeam::TOkBox::ErrorReport); break;
    }
    QCOMPARE(made->windowTitle(), caption);
    QCOMPARE(made->icon(), icon);
    QCOMPARE(made->text(), QStringLiteral("Datei \"Grüße.mfd\" ist schreibgeschützt.\nTrotzdem?"));
    QCOMPARE(made->buttons().size(), 1);
    QCOMPARE(made->buttons().constFirst()->text(), QStringLiteral("OK"));
}

void TestLayout::messageBoxButtonsAreGermanAndGiveTheirAnswer_data()
{
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<TModalResult>("answer");
    const TMsgDlgButtons yesNoCancel = TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo | TMsgDlgBtn::mbCancel;
    const QStringList jaNeinAbbrechen = {"&Ja", "&Nein", "Abbrechen"};
    QTest::newRow("yes") << yesNoCancel << jaNeinAbbrechen << "&Ja" << TModalResult::mrYes;
    QTest::newRow("no") << yesNoCancel << jaNeinAbbrechen << "&Nein" << TModalResult::mrNo;
    QTest::newRow("cancel") << yesNoCancel << jaNeinAbbrechen << "Abbrechen" << TModalResult::mrCancel;
    QTest::newRow("no of two") << (TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo) << QStringList{"&Ja", "&Nein"} << "&Nein"
                               << TModalResult::mrNo;
    QTest::newRow("ok of two") << (TMsgDlgBtn::mbOK | TMsgDlgBtn::mbCancel) << QStringList{"OK", "Abbrechen"} << "OK"
                               << TModalResult::mrOK;
}

void TestLayout::messageBoxButtonsAreGermanAndGiveTheirAnswer()
{
    QFETCH(TMsgDlgButtons, buttons);
    QFETCH(QStringList, captions);
    QFETCH(QString, pressed);
    QFETCH(TModalResult, answer);
    const std::unique_ptr<QMessageBox> box =
        TQtPlatformSeam::MakeMessageBox(QStringLiteral("Änderungen speichern?"), TMsgDlgType::mtConfirmation, buttons);
    // The platform decides the order in which the buttons stand.
    QStringList shown;
    for (const QAbstractButton *button : box->buttons())
        shown << button->text();
    shown.sort();
    captions.sort();
    QCOMPARE(shown, captions);

    // The box is never run: a click on a button closes it all the same.
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == pressed)
            button->click();
    }
    QCOMPARE(TQtPlatformSeam::ResultOf(*box, buttons), answer);
}

namespace {

// Stands in for the browser: notes every address the desktop is asked to open.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl &url) { Opened.append(url); }
};

enum class TTextBox { Question, ErrorReport, PlainMessage, InputPrompt };

}  // namespace

void TestLayout::boxesShowMarkupAsItsCharacters_data()
{
    QTest::addColumn<TTextBox>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("file name with a link in a question")
        << TTextBox::Question << R"(Die Datei "<a href="https://example.org/">klick</a>.mfd" wurde geändert.)";
    QTest::newRow("count field in an error report")
        << TTextBox::ErrorReport << "':<b>1' ist kein gültiger Integerwert.";
    QTest::newRow("search term with a picture") << TTextBox::PlainMessage << R"(<img src="/etc/hosts"> nicht gefunden)";
    QTest::newRow("link in an input prompt")
        << TTextBox::InputPrompt << R"(Datensatz von <a href="https://example.org/">klick</a>:)";
}

void TestLayout::boxesShowMarkupAsItsCharacters()
{
    // A file name, a search term or a file's content reaches these texts: none of it
    // may be drawn as markup, and a click on it opens nothing.
    QFETCH(TTextBox, box);
    QFETCH(QString, text);
    TUrlCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "Open");
    const auto dropHandler = qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); });

    std::unique_ptr<QDialog> shown;
    switch (box) {
    case TTextBox::Question:
        shown = TQtPlatformSeam::MakeMessageBox(text, TMsgDlgType::mtConfirmation,
                                                TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo | TMsgDlgBtn::mbCancel);
        break;
    case TTextBox::ErrorReport:
        shown = TQtPlatformSeam::MakeMessageBox(text, TQtPlatformSeam::TOkBox::ErrorReport);
        break;
    case TTextBox::PlainMessage:
        shown = TQtPlatformSeam::MakeMessageBox(text, TQtPlatformSeam::TOkBox::PlainMessage);
        break;
    case TTextBox::InputPrompt:
        shown = TQtPlatformSeam::MakeInputDialog(QStringLiteral("Gehe zu"), text, QStringLiteral("1"));
        break;
    }
    QLabel *label = nullptr;
    for (QLabel *candidate : shown->findChildren<QLabel *>()) {
        if (candidate->text() == text)
            label = candidate;
    }
    QVERIFY2(label != nullptr, "no label shows the text");
    QCOMPARE(label->textFormat(), Qt::PlainText);

    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));

    // Clicks all over the text, wherever a link would stand.
    QSignalSpy links(label, &QLabel::linkActivated);
    const QRect inside = label->contentsRect();
    for (int y = inside.top() + 2; y < inside.bottom(); y += 4) {
        for (int x = inside.left() + 2; x < inside.right(); x += 6)
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(x, y));
    }
    QCOMPARE(links.size(), 0);
    QVERIFY(browser.Opened.isEmpty());
}

void TestLayout::statusLineShowsMarkupAsItsCharacters()
{
    TBevelPanel panel(TBevelPanel::bvNone, TBevelPanel::bvLowered, 2);
    const QString text = QStringLiteral("<b>Fett</b> & <i>schräg</i>");
    panel.setText(text);
    const QMargins bevel = panel.contentsMargins();
    QVERIFY(panel.sizeHint().width() - bevel.left() - bevel.right() >= panel.fontMetrics().horizontalAdvance(text));
}

void TestLayout::captionKeepsAChangedMarkOfTheFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("inside") << "alt[*]neu.mfd";
    QTest::newRow("twice") << "[*][*].mfd";
    QTest::newRow("at the start, with the caption's bracket") << "*]quiz.mfd";
}

void TestLayout::captionKeepsAChangedMarkOfTheFileName()
{
    // A window title takes "[*]" for the place of its changed mark and drops it.
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Named as given, without a folder, so that the name stands right after the
    // caption's bracket.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const auto goBack = qScopeGuard([&before] { QDir::setCurrent(before); });
    Document(2)->SaveToFile(QFile::encodeName(name).toStdString(), ftTXT);
    TWindowFixture f({QFile::encodeName(name)});
    QVERIFY(f.Frm->IsFileLoaded());
    QCOMPARE(f.Frm->dokname, name);
    QVERIFY(f.ShowActive());
    QCOMPARE(f.Frm->windowHandle()->title(), QStringLiteral("Kelmor für Mirola - [%1]").arg(name));
}

void TestLayout::fieldsTakeTheSchemesTextColourAndHintsStayReadable()
{
    // On a dark scheme a field's text must be the scheme's light text, not black on
    // its dark ground, also for a window made before the scheme changed.
    const QPalette tipsBefore = QToolTip::palette();
    const auto restoreTips = qScopeGuard([&tipsBefore] { QToolTip::setPalette(tipsBefore); });
    QPalette lightTips = tipsBefore;
    lightTips.setColor(QPalette::ToolTipText, QColor(0xef, 0xf0, 0xf1));
    QToolTip::setPalette(lightTips);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    const QPalette before = QApplication::palette();
    const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
    QPalette dark = before;
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Text, QColor(0xef, 0xf0, 0xf1));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();  // the change reaches the widgets as an event
    for (QWidget *field : std::initializer_list<QWidget *>{w.Question1, w.Question2, w.Question3, w.CommentEdit,
                                                           w.AnswerEdit, w.Answers})
        QCOMPARE(field->palette().color(QPalette::Text), QColor(0xef, 0xf0, 0xf1));
    // Hints keep their white ground, so their text is dark whatever the scheme's is.
    QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase), QColor(Qt::white));
    QCOMPARE(QToolTip::palette().color(QPalette::ToolTipText), QColor(Qt::black));
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
