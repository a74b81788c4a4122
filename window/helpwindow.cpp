#include "helpwindow.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include "fonts.h"
#include "platformseam.h"

namespace {

constexpr int kUrlRole = Qt::UserRole;

// The browser reads its pages from the book, which completes them.
class THelpBrowser : public QTextBrowser {
public:
    THelpBrowser(const THelpBook &book, QWidget *parent) : QTextBrowser(parent), FBook(book) {}

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::HtmlResource)
            return FBook.Html(name);
        return QTextBrowser::loadResource(type, name);
    }

private:
    const THelpBook &FBook;
};

}  // namespace

QString HelpStyleSheet(const QPalette &palette)
{
    ::QFile file(QStringLiteral(":/help/hilfe.css"));
    QString css = file.open(::QFile::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    // The pages are written for dark text on a light ground. On a dark scheme their
    // near-black text and navy headings would vanish, so they take the scheme's own
    // text and link colours, and the see-also line a shade between text and ground.
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    if (text.lightness() <= base.lightness())
        return css;
    const QColor muted = QColor::fromRgbF((text.redF() * 2 + base.redF()) / 3, (text.greenF() * 2 + base.greenF()) / 3,
                                          (text.blueF() * 2 + base.blueF()) / 3);
    css.replace(QStringLiteral("#1a1a1a"), text.name());
    css.replace(QStringLiteral("#1f2d5a"), palette.color(QPalette::Link).name());
    css.replace(QStringLiteral("#444444"), muted.name());
    return css;
}

bool KeywordMatches(const QString &keyword, const QString &typed)
{
    const QString wanted = typed.trimmed();
    if (wanted.isEmpty() || keyword.startsWith(wanted, Qt::CaseInsensitive))
        return true;
    static const QRegularExpression kBetweenWords(QStringLiteral("[^\\w]+"));
    for (const QString &word : keyword.split(kBetweenWords, Qt::SkipEmptyParts)) {
        if (word.startsWith(wanted, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

THelpWindow::THelpWindow(const QWidget *menuWindow) : QWidget(nullptr, Qt::Window), FBook(menuWindow)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kelmor für Mirola – Hilfe"));
    setFont(SansFont(13));
    // Help left open must not keep the program running once its window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(880, 600);

    const auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    BackButton = button("BackButton", QStringLiteral("&Zurück"));
    ForwardButton = button("ForwardButton", QStringLiteral("&Vorwärts"));
    HomeButton = button("HomeButton", QStringLiteral("&Startseite"));

    Tabs = new QTabWidget(this);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    ContentsList = new QListWidget(Tabs);
    ContentsList->setObjectName(QStringLiteral("ContentsList"));
    for (const QUrl &page : FBook.Contents()) {
        auto *item = new QListWidgetItem(FBook.Title(page), ContentsList);
        item->setData(kUrlRole, page);
    }
    Tabs->addTab(ContentsList, QStringLiteral("&Inhalt"));

    auto *indexPage = new QWidget(Tabs);
    auto *keywordLabel = new QLabel(QStringLiteral("S&tichwort:"), indexPage);
    KeywordEdit = new QLineEdit(indexPage);
    KeywordEdit->setObjectName(QStringLiteral("KeywordEdit"));
    KeywordEdit->setClearButtonEnabled(true);
    keywordLabel->setBuddy(KeywordEdit);
    IndexList = new QListWidget(indexPage);
    IndexList->setObjectName(QStringLiteral("IndexList"));
    for (const THelpIndexEntry &entry : FBook.Index()) {
        auto *item = new QListWidgetItem(entry.Label, IndexList);
        item->setData(kUrlRole, entry.Target);
    }
    ShowButton = new QPushButton(QStringLiteral("&Anzeigen"), indexPage);
    ShowButton->setObjectName(QStringLiteral("ShowButton"));
    ShowButton->setAutoDefault(false);
    auto *indexColumn = new QVBoxLayout(indexPage);
    indexColumn->addWidget(keywordLabel);
    indexColumn->addWidget(KeywordEdit);
    indexColumn->addWidget(IndexList, 1);
    indexColumn->addWidget(ShowButton, 0, Qt::AlignRight);
    Tabs->addTab(indexPage, QStringLiteral("In&dex"));

    Browser = new THelpBrowser(FBook, this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->document()->setDefaultStyleSheet(HelpStyleSheet(palette()));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(Tabs);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 580});
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addWidget(ForwardButton);
    buttons->addWidget(HomeButton);
    buttons->addStretch(1);
    auto *column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addWidget(splitter, 1);

    BackButton->setEnabled(false);
    ForwardButton->setEnabled(false);
    connect(Browser, &QTextBrowser::backwardAvailable, BackButton, &QWidget::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardButton, &QWidget::setEnabled);
    connect(BackButton, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(ForwardButton, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(HomeButton, &QPushButton::clicked, this, [this] { ShowPage(THelpBook::StartPage()); });
    connect(Browser, &QTextBrowser::sourceChanged, this, &THelpWindow::MarkContentsEntry);
    connect(ContentsList, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem *item) { ShowPage(item->data(kUrlRole).toUrl()); });
    connect(ContentsList, &QListWidget::itemActivated, this,
            [this](const QListWidgetItem *item) { ShowPage(item->data(kUrlRole).toUrl()); });
    connect(KeywordEdit, &QLineEdit::textChanged, this, &THelpWindow::NarrowIndex);
    connect(KeywordEdit, &QLineEdit::returnPressed, this, [this] { ShowIndexEntry(IndexList->currentItem()); });
    connect(IndexList, &QListWidget::itemClicked, this, &THelpWindow::ShowIndexEntry);
    connect(IndexList, &QListWidget::itemActivated, this, &THelpWindow::ShowIndexEntry);
    connect(ShowButton, &QPushButton::clicked, this, [this] { ShowIndexEntry(IndexList->currentItem()); });
    KeywordEdit->installEventFilter(this);

    Browser->setSource(THelpBook::StartPage());
}

THelpWindow::~THelpWindow() = default;

void THelpWindow::changeEvent(QEvent *event)
{
    // The desktop switched its colour scheme: the page is laid out again in the new one.
    if (event->type() == QEvent::PaletteChange && Browser != nullptr) {
        Browser->document()->setDefaultStyleSheet(HelpStyleSheet(palette()));
        Browser->reload();
    }
    QWidget::changeEvent(event);
}

void THelpWindow::HelpCommand(unsigned command, const QVariant &argument)
{
    switch (command) {
    case HELP_CONTENTS: ShowContents(); break;
    case HELP_KEY: ShowIndex(argument.toString()); break;
    case HELP_CONTEXT: {
        const QUrl topic = argument.typeId() == QMetaType::QString ? FBook.TopicByName(argument.toString())
                                                                   : FBook.TopicByContext(argument.toInt());
        Tabs->setCurrentWidget(ContentsList);
        ShowPage(topic.isEmpty() ? THelpBook::StartPage() : topic);
        break;
    }
    default: return;
    }
    Present();
}

void THelpWindow::HelpContext(int context)
{
    HelpCommand(HELP_CONTEXT, context);
}

void THelpWindow::ShowContents()
{
    Tabs->setCurrentWidget(ContentsList);
    ShowPage(THelpBook::StartPage());
    ContentsList->setFocus();
}

void THelpWindow::ShowIndex(const QString &keyword)
{
    Tabs->setCurrentWidget(IndexList->parentWidget());
    KeywordEdit->setText(keyword);
    NarrowIndex(keyword);  // also when the text was there before
    KeywordEdit->selectAll();
    KeywordEdit->setFocus();
    // A keyword that names exactly one entry shows it at once.
    const QListWidgetItem *only = nullptr;
    int named = 0;
    for (int row = 0; row < IndexList->count(); ++row) {
        const QListWidgetItem *item = IndexList->item(row);
        if (!item->isHidden() && !keyword.isEmpty() && item->text().compare(keyword, Qt::CaseInsensitive) == 0) {
            only = item;
            ++named;
        }
    }
    if (named == 1)
        ShowIndexEntry(only);
}

void THelpWindow::ShowPage(const QUrl &page)
{
    Browser->setSource(page);
}

QUrl THelpWindow::CurrentPage() const
{
    return Browser->source();
}

void THelpWindow::NarrowIndex(const QString &typed)
{
    QListWidgetItem *first = nullptr;
    for (int row = 0; row < IndexList->count(); ++row) {
        QListWidgetItem *item = IndexList->item(row);
        const bool shown = KeywordMatches(item->text(), typed);
        item->setHidden(!shown);
        if (shown && first == nullptr)
            first = item;
    }
    IndexList->setCurrentItem(first);
}

void THelpWindow::ShowIndexEntry(const QListWidgetItem *item)
{
    if (item != nullptr && !item->isHidden())
        ShowPage(item->data(kUrlRole).toUrl());
}

void THelpWindow::MarkContentsEntry(const QUrl &page)
{
    const QUrl shown = page.adjusted(QUrl::RemoveFragment);
    for (int row = 0; row < ContentsList->count(); ++row) {
        if (ContentsList->item(row)->data(kUrlRole).toUrl() == shown) {
            ContentsList->setCurrentRow(row);
            return;
        }
    }
    ContentsList->clearSelection();
}

bool THelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The arrow keys in the keyword field walk the narrowed list, as in an index of a
    // printed book one runs a finger down the column.
    if (watched == KeywordEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            int row = IndexList->currentRow();
            const int step = key == Qt::Key_Down ? 1 : -1;
            for (int next = row + step; next >= 0 && next < IndexList->count(); next += step) {
                if (!IndexList->item(next)->isHidden()) {
                    row = next;
                    break;
                }
            }
            IndexList->setCurrentRow(row);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void THelpWindow::Present()
{
    // A modal dialog blocks every window that is not its own. Help asked for from a
    // dialog must be read beside it, so the help window becomes the dialog's for as
    // long as the dialog is up.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == this)
        modal = nullptr;
    create();
    if (QWindow *handle = windowHandle())
        handle->setTransientParent(modal != nullptr ? modal->windowHandle() : nullptr);
    if (!isVisible()) {
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        show();
    }
    raise();
    activateWindow();
}
