#include "textedge.h"

#include <array>

#include "texthelpers.h"

namespace {

// 0x80-0x9F are where cp1252 departs from Latin-1; 0 marks the five holes.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QChar Cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t u = kCp1252High[byte - 0x80];
        // The holes have no character; Windows maps them to the C1 controls.
        return QChar(u != 0 ? u : char16_t(byte));
    }
    return QChar(char16_t(byte));
}

char UnicodeToCp1252(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == u || (kCp1252High[i] == 0 && u == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

QString OemToQString(std::string_view oem)
{
    const std::string ansi = OemToAnsiStr(oem);
    QString text;
    text.reserve(static_cast<qsizetype>(ansi.size()));
    for (const char c : ansi)
        text.append(Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return text;
}

std::string QStringToOem(const QString &text)
{
    std::string ansi;
    ansi.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the basic plane is one character to the user.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ansi.push_back(c.isSurrogate() ? '?' : UnicodeToCp1252(c.unicode()));
    }
    return AnsiToOemStr(ansi);
}

std::string QStringToOemKeeping(const QString &text, std::string_view original)
{
    if (text == OemToQString(original))
        return std::string(original);
    return QStringToOem(text);
}

TLostCharacter FirstLostCharacter(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString typed = text.mid(i, length);
        const QString stored = OemToQString(QStringToOem(typed));
        if (stored != typed)
            return {typed, stored};
        i += length - 1;
    }
    return {};
}
