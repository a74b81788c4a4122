#include "recentfiles.h"

#include <QByteArray>
#include <QFileInfo>
#include <QSettings>

#include "filenames.h"

namespace {

const QString RecentFilesKey = QStringLiteral("RecentFiles/Files");
const QString DialogFolderKey = QStringLiteral("FileDialogs/LastFolder");

void Store(const std::vector<std::string> &files)
{
    QVariantList list;
    for (const std::string &file : files)
        list.append(QByteArray(file.data(), qsizetype(file.size())));
    QSettings().setValue(RecentFilesKey, list);
}

}  // namespace

std::vector<std::string> RecentFiles()
{
    std::vector<std::string> files;
    for (const QVariant &entry : QSettings().value(RecentFilesKey).toList()) {
        const QByteArray name = entry.toByteArray();
        // A settings file edited by hand may hold anything.
        if (name.isEmpty() || name.contains('\0') || files.size() >= MaxRecentFiles)
            continue;
        files.emplace_back(name.constData(), std::size_t(name.size()));
    }
    return files;
}

void NoteRecentFile(const std::string &fullLocalName)
{
    std::vector<std::string> files = RecentFiles();
    std::erase(files, fullLocalName);
    files.insert(files.begin(), fullLocalName);
    if (files.size() > MaxRecentFiles)
        files.resize(MaxRecentFiles);
    Store(files);
    SetDialogFolder(QFileInfo(DisplayName(fullLocalName)).absolutePath());
}

void ForgetRecentFile(const std::string &fullLocalName)
{
    std::vector<std::string> files = RecentFiles();
    std::erase(files, fullLocalName);
    Store(files);
}

QString RecentFileCaption(int position, const std::string &fullLocalName)
{
    QString name = DisplayName(fullLocalName);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    // A menu takes what follows a tab for the item's keys; a name may hold one.
    name.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return QStringLiteral("&%1 %2").arg(position).arg(name);
}

QString DialogFolder()
{
    return QSettings().value(DialogFolderKey).toString();
}

void SetDialogFolder(const QString &folder)
{
    QSettings().setValue(DialogFolderKey, folder);
}
