#pragma once
// THelpWindow: the help book in a window of its own, with the contents, an index
// whose keyword field narrows the list as one types, and back and forward. It takes
// the requests of the help interface the program makes: HELP_CONTENTS opens the
// contents, HELP_KEY the index at a keyword, HELP_CONTEXT and F1 a topic.
#include <QPalette>
#include <QUrl>
#include <QWidget>

#include "helpbook.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTextBrowser;

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    // The page of keyboard shortcuts lists the menus of `menuWindow`.
    explicit THelpWindow(const QWidget *menuWindow = nullptr);
    ~THelpWindow() override;

    // A request of the help interface: HELP_CONTENTS, HELP_KEY with a keyword text,
    // HELP_CONTEXT with a topic number or name. Each brings the window up.
    void HelpCommand(unsigned command, const QVariant &argument);
    // F1: the topic of a help context number; 0 and unknown numbers give the start.
    void HelpContext(int context);

    void ShowContents();
    void ShowIndex(const QString &keyword);
    void ShowPage(const QUrl &page);

    // The page shown, with the anchor it was opened at.
    QUrl CurrentPage() const;
    const THelpBook &Book() const { return FBook; }

    QPushButton *BackButton = nullptr;
    QPushButton *ForwardButton = nullptr;
    QPushButton *HomeButton = nullptr;
    QTabWidget *Tabs = nullptr;
    QListWidget *ContentsList = nullptr;
    QLineEdit *KeywordEdit = nullptr;
    QListWidget *IndexList = nullptr;
    QPushButton *ShowButton = nullptr;
    QTextBrowser *Browser = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Present();
    void NarrowIndex(const QString &typed);
    void ShowIndexEntry(const QListWidgetItem *item);
    void MarkContentsEntry(const QUrl &page);

    THelpBook FBook;
};

// The help pages' style sheet in the colours of `palette`.
QString HelpStyleSheet(const QPalette &palette);

// Whether an index keyword answers what has been typed: the keyword or one of its
// words begins with it, letter case aside.
bool KeywordMatches(const QString &keyword, const QString &typed);
