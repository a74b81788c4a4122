#include "recordnumber.h"

namespace {

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> ParseRecordNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');

    int base = 10;
    const QStringView rest = QStringView(text).mid(i);
    for (const QStringView prefix : {u"0x", u"0X", u"$", u"x", u"X"}) {
        if (rest.startsWith(prefix) && rest.size() > prefix.size()) {
            base = 16;
            i += prefix.size();
            break;
        }
    }

    const qsizetype digitsStart = i;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text.at(i), base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + static_cast<unsigned>(digit);
        // Past either limit no later digit can bring the number back.
        if (value > (base == 16 ? 0xFFFFFFFFull : 0x80000000ull))
            return std::nullopt;
    }
    if (i == digitsStart)
        return std::nullopt;

    if (base == 16) {
        const auto bits = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
    if (!negative && value > 0x7FFFFFFFull)
        return std::nullopt;
    const auto magnitude = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
