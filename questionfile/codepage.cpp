// The game's files are written in DOS code page 850, the window works in Windows-1252.
// Two fixed tables keep the conversion exact and independent of the system's locale;
// a character missing from the other page becomes '?'.
#include "texthelpers.h"

#include <algorithm>
#include <array>

namespace {

// clang-format off
constexpr unsigned char kOemToAnsi[256] = {
      0,   1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14,  15,
     16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,
     32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  46,  47,
     48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  62,  63,
     64,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,
     80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  94,  95,
     96,  97,  98,  99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111,
    112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127,
    199, 252, 233, 226, 228, 224, 229, 231, 234, 235, 232, 239, 238, 236, 196, 197,
    201, 230, 198, 244, 246, 242, 251, 249, 255, 214, 220, 248, 163, 216, 215, 131,
    225, 237, 243, 250, 241, 209, 170, 186, 191, 174, 172, 189, 188, 161, 171, 187,
     63,  63,  63,  63,  63, 193, 194, 192, 169,  63,  63,  63,  63, 162, 165,  63,
     63,  63,  63,  63,  63,  63, 227, 195,  63,  63,  63,  63,  63,  63,  63, 164,
    240, 208, 202, 203, 200,  63, 205, 206, 207,  63,  63,  63,  63, 166, 204,  63,
    211, 223, 212, 210, 245, 213, 181, 254, 222, 218, 219, 217, 253, 221, 175, 180,
    173, 177,  63, 190, 182, 167, 247, 184, 176, 168, 183, 185, 179, 178,  63, 160,
};
// clang-format on

// clang-format off
constexpr unsigned char kAnsiToOem[256] = {
      0,   1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14,  15,
     16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,
     32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  46,  47,
     48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  62,  63,
     64,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,
     80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  94,  95,
     96,  97,  98,  99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111,
    112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127,
     63,  63,  63, 159,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,
     63,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,  63,
    255, 173, 189, 156, 207, 190, 221, 245, 249, 184, 166, 174, 170, 240, 169, 238,
    248, 241, 253, 252, 239, 230, 244, 250, 247, 251, 167, 175, 172, 171, 243, 168,
    183, 181, 182, 199, 142, 143, 146, 128, 212, 144, 210, 211, 222, 214, 215, 216,
    209, 165, 227, 224, 226, 229, 153, 158, 157, 235, 233, 234, 154, 237, 232, 225,
    133, 160, 131, 198, 132, 134, 145, 135, 138, 130, 136, 137, 141, 161, 140, 139,
    208, 164, 149, 162, 147, 228, 148, 246, 155, 151, 163, 150, 129, 236, 231, 152,
};
// clang-format on

// Upper half of code page 850 in Unicode, for messages printed as UTF-8.
// clang-format off
constexpr char16_t kOemToUnicode[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};
// clang-format on

// Code page 850's upper half by character, for turning Unicode text back into it.
struct TUnicodeToOem {
    char16_t Unicode;
    unsigned char Oem;
};
constexpr auto kUnicodeToOem = [] {
    std::array<TUnicodeToOem, 128> pairs{};
    for (int b = 0; b < 128; ++b)
        pairs[b] = {kOemToUnicode[b], static_cast<unsigned char>(0x80 + b)};
    std::sort(pairs.begin(), pairs.end(), [](TUnicodeToOem a, TUnicodeToOem b) { return a.Unicode < b.Unicode; });
    return pairs;
}();

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F. Five bytes there have no
// character; Windows reads them as the control characters of the same number, and so
// does this table.
// clang-format off
constexpr char16_t kAnsi80ToUnicode[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

// Latin-1 keeps a capital 0x20 below its small letter; the code page puts them
// anywhere, so the pairs are found through Unicode.
constexpr auto kOemLower = [] {
    std::array<unsigned char, 256> lower{};
    for (int b = 0; b < 256; ++b)
        lower[b] = static_cast<unsigned char>(AsciiLower(b));
    for (int b = 0x80; b < 256; ++b) {
        const char16_t u = kOemToUnicode[b - 0x80];
        if (u < 0xC0 || u > 0xDE || u == 0xD7)  // no capital letters; 0xD7 is the times sign
            continue;
        for (int small = 0x80; small < 256; ++small)
            if (kOemToUnicode[small - 0x80] == u + 0x20)
                lower[b] = static_cast<unsigned char>(small);
    }
    return lower;
}();

std::string Translate(std::string_view text, const unsigned char *table)
{
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return out;
}

}  // namespace

void AppendUtf8(std::string &out, char32_t u)
{
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

const unsigned char *OemToAnsiTable()
{
    return kOemToAnsi;
}
const unsigned char *AnsiToOemTable()
{
    return kAnsiToOem;
}

std::string OemToAnsiStr(std::string_view text)
{
    return Translate(text, kOemToAnsi);
}
std::string AnsiToOemStr(std::string_view text)
{
    return Translate(text, kAnsiToOem);
}

std::string OemToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, OemToUnicode(b));
    }
    return out;
}

char OemLowerCase(char c)
{
    return static_cast<char>(kOemLower[static_cast<unsigned char>(c)]);
}

char32_t OemToUnicode(unsigned char b)
{
    return b < 0x80 ? char32_t(b) : char32_t(kOemToUnicode[b - 0x80]);
}

int UnicodeToOem(char32_t u)
{
    if (u < 0x80)
        return static_cast<int>(u);
    const auto at = std::lower_bound(kUnicodeToOem.begin(), kUnicodeToOem.end(), u,
                                     [](TUnicodeToOem pair, char32_t wanted) { return pair.Unicode < wanted; });
    return at != kUnicodeToOem.end() && at->Unicode == u ? at->Oem : -1;
}

char32_t AnsiToUnicode(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? char32_t(kAnsi80ToUnicode[b - 0x80]) : char32_t(b);
}
