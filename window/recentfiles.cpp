#include "recentfiles.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "filenames.h"

namespace {

// Where QSettings keeps an application's settings of the user, worked out without
// it: QSettings reads its file as soon as it is made.
QString SettingsFileName()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QString organization = QCoreApplication::organizationName();
    if (organization.isEmpty())
        organization = QStringLiteral("Unknown Organization");  // as QSettings names it
    return QFileInfo(QStringLiteral("%1/%2/%3.ini").arg(folder, organization, QCoreApplication::applicationName()))
        .absoluteFilePath();
}

// The settings file is read like any other file: QSettings would wait on a FIFO for
// a writer before the window comes up, read a device without end, and on writing
// replace either with a file of its own. A settings file that is no regular file, or
// cannot be read, is passed over: the program remembers nothing, and the file stays
// as it is.
bool SettingsFileUsable(const QString &name)
{
    const QByteArray localName = QFile::encodeName(name);
    struct stat st {};
    if (::stat(localName.constData(), &st) != 0)
        return errno == ENOENT;
    if (!S_ISREG(st.st_mode))
        return false;
    const int fd = ::open(localName.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

std::optional<QSettings> OpenSettings()
{
    const QString name = SettingsFileName();
    if (!SettingsFileUsable(name))
        return std::nullopt;
    return std::optional<QSettings>(std::in_place, name, QSettings::IniFormat);
}

const QString kRecentFilesKey = QStringLiteral("RecentFiles/Files");
const QString kDialogFolderKey = QStringLiteral("FileDialogs/LastFolder");

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
    SetIfChanged(settings, kRecentFilesKey, list);
}

std::vector<std::string> RecentFiles(const QSettings &settings)
{
    std::vector<std::string> files;
    for (const QVariant &entry : settings.value(kRecentFilesKey).toList()) {
        const QByteArray name = entry.toByteArray();
        // A settings file edited by hand may hold anything.
        if (name.isEmpty() || name.contains('\0') || files.size() >= kMaxRecentFiles)
            continue;
        files.emplace_back(name.constData(), std::size_t(name.size()));
    }
    return files;
}

}  // namespace

std::vector<std::string> RecentFiles()
{
    const std::optional<QSettings> settings = OpenSettings();
    return settings ? RecentFiles(*settings) : std::vector<std::string>();
}

void NoteRecentFile(const std::string &fullLocalName)
{
    // One settings object for both values: the file is written once.
    std::optional<QSettings> settings = OpenSettings();
    if (!settings)
        return;
    std::vector<std::string> files = RecentFiles(*settings);
    std::erase(files, fullLocalName);
    files.insert(files.begin(), fullLocalName);
    if (files.size() > kMaxRecentFiles)
        files.resize(kMaxRecentFiles);
    Store(*settings, files);
    SetIfChanged(*settings, kDialogFolderKey, QFileInfo(DisplayName(fullLocalName)).absolutePath());
}

void ForgetRecentFile(const std::string &fullLocalName)
{
    std::optional<QSettings> settings = OpenSettings();
    if (!settings)
        return;
    std::vector<std::string> files = RecentFiles(*settings);
    std::erase(files, fullLocalName);
    Store(*settings, files);
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
    const std::optional<QSettings> settings = OpenSettings();
    return settings ? settings->value(kDialogFolderKey).toString() : QString();
}

void SetDialogFolder(const QString &folder)
{
    if (std::optional<QSettings> settings = OpenSettings())
        SetIfChanged(*settings, kDialogFolderKey, folder);
}
