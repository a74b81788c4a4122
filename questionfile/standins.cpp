#include "standins.h"

#include <algorithm>
#include <cstdio>

#include "texthelpers.h"

namespace {

struct TStandIn {
    char32_t From, To;      // a range of characters...
    std::string_view Text;  // ...and the stand-in for each of them
};

// Sorted by character. The dashes and blanks include the kinds word processors put
// in on their own: a non-breaking hyphen, a minus sign, a narrow no-break space.
constexpr TStandIn kStandIns[] = {
    {0x2000, 0x200A, " "},    // en quad to hair space
    {0x2010, 0x2015, "-"},    // hyphen, non-breaking hyphen, figure dash, en and em dash, bar
    {0x2018, 0x201B, "'"},    // ‘ ’ ‚ ‛
    {0x201C, 0x201F, "\""},   // “ ” „ ‟
    {0x2026, 0x2026, "..."},  // …
    {0x202F, 0x202F, " "},    // narrow no-break space
    {0x2032, 0x2032, "'"},    // ′
    {0x2033, 0x2033, "\""},   // ″
    {0x2039, 0x2039, "<"},    // ‹
    {0x203A, 0x203A, ">"},    // ›
    {0x205F, 0x205F, " "},    // medium mathematical space
    {0x20AC, 0x20AC, "EUR"},  // €
    {0x2212, 0x2212, "-"},    // minus sign
    {0x3000, 0x3000, " "},    // ideographic space
};

void AddOnce(std::u32string &list, char32_t u)
{
    if (list.find(u) == std::u32string::npos)
        list += u;
}

// One character onto the end of `out`.
void Append(TOemText &out, char32_t u)
{
    const int byte = UnicodeToOem(u);
    if (byte >= 0) {
        out.Oem += static_cast<char>(byte);
        return;
    }
    const std::string_view standIn = StandInFor(u);
    if (!standIn.empty()) {
        out.Oem += standIn;
        AddOnce(out.Replaced, u);
        return;
    }
    out.Oem += '?';
    AddOnce(out.Lacking, u);
}

}  // namespace

std::string_view StandInFor(char32_t u)
{
    const auto at = std::upper_bound(std::begin(kStandIns), std::end(kStandIns), u,
                                     [](char32_t wanted, const TStandIn &s) { return wanted < s.From; });
    if (at == std::begin(kStandIns))
        return {};
    const TStandIn &candidate = *(at - 1);
    return u <= candidate.To ? candidate.Text : std::string_view();
}

TOemText Utf16ToOem(std::u16string_view text)
{
    TOemText out;
    out.Oem.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            u = 0x10000 + ((u - 0xD800) << 10) + (text[++i] - 0xDC00);
        Append(out, u);
    }
    return out;
}

TOemText AnsiToOemWithStandIns(std::string_view ansi)
{
    TOemText out;
    out.Oem.reserve(ansi.size());
    for (const char c : ansi)
        Append(out, AnsiToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string QuotedCharacter(char32_t u)
{
    std::string out = "„";
    // A blank of any kind is as invisible in a note as a control character.
    if (u < 0x20 || (u >= 0x7F && u <= 0xA0) || StandInFor(u) == " ") {
        char number[16];
        std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(u));
        out += number;
    } else {
        AppendUtf8(out, u);
    }
    return out + "“";
}

std::string StandInNote(std::u32string_view replaced, std::string_view place)
{
    if (replaced.empty())
        return {};
    std::string characters, standIns;
    for (const char32_t u : replaced) {
        if (!characters.empty()) {
            characters += ' ';
            standIns += ' ';
        }
        characters += QuotedCharacter(u);
        standIns += "„";
        standIns += StandInFor(u);
        standIns += "“";
    }
    std::string note = "Zeichen ";
    note += characters;
    if (!place.empty())
        note.append(" in ").append(place);
    return note.append(" als ").append(standIns).append(" gespeichert");
}
