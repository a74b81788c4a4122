#pragma once
// THelpBook: the program's help, German HTML pages kept in its resources under
// ":/help". The book reads what it needs from the pages themselves, so a page is
// added or changed without touching code:
//   - the contents are the start page followed by the pages it links to, in order;
//   - a page's head names the topic that help requests ask for, by number or by name:
//       <meta name="context" content="1">     <meta name="topic" content="Suchen">
//   - and its index entries, separated by semicolons, each with the anchor on the
//     page it leads to if it should not lead to the top:
//       <meta name="keywords" content="Suchen; Weitersuchen #weiter">
// A page may hold the comment <!-- Tastenliste -->; the book puts the table of the
// keyboard shortcuts there, made from the window's menus whenever the page is read.
#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

struct THelpIndexEntry {
    QString Keyword;
    QString Label;  // the keyword, with the page's title where another page shares it
    QUrl Target;
};

class THelpBook {
public:
    // The shortcut table lists the menus of `menuWindow`, if there is one.
    explicit THelpBook(const QWidget *menuWindow = nullptr);

    static QUrl StartPage();

    // Every page of the book.
    QList<QUrl> Pages() const;
    // The start page and the pages it lists, in its order.
    QList<QUrl> Contents() const { return FContents; }
    // Sorted as a German reader expects, letter case aside.
    QList<THelpIndexEntry> Index() const { return FIndex; }

    QString Title(const QUrl &page) const;
    // The page of a topic, or an empty URL when there is none.
    QUrl TopicByContext(int context) const;
    QUrl TopicByName(const QString &name) const;

    // The page as the help window shows it; empty for a page the book lacks.
    QString Html(const QUrl &page) const;

    // The keyboard shortcuts of the window's menus, as an HTML table for each menu.
    static QString ShortcutTable(const QWidget &window);

private:
    struct TPage {
        QUrl Url;
        QString Title;
        int Context = 0;
        QString Topic;
    };
    const TPage *Find(const QUrl &page) const;

    QList<TPage> FPages;
    QList<QUrl> FContents;
    QList<THelpIndexEntry> FIndex;
    QPointer<const QWidget> FMenuWindow;
};
