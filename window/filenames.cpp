#include "filenames.h"

#include <QDir>
#include <QFile>
#include <string_view>
#include <vector>

#include "filepaths.h"
#include "texthelpers.h"

QString ExtensionOf(const QString &fileName)
{
    // The core picks its reader by the same rule: one place decides what an
    // extension is.
    return ::QFile::decodeName(QByteArray::fromStdString(FileExtension(LocalFileName(fileName))));
}

QString FullPathOf(const QString &fileName)
{
    return DisplayName(FullLocalPathOf(LocalFileName(fileName)));
}

std::string LocalFileName(const QString &fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

QString DisplayName(const std::string &localName)
{
    return QFile::decodeName(QByteArray::fromStdString(localName));
}

std::string FullLocalPathOf(const std::string &localName)
{
    std::string path = localName;
    if (path.empty() || path.front() != '/') {
        const std::string folder = QFile::encodeName(QDir::currentPath()).toStdString();
        path = folder + "/" + path;
    }
    std::vector<std::string_view> parts;
    std::string_view rest = path;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest.remove_prefix(slash == std::string_view::npos ? rest.size() : slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string full;
    for (const std::string_view part : parts)
        full.append("/").append(part);
    return full.empty() ? "/" : full;
}

QString AsciiUpper(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = QChar(AsciiUpper(c.unicode()));
    return out;
}

QString AsciiLower(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = QChar(AsciiLower(c.unicode()));
    return out;
}
