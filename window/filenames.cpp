#include "filenames.h"

#include <QDir>
#include <QFile>

#include "mirolafile.h"

QString ExtensionOf(const QString &fileName)
{
    // The core picks its reader by the same rule: one place decides what an
    // extension is.
    return ::QFile::decodeName(QByteArray::fromStdString(FileExtension(LocalFileName(fileName))));
}

QString FullPathOf(const QString &fileName)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(fileName));
}

std::string LocalFileName(const QString &fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

namespace {
QString MapAscii(const QString &text, char16_t from, char16_t to)
{
    QString out = text;
    for (QChar &c : out) {
        if (c.unicode() >= from && c.unicode() <= static_cast<char16_t>(from + 25))
            c = QChar(static_cast<char16_t>(c.unicode() - from + to));
    }
    return out;
}
}  // namespace

QString AsciiUpper(const QString &text) { return MapAscii(text, u'a', u'A'); }
QString AsciiLower(const QString &text) { return MapAscii(text, u'A', u'a'); }
