// The help: the requests the window makes, F1, and the help book in its window with
// its contents, its index, its links and its page of keyboard shortcuts.
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextTable>
#include <QToolButton>

#include "aboutbox.h"
#include "editfield.h"
#include "helpwindow.h"
#include "neuedatdlg.h"
#include "qtplatformseam.h"
#include "windowfixture.h"

namespace {

using THelpRequest = QPair<unsigned, QVariant>;

QString PageName(const QUrl &page)
{
    QString name = page.fileName();
    if (page.hasFragment())
        name += QLatin1Char('#') + page.fragment();
    return name;
}

QUrl Page(const QString &name)
{
    return THelpBook::StartPage().resolved(QUrl(name));
}

QStringList ShownEntries(const QListWidget &list)
{
    QStringList shown;
    for (int row = 0; row < list.count(); ++row) {
        if (!list.item(row)->isHidden())
            shown << list.item(row)->text();
    }
    return shown;
}

// The anchors a page defines and the links it holds, as a reader's browser sees them.
struct TPageLinks {
    QSet<QString> Anchors;
    QStringList Links;
};

TPageLinks LinksOf(const QString &html)
{
    TPageLinks found;
    QTextDocument doc;
    doc.setHtml(html);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString &name : format.anchorNames())
                found.Anchors.insert(name);
            if (!format.anchorHref().isEmpty() && !found.Links.contains(format.anchorHref()))
                found.Links << format.anchorHref();
        }
    }
    return found;
}

// The rows of the tables of keys on a page, those headed "Taste": the keys and the
// command.
QSet<QPair<QString, QString>> ShortcutRows(const QString &html)
{
    QSet<QPair<QString, QString>> rows;
    QTextDocument doc;
    doc.setHtml(html);
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (table == nullptr)
            continue;
        const auto text = [table](int row, int column) {
            const QTextTableCell cell = table->cellAt(row, column);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            return cursor.selectedText();
        };
        if (text(0, 0) != QStringLiteral("Taste"))
            continue;
        for (int row = 1; row < table->rows(); ++row)
            rows.insert({text(row, 0), text(row, 1)});
    }
    return rows;
}

// The text of a page's section: from the heading that holds `anchor` to the next
// heading.
QString SectionText(const QString &html, const QString &anchor)
{
    QTextDocument doc;
    doc.setHtml(html);
    QString text;
    bool inSection = false;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const bool heading = block.blockFormat().headingLevel() > 0;
        if (inSection && heading)
            break;
        for (auto it = block.begin(); !inSection && !it.atEnd(); ++it)
            inSection = it.fragment().charFormat().anchorNames().contains(anchor);
        if (inSection && !heading)
            text += block.text() + QLatin1Char(' ');
    }
    return text.simplified();
}

// What the menus promise: each item with a shortcut, by its keys and its caption.
QSet<QPair<QString, QString>> MenuShortcuts(const TKelmorFrm &w)
{
    QSet<QPair<QString, QString>> rows;
    for (const QAction *item : w.findChildren<QAction *>()) {
        if (item->shortcut().isEmpty() || item->menu() != nullptr)
            continue;
        QString caption = item->text();
        caption.remove(QLatin1Char('&'));
        QStringList keys;
        for (const QKeySequence &key : item->shortcuts())
            keys << key.toString(QKeySequence::NativeText);
        rows.insert({keys.join(QStringLiteral(", ")), caption});
    }
    return rows;
}

// Notes the application's request to end its event loop.
class TQuitWatch : public QObject {
public:
    bool Seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Quit)
            Seen = true;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

