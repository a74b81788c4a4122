#include "recentfiles.h"

#include <QByteArray>
#include <QFileInfo>
#include <QSettings>

#include "filenames.h"

namespace {

const QString RecentFilesKey = QStringLiteral("RecentFiles/Files");
const QString DialogFolderKey = QStringLiteral("FileDialogs/LastFolder");

// Each change of the settings file is a write to disk and a wait for it, on the way
// to the record the user waits for: a value that stays as it was is not set again.
// A value not there counts as empty: an empty list is written as no value at all and
// comes back as such.
void SetIfChanged(QSettings &settings, const QString &key, const QVariant &value)
{
    const QVariant stored = settings.value(key);
    if ((stored.isValid() ? stored : QVariant(value.metaType())) != value)
        settings.setValue(key, value);
}

void Store(QSettings &settings, const std::vector<std::string> &files)
{
    QVariantList list;
    for (const std::string &file : files)
        list.append(QByteArray(file.data(), qsizetype(file.size())));
    SetIfChanged(settings, RecentFilesKey, list);
}

std::vector<std::string> RecentFiles(const QSettings &settings)
{
    std::vector<std::string> files;
    for (const QVariant &entry : settings.value(RecentFilesKey).toList()) {
        const QByteArray name = entry.toByteArray();
        // A settings file edited by hand may hold anything.
        if (name.isEmpty() || name.contains('\0') || files.size() >= MaxRecentFiles)
            continue;
        files.emplace_back(name.constData(), std::size_t(name.size()));
    }
    return files;
}

}  // namespace

std::vector<std::string> RecentFiles() { return RecentFiles(QSettings()); }

void NoteRecentFile(const std::string &fullLocalName)
{
    // One settings object for both values: the file is written once.
    QSettings settings;
    std::vector<std::string> files = RecentFiles(settings);
    std::erase(files, fullLocalName);
    files.insert(files.begin(), fullLocalName);
    if (files.size() > MaxRecentFiles)
        files.resize(MaxRecentFiles);
    Store(settings, files);
    SetIfChanged(settings, DialogFolderKey, QFileInfo(DisplayName(fullLocalName)).absolutePath());
}

void ForgetRecentFile(const std::string &fullLocalName)
{
    QSettings settings;
    std::vector<std::string> files = RecentFiles(settings);
    std::erase(files, fullLocalName);
    Store(settings, files);
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
    QSettings settings;
    SetIfChanged(settings, DialogFolderKey, folder);
}
