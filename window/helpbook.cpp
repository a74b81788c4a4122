#include "helpbook.h"

#include <QAction>
#include <QCollator>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include "hinttracker.h"
#include "programicon.h"

namespace {

const QString kHelpFolder = QStringLiteral(":/help");
const QString kShortcutPlaceholder = QStringLiteral("<!-- Tastenliste -->");

QString ReadPage(const QString &path)
{
    ::QFile file(path);
    if (!file.open(::QFile::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QUrl PageUrl(const QString &fileName)
{
    return QUrl(QStringLiteral("qrc:/help/") + fileName);
}

// The pages are written by hand, so a pattern for their few forms is enough; entities
// in the texts are resolved as a browser would.
QString PlainText(const QString &html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

QString MetaContent(const QString &html, const QString &name)
{
    const QRegularExpression meta(
        QStringLiteral("<meta\\s+name=\"%1\"\\s+content=\"([^\"]*)\"").arg(QRegularExpression::escape(name)));
    const QRegularExpressionMatch match = meta.match(html);
    return match.hasMatch() ? match.captured(1) : QString();
}

// A menu caption without its access letters.
QString Caption(const QString &text)
{
    QString caption;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        caption += text.at(i);
    }
    return caption;
}

void AppendRows(const QMenu &menu, QString &rows)
{
    for (const QAction *item : menu.actions()) {
        if (item->menu() != nullptr) {
            AppendRows(*item->menu(), rows);
            continue;
        }
        if (item->isSeparator() || item->shortcuts().isEmpty())
            continue;
        QStringList keys;
        for (const QKeySequence &keySequence : item->shortcuts())
            keys << keySequence.toString(QKeySequence::NativeText).toHtmlEscaped();
        rows += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td></tr>\n")
                    .arg(keys.join(QStringLiteral(", ")), Caption(item->text()).toHtmlEscaped(),
                         HintOf(item).toHtmlEscaped());
    }
}

QString MenuTable(const QString &heading, const QMenu &menu)
{
    QString rows;
    AppendRows(menu, rows);
    if (rows.isEmpty())
        return {};
    return QStringLiteral(
               "<h2>%1</h2>\n<table cellspacing=\"0\">\n<tr><th>Taste</th><th>Befehl</th><th>Wirkung</th></tr>\n%2</table>\n")
        .arg(heading.toHtmlEscaped(), rows);
}

}  // namespace

THelpBook::THelpBook(const QWidget *menuWindow) : FMenuWindow(menuWindow)
{
    InitKelmorResources();
    QHash<QString, int> pagesOfKeyword;
    for (const QString &fileName : QDir(kHelpFolder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        const QString html = ReadPage(kHelpFolder + QLatin1Char('/') + fileName);
        TPage page;
        page.Url = PageUrl(fileName);
        const QRegularExpression title(QStringLiteral("<title>(.*)</title>"));
        page.Title = PlainText(title.match(html).captured(1));
        page.Context = MetaContent(html, QStringLiteral("context")).toInt();
        page.Topic = MetaContent(html, QStringLiteral("topic"));
        FPages.append(page);

        const QStringList keywords =
            MetaContent(html, QStringLiteral("keywords")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString &keyword : keywords) {
            THelpIndexEntry entry;
            entry.Target = page.Url;
            const qsizetype anchorAt = keyword.indexOf(QStringLiteral(" #"));
            if (anchorAt >= 0)
                entry.Target.setFragment(keyword.mid(anchorAt + 2).trimmed());
            entry.Keyword = PlainText(anchorAt >= 0 ? keyword.left(anchorAt) : keyword);
            entry.Label = entry.Keyword;
            if (!entry.Keyword.isEmpty()) {
                FIndex.append(entry);
                ++pagesOfKeyword[entry.Keyword.toCaseFolded()];
            }
        }
    }
    for (THelpIndexEntry &entry : FIndex) {
        if (pagesOfKeyword.value(entry.Keyword.toCaseFolded()) > 1)
            entry.Label = QStringLiteral("%1 (%2)").arg(entry.Keyword, Title(entry.Target));
    }
    QCollator german{QLocale(QLocale::German, QLocale::Germany)};
    german.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(FIndex.begin(), FIndex.end(), [&german](const THelpIndexEntry &a, const THelpIndexEntry &b) {
        return german.compare(a.Label, b.Label) < 0;
    });

    FContents.append(StartPage());
    const QRegularExpression link(QStringLiteral("<a href=\"([^\"#:]+\\.html)[^\"]*\""));
    for (const QRegularExpressionMatch &match : link.globalMatch(ReadPage(QStringLiteral(":/help/inhalt.html")))) {
        const QUrl page = StartPage().resolved(QUrl(match.captured(1)));
        if (!FContents.contains(page))
            FContents.append(page);
    }
}

QUrl THelpBook::StartPage()
{
    return PageUrl(QStringLiteral("inhalt.html"));
}

QList<QUrl> THelpBook::Pages() const
{
    QList<QUrl> pages;
    for (const TPage &page : FPages)
        pages.append(page.Url);
    return pages;
}

const THelpBook::TPage *THelpBook::Find(const QUrl &page) const
{
    const QUrl wanted = page.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery);
    for (const TPage &candidate : FPages) {
        if (candidate.Url == wanted)
            return &candidate;
    }
    return nullptr;
}

QString THelpBook::Title(const QUrl &page) const
{
    const TPage *found = Find(page);
    return found != nullptr ? found->Title : QString();
}

QUrl THelpBook::TopicByContext(int context) const
{
    for (const TPage &page : FPages) {
        if (context != 0 && page.Context == context)
            return page.Url;
    }
    return {};
}

QUrl THelpBook::TopicByName(const QString &name) const
{
    for (const TPage &page : FPages) {
        if (!name.isEmpty() && page.Topic.compare(name, Qt::CaseInsensitive) == 0)
            return page.Url;
    }
    return {};
}

QString THelpBook::Html(const QUrl &page) const
{
    if (Find(page) == nullptr)
        return {};
    QString html = ReadPage(QStringLiteral(":") + page.path());
    if (html.contains(kShortcutPlaceholder))
        html.replace(kShortcutPlaceholder, FMenuWindow ? ShortcutTable(*FMenuWindow) : QString());
    return html;
}

QString THelpBook::ShortcutTable(const QWidget &window)
{
    QString tables;
    if (const auto *bar = window.findChild<const QMenuBar *>(QString(), Qt::FindDirectChildrenOnly)) {
        for (const QAction *title : bar->actions()) {
            if (title->menu() != nullptr)
                tables += MenuTable(QStringLiteral("Menü „%1“").arg(Caption(title->text())), *title->menu());
        }
    }
    // The menus that are no part of the menu bar open on the edit fields.
    for (const QMenu *popup : window.findChildren<const QMenu *>(QString(), Qt::FindDirectChildrenOnly))
        tables += MenuTable(QStringLiteral("Kontextmenü der Eingabefelder"), *popup);
    return tables;
}