enum class TWay { MenuItem, ToolButton, Keys, DialogButton };
Q_DECLARE_METATYPE(TWay)

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void helpCommandsSendTheirRequests_data();
    void helpCommandsSendTheirRequests();
    void everyRequestTheProgramMakesFindsItsTopic();
    void helpRequestsLandOnTheirTopic_data();
    void helpRequestsLandOnTheirTopic();
    void realSeamOpensTheHelpWindowBesideADialog();
    void helpLeftOpenDoesNotKeepTheProgramRunning();
    void f1AsksForTheTopicOfWhereItIsPressed_data();
    void f1AsksForTheTopicOfWhereItIsPressed();
    void indexNarrowsAsOneTypes();
    void keywordMatchesTheStartOfAWord_data();
    void keywordMatchesTheStartOfAWord();
    void contentsBackAndForward();
    void everyLinkOfTheBookResolves();
    void shortcutPageIsMadeFromTheMenus();
    void findNextPageSaysWhereTheSearchGoesOn();
    void pagesTakeTheColoursOfADarkScheme();
};

void TestHelp::helpCommandsSendTheirRequests_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<TWay>("way");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<unsigned>("command");
    QTest::addColumn<QVariant>("data");
    QTest::newRow("help topics") << "Hilfethemen1" << TWay::MenuItem << false << unsigned(HELP_CONTENTS) << QVariant(0);
    QTest::newRow("help button") << "HelpButton" << TWay::ToolButton << true << unsigned(HELP_CONTENTS) << QVariant(0);
    QTest::newRow("Alt+H") << "Alt+H" << TWay::Keys << false << unsigned(HELP_CONTENTS) << QVariant(0);
    QTest::newRow("search the help") << "InderHilfesuchen1" << TWay::MenuItem << true << unsigned(HELP_KEY)
                                     << QVariant(QString());
    QTest::newRow("help index button") << "HelpIndexButton" << TWay::ToolButton << false << unsigned(HELP_KEY)
                                       << QVariant(QString());
    QTest::newRow("using the help") << "Hilfeverwenden1" << TWay::MenuItem << false << unsigned(HELP_CONTEXT)
                                    << QVariant(QStringLiteral("HilfeVerwenden"));
    QTest::newRow("new file dialog") << "Button3" << TWay::DialogButton << false << unsigned(HELP_CONTEXT)
                                     << QVariant(QStringLiteral("NeueMirolaDatei"));
}

void TestHelp::helpCommandsSendTheirRequests()
{
    QFETCH(QString, element);
    QFETCH(TWay, way);
    QFETCH(bool, loaded);
    QFETCH(unsigned, command);
    QFETCH(QVariant, data);
    TWindowFixture f;
    if (loaded)
        f.Install(DistinctDocument(2));
    QVERIFY(f.ShowActive());
    TKelmorFrm &w = *f.Frm;
    switch (way) {
    case TWay::MenuItem: {
        auto *item = w.findChild<QAction *>(element);
        QVERIFY(item->isVisible());
        QVERIFY(f.Trigger(item));
        break;
    }
    case TWay::ToolButton: QTest::mouseClick(w.findChild<QToolButton *>(element), Qt::LeftButton); break;
    case TWay::Keys: QTest::keySequence(&w, QKeySequence(element)); break;
    case TWay::DialogButton:
        f.Seam->DialogAnswers.push_back([&element](QDialog &dialog) {
            QTest::mouseClick(dialog.findChild<QPushButton *>(element), Qt::LeftButton);
            return int(QDialog::Rejected);
        });
        QVERIFY(f.Trigger(w.Neu1));
        break;
    }
    QCOMPARE(f.Seam->HelpCommands, (QList<THelpRequest>{{command, data}}));
    QVERIFY(f.Seam->HelpContexts.isEmpty());
    QVERIFY(f.Seam->Calls.size() == (way == TWay::DialogButton ? 1 : 0));  // no message with it
}

void TestHelp::everyRequestTheProgramMakesFindsItsTopic()
{
    // Every help request that the window and its dialogs send, handed to the help
    // window, shows a page of its own: a topic name the book lacks would show the
    // start page.
    TWindowFixture f({QByteArrayLiteral("-h")});
    TKelmorFrm &w = *f.Frm;
    for (QAction *item : {w.Hilfethemen1, w.InderHilfesuchen1, w.Hilfeverwenden1})
        QVERIFY(f.Trigger(item));
    f.Seam->DialogAnswers.push_back([](QDialog &dialog) {
        static_cast<TNeueDatDlg &>(dialog).Button3Click(nullptr);
        return int(QDialog::Rejected);
    });
    QVERIFY(f.Trigger(w.Neu1));
    f.Seam->DialogAnswers.push_back([](QDialog &dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button3")), Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    QVERIFY(f.Trigger(w.Suchen1));  // the search form
    w.ContextHelp(&w);
    QCOMPARE(f.Seam->HelpCommands.size(), 6);
    QCOMPARE(f.Seam->HelpContexts.size(), 1);

    THelpWindow help(&w);
    QStringList landed;
    for (const THelpRequest &request : f.Seam->HelpCommands) {
        help.HelpCommand(request.first, request.second);
        landed << PageName(help.CurrentPage()) + QLatin1Char('/') + help.Tabs->tabText(help.Tabs->currentIndex());
    }
    help.HelpContext(f.Seam->HelpContexts.constFirst());
    landed << PageName(help.CurrentPage());
    QCOMPARE(landed,
             (QStringList{"inhalt.html/&Inhalt", "inhalt.html/&Inhalt", "inhalt.html/In&dex", "hilfe.html/&Inhalt",
                          "neuedatei.html/&Inhalt", "suchen.html/&Inhalt", "fenster.html"}));
    QVERIFY(help.isVisible());
}

void TestHelp::helpRequestsLandOnTheirTopic_data()
{
    QTest::addColumn<unsigned>("command");
    QTest::addColumn<QVariant>("data");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("index");
    QTest::newRow("contents") << unsigned(HELP_CONTENTS) << QVariant(0) << "inhalt.html" << false;
    QTest::newRow("topic 1") << unsigned(HELP_CONTEXT) << QVariant(1) << "fenster.html" << false;
    QTest::newRow("topic 6") << unsigned(HELP_CONTEXT) << QVariant(6) << "neuedatei.html" << false;
    QTest::newRow("unknown topic number") << unsigned(HELP_CONTEXT) << QVariant(999) << "inhalt.html" << false;
    QTest::newRow("search form's topic") << unsigned(HELP_CONTEXT) << QVariant(QStringLiteral("Suchen"))
                                         << "suchen.html" << false;
    QTest::newRow("topic name in other case")
        << unsigned(HELP_CONTEXT) << QVariant(QStringLiteral("neuemiroladatei")) << "neuedatei.html" << false;
    QTest::newRow("unknown topic name") << unsigned(HELP_CONTEXT) << QVariant(QStringLiteral("Gibtsnicht"))
                                        << "inhalt.html" << false;
    QTest::newRow("keyword of one entry")
        << unsigned(HELP_KEY) << QVariant(QStringLiteral("weitersuchen")) << "suchen.html#weiter" << true;
    QTest::newRow("keyword of several pages")
        << unsigned(HELP_KEY) << QVariant(QStringLiteral("Inhalt")) << "kommandozeile.html" << true;
}

void TestHelp::helpRequestsLandOnTheirTopic()
{
    QFETCH(unsigned, command);
    QFETCH(QVariant, data);
    QFETCH(QString, page);
    QFETCH(bool, index);
    THelpWindow help;
    help.ShowPage(Page(QStringLiteral("kommandozeile.html")));  // somewhere else first
    help.HelpCommand(command, data);
    QVERIFY(help.isVisible());
    QCOMPARE(PageName(help.CurrentPage()), page);
    QCOMPARE(help.Tabs->currentWidget() == help.ContentsList, !index);
    if (index) {
        QCOMPARE(help.KeywordEdit->text(), data.toString());
        QVERIFY(!ShownEntries(*help.IndexList).isEmpty());
    } else {
        QCOMPARE(help.ContentsList->currentItem()->text(), help.Book().Title(help.CurrentPage()));
    }
}

void TestHelp::realSeamOpensTheHelpWindowBesideADialog()
{
    QWidget owner;
    TQtPlatformSeam seam(&owner);
    QVERIFY(seam.HelpWindow() == nullptr);
    seam.HelpContext(1);
    THelpWindow *help = seam.HelpWindow();
    QVERIFY(help != nullptr && help->isVisible());
    QCOMPARE(PageName(help->CurrentPage()), QStringLiteral("fenster.html"));

    // Asked for from a modal dialog, the help can be used while the dialog waits.
    TScriptedSeam unused;
    TNeueDatDlg dialog(unused, &owner);
    bool backWorked = false;
    QMetaObject::invokeMethod(
        &dialog,
        [&] {
            seam.HelpCommand(HELP_CONTEXT, kNewFileHelpTopic);
            QCOMPARE(PageName(help->CurrentPage()), QStringLiteral("neuedatei.html"));
            // Through the window system, which holds back input from blocked windows.
            QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                              help->BackButton->mapTo(help, help->BackButton->rect().center()));
            backWorked = PageName(help->CurrentPage()) == QStringLiteral("fenster.html");
            dialog.reject();
        },
        Qt::QueuedConnection);
    dialog.exec();
    QVERIFY(backWorked);
}

void TestHelp::helpLeftOpenDoesNotKeepTheProgramRunning()
{
    // As the program runs: the event loop ends when the last window closes.
    QWidget main;
    TQtPlatformSeam seam(&main);
    TQuitWatch quit;
    qApp->installEventFilter(&quit);
    bool endedByItself = true;
    bool helpShown = false;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            main.show();
            seam.HelpCommand(HELP_CONTENTS, 0);
            helpShown = seam.HelpWindow()->isVisible();
            main.close();  // the program's last window: the event loop is to end
            // Runs after the loop was asked to end, unless something keeps the program up.
            QMetaObject::invokeMethod(
                qApp,
                [&] {
                    if (quit.Seen)
                        return;
                    endedByItself = false;
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    QCoreApplication::exec();
    qApp->removeEventFilter(&quit);
    QVERIFY(helpShown);
    QVERIFY(endedByItself);
}

enum class TF1Place { EmptyWindow, EditField, OpenMenu, NewFileDialog, AboutBox };
Q_DECLARE_METATYPE(TF1Place)

void TestHelp::f1AsksForTheTopicOfWhereItIsPressed_data()
{
    QTest::addColumn<TF1Place>("place");
    QTest::addColumn<QList<int>>("contexts");
    QTest::newRow("empty window") << TF1Place::EmptyWindow << QList<int>{1};
    QTest::newRow("edit field") << TF1Place::EditField << QList<int>{1};
    QTest::newRow("open menu") << TF1Place::OpenMenu << QList<int>{0};
    QTest::newRow("new file dialog") << TF1Place::NewFileDialog << QList<int>{};
    QTest::newRow("about box") << TF1Place::AboutBox << QList<int>{};
}

void TestHelp::f1AsksForTheTopicOfWhereItIsPressed()
{
    QFETCH(TF1Place, place);
    QFETCH(QList<int>, contexts);
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    w.AboutBox = new TAboutBox(w.Seam(), &w);
    if (place != TF1Place::EmptyWindow)
        f.Install(DistinctDocument(2));
    QVERIFY(f.ShowActive());
    bool dialogActive = false;
    const auto inDialog = [&dialogActive](QDialog &dialog) {
        dialog.show();
        dialog.activateWindow();
        dialogActive = QTest::qWaitFor([&dialog] { return QApplication::activeWindow() == &dialog; });
        if (dialogActive)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        dialog.hide();
        return int(QDialog::Rejected);
    };
    switch (place) {
    case TF1Place::EmptyWindow: QTest::keyClick(&w, Qt::Key_F1); break;
    case TF1Place::EditField:
        w.CommentEdit->setFocus();
        QTest::keyClick(w.CommentEdit, Qt::Key_F1);
        break;
    case TF1Place::OpenMenu:
        w.MainMenu1->setActiveAction(w.Datensatz1->menuAction());
        QVERIFY(QTest::qWaitForWindowExposed(w.Datensatz1));
        QTest::keyClick(w.Datensatz1, Qt::Key_F1);
        QVERIFY(!w.Datensatz1->isVisible());  // the menu does not stay open over the help
        break;
    case TF1Place::NewFileDialog:
        f.Seam->DialogAnswers.push_back(inDialog);
        QVERIFY(f.Trigger(w.Neu1));
        QVERIFY(dialogActive);
        break;
    case TF1Place::AboutBox:
        f.Seam->DialogAnswers.push_back(inDialog);
        QVERIFY(f.Trigger(w.Infober1));
        QVERIFY(dialogActive);
        break;
    }
    QCOMPARE(f.Seam->HelpContexts, contexts);
    QVERIFY(f.Seam->HelpCommands.isEmpty());
}

void TestHelp::indexNarrowsAsOneTypes()
{
    THelpWindow help;
    help.HelpCommand(HELP_KEY, QString());
    QVERIFY(QTest::qWaitForWindowActive(&help));
    const QStringList all = ShownEntries(*help.IndexList);
    QCOMPARE(all.size(), help.IndexList->count());
    QVERIFY(all.contains(QStringLiteral("Änderungen speichern")));

    QTest::keyClicks(help.KeywordEdit, QStringLiteral("spei"));
    QStringList shown = ShownEntries(*help.IndexList);
    QVERIFY2(shown.contains(QStringLiteral("Speichern unter")) &&
                 shown.contains(QStringLiteral("Änderungen speichern")),
             qPrintable(shown.join(", ")));
    QVERIFY(!shown.contains(QStringLiteral("Suchen")));
    for (const QString &entry : shown)
        QVERIFY2(KeywordMatches(entry, QStringLiteral("spei")), qPrintable(entry));
    QCOMPARE(help.IndexList->currentItem()->text(), shown.constFirst());

    QTest::keyClicks(help.KeywordEdit, QStringLiteral("chern u"));
    QCOMPARE(ShownEntries(*help.IndexList), QStringList{QStringLiteral("Speichern unter")});
    QTest::keyClick(help.KeywordEdit, Qt::Key_Return);
    QCOMPARE(PageName(help.CurrentPage()), QStringLiteral("dateien.html#speichern"));

    // Taking letters back widens the list again; the arrow keys walk what is shown.
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(help.KeywordEdit, Qt::Key_Backspace);
    QCOMPARE(help.KeywordEdit->text(), QStringLiteral("spe"));
    shown = ShownEntries(*help.IndexList);
    QVERIFY(shown.size() >= 3);
    QTest::keyClick(help.KeywordEdit, Qt::Key_Down);
    QCOMPARE(help.IndexList->currentItem()->text(), shown.at(1));
    QTest::keyClick(help.KeywordEdit, Qt::Key_Up);
    QTest::keyClick(help.KeywordEdit, Qt::Key_Up);
    QCOMPARE(help.IndexList->currentItem()->text(), shown.at(0));

    QTest::keyClicks(help.KeywordEdit, QStringLiteral("xq"));
    QVERIFY(ShownEntries(*help.IndexList).isEmpty());
    QTest::keyClick(help.KeywordEdit, Qt::Key_Return);  // nothing to show
    QCOMPARE(PageName(help.CurrentPage()), QStringLiteral("dateien.html#speichern"));
}

void TestHelp::keywordMatchesTheStartOfAWord_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    // clang-format off
    QTest::newRow("start") << "Speichern unter" << "spei" << true;
    QTest::newRow("later word") << "Speichern unter" << "unt" << true;
    QTest::newRow("umlaut word") << "Änderungen speichern" << "änd" << true;
    QTest::newRow("inside a word") << "Exportieren" << "port" << false;
    QTest::newRow("punctuation") << ".mfd" << "mfd" << true;
    QTest::newRow("with its dot") << ".mfd" << ".mf" << true;
    QTest::newRow("across words") << "Speichern unter" << "speichern u" << true;
    QTest::newRow("nothing typed") << "Suchen" << "" << true;
    // clang-format on
}

void TestHelp::keywordMatchesTheStartOfAWord()
{
    QFETCH(QString, keyword);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    QCOMPARE(KeywordMatches(keyword, typed), matches);
}

void TestHelp::contentsBackAndForward()
{
    THelpWindow help;
    help.HelpCommand(HELP_CONTENTS, 0);
    // The contents are the start page and the topics it lists, every page of the book.
    QStringList contents;
    for (int row = 0; row < help.ContentsList->count(); ++row)
        contents << help.ContentsList->item(row)->text();
    QCOMPARE(contents.size(), help.Book().Pages().size());
    QCOMPARE(contents.constFirst(), QStringLiteral("Willkommen"));
    QVERIFY(contents.contains(QStringLiteral("Das Hauptfenster auf einen Blick")));
    QVERIFY(!help.BackButton->isEnabled());

    QListWidgetItem *search = help.ContentsList->findItems(QStringLiteral("Text suchen"), Qt::MatchExactly).value(0);
    QTest::mouseClick(help.ContentsList->viewport(), Qt::LeftButton, {},
                      help.ContentsList->visualItemRect(search).center());
    QCOMPARE(PageName(help.CurrentPage()), QStringLiteral("suchen.html"));
    help.ShowPage(Page(QStringLiteral("navigation.html#gehezu")));  // a link followed
    QCOMPARE(help.ContentsList->currentItem()->text(), help.Book().Title(Page(QStringLiteral("navigation.html"))));

    QVERIFY(help.BackButton->isEnabled());
    QVERIFY(!help.ForwardButton->isEnabled());
    QTest::mouseClick(help.BackButton, Qt::LeftButton);
    QCOMPARE(PageName(help.CurrentPage()), QStringLiteral("suchen.html"));
    QCOMPARE(help.ContentsList->currentItem(), search);
    QTest::mouseClick(help.BackButton, Qt::LeftButton);
    QCOMPARE(PageName(help.CurrentPage()), QStringLiteral("inhalt.html"));
    QVERIFY(!help.BackButton->isEnabled());
    QTest::mouseClick(help.ForwardButton, Qt::LeftButton);
    QTest::mouseClick(help.ForwardButton, Qt::LeftButton);
    QCOMPARE(PageName(help.CurrentPage()), QStringLiteral("navigation.html#gehezu"));
    QVERIFY(!help.ForwardButton->isEnabled());
    QTest::mouseClick(help.HomeButton, Qt::LeftButton);
    QCOMPARE(PageName(help.CurrentPage()), QStringLiteral("inhalt.html"));
}

void TestHelp::everyLinkOfTheBookResolves()
{
    const THelpBook book;
    QHash<QUrl, TPageLinks> pages;
    for (const QUrl &page : book.Pages()) {
        const QString html = book.Html(page);
        QVERIFY2(!html.isEmpty(), qPrintable(page.toString()));
        QVERIFY2(!book.Title(page).isEmpty(), qPrintable(page.toString()));
        pages.insert(page, LinksOf(html));
    }
    QVERIFY(pages.size() >= 10);
    const auto resolves = [&pages](const QUrl &target) {
        const auto found = pages.constFind(target.adjusted(QUrl::RemoveFragment));
        return found != pages.constEnd() && (!target.hasFragment() || found->Anchors.contains(target.fragment()));
    };
    int links = 0;
    for (auto page = pages.constBegin(); page != pages.constEnd(); ++page) {
        for (const QString &link : page->Links) {
            const QUrl target = page.key().resolved(QUrl(link));
            QVERIFY2(resolves(target), qPrintable(page.key().fileName() + " -> " + link));
            ++links;
        }
    }
    QVERIFY(links > 25);
    for (const THelpIndexEntry &entry : book.Index())
        QVERIFY2(resolves(entry.Target), qPrintable(entry.Keyword + " -> " + entry.Target.toString()));
    for (const QUrl &page : book.Contents())
        QVERIFY(resolves(page));
}

void TestHelp::shortcutPageIsMadeFromTheMenus()
{
    TWindowFixture f;
    TKelmorFrm &w = *f.Frm;
    const THelpBook book(&w);
    const QUrl keys = Page(QStringLiteral("tastatur.html"));
    QSet<QPair<QString, QString>> promised = MenuShortcuts(w);
    QVERIFY(promised.contains({QKeySequence(Qt::ALT | Qt::Key_H).toString(QKeySequence::NativeText), "Hilfethemen"}));
    QCOMPARE(ShortcutRows(book.Html(keys)), promised);

    // A shortcut given another key shows on the page with its new key.
    w.Gehezu1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    w.Lschen1->setShortcut(QKeySequence());
    promised = MenuShortcuts(w);
    QVERIFY(promised.contains({QKeySequence(Qt::CTRL | Qt::Key_G).toString(QKeySequence::NativeText), "Gehe zu..."}));
    QCOMPARE(ShortcutRows(book.Html(keys)), promised);
}

void TestHelp::findNextPageSaysWhereTheSearchGoesOn()
{
    // F3 goes on from the last hit only while that hit's record is shown; a reader who
    // has moved on to another record must learn that it searches from there.
    const THelpBook book;
    const QString section = SectionText(book.Html(Page(QStringLiteral("suchen.html"))), QStringLiteral("weiter"));
    QVERIFY2(section.startsWith(QStringLiteral("Weitersuchen (F3)")), qPrintable(section));
    QVERIFY2(section.contains(QStringLiteral("Solange die Frage mit der letzten Fundstelle angezeigt wird, geht "
                                             "die Suche ab dieser Fundstelle weiter")),
             qPrintable(section));
    QVERIFY2(section.contains(QStringLiteral("Zeigt Kelmor inzwischen eine andere Frage an")) &&
                 section.contains(QStringLiteral("sucht F3 ab der angezeigten Frage")),
             qPrintable(section));
}

void TestHelp::pagesTakeTheColoursOfADarkScheme()
{
    // A light scheme gets the pages as written; a dark one its own text and link
    // colours in place of the near-black text and navy headings, also in a window
    // that was open when the scheme changed.
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Text, QColor(0xef, 0xf0, 0xf1));
    dark.setColor(QPalette::Link, QColor(0x1d, 0x99, 0xf3));
    const QString written = HelpStyleSheet(light);
    QVERIFY(written.contains(QStringLiteral("color: #1a1a1a")) && written.contains(QStringLiteral("color: #1f2d5a")));

    THelpWindow help;
    help.ShowPage(Page(QStringLiteral("suchen.html")));
    QCOMPARE(help.Browser->document()->defaultStyleSheet(), HelpStyleSheet(help.palette()));
    help.setPalette(dark);
    const QString css = help.Browser->document()->defaultStyleSheet();
    QVERIFY2(css.contains(QStringLiteral("body { font-family")) && css.contains(QStringLiteral("color: #eff0f1")) &&
                 css.contains(QStringLiteral("color: #1d99f3")) && !css.contains(QStringLiteral("#1a1a1a")) &&
                 !css.contains(QStringLiteral("#1f2d5a")) && !css.contains(QStringLiteral("#444444")),
             qPrintable(css));
    // The page shown was laid out again: its heading is in the scheme's link colour.
    const QTextBlock heading = help.Browser->document()->begin();
    QCOMPARE(heading.text(), QStringLiteral("Text suchen"));
    QCOMPARE(heading.charFormat().foreground().color(), QColor(0x1d, 0x99, 0xf3));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
