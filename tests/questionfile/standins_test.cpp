// Typographic characters that office programs write and code page 850 lacks: each has
// a readable stand-in wherever text comes in, and the notes say what was replaced.
#include <gtest/gtest.h>

#include "csvformat.h"
#include "standins.h"
#include "testutil.h"
#include "texthelpers.h"

void PrintTo(const TCsvChange &change, std::ostream *out);

namespace {

struct TStandInCase {
    char32_t Character;
    std::string StandIn;
};

const TStandInCase kStandIns[] = {
    {U'„', "\""}, {U'“', "\""},  {U'”', "\""},  {U'″', "\""},  {U'‚', "'"},   {U'‘', "'"},   {U'’', "'"},
    {U'′', "'"},  {U'–', "-"},   {U'—', "-"},   {U'‒', "-"},   {U'…', "..."}, {U'€', "EUR"}, {U'‹', "<"},
    {U'›', ">"},  {0x2002, " "}, {0x2009, " "}, {0x200A, " "}, {0x202F, " "}, {0x205F, " "}, {0x3000, " "},
};

std::string Utf8(char32_t u)
{
    std::string out;
    AppendUtf8(out, u);
    return out;
}

std::u16string Utf16(char32_t u)
{
    if (u < 0x10000)
        return std::u16string(1, static_cast<char16_t>(u));
    return {static_cast<char16_t>(0xD800 + ((u - 0x10000) >> 10)), static_cast<char16_t>(0xDC00 + (u & 0x3FF))};
}

// The Windows-1252 byte of a character, 0 where that page lacks it.
unsigned char AnsiByte(char32_t u)
{
    for (int b = 0x80; b < 0x100; ++b)
        if (AnsiToUnicode(static_cast<unsigned char>(b)) == u)
            return static_cast<unsigned char>(b);
    return 0;
}

// Between two letters, as typed or pasted into a field, and in a spreadsheet's cell,
// as UTF-8 and, where that page has it, as Windows-1252.
TEST(StandIns, EachCharacterWhereverTextComesIn)
{
    for (const TStandInCase &c : kStandIns) {
        SCOPED_TRACE(Utf8(c.Character));
        const std::string expected = "A" + c.StandIn + "\x84";
        const TOemText typed = Utf16ToOem(u"A" + Utf16(c.Character) + u"ä");
        EXPECT_EQ(typed.Oem, expected);
        EXPECT_EQ(typed.Replaced, std::u32string(1, c.Character));
        EXPECT_EQ(typed.Lacking, U"");

        const std::string note =
            "Zeichen " + QuotedCharacter(c.Character) + " in Frage 1 als „" + c.StandIn + "“ gespeichert";
        const TCsvReadResult utf8 = ReadCsv("Frage 1;Code\nA" + Utf8(c.Character) + "ä;b\n");
        ExpectSameRecord(MakeRecord(u'b', u'A', expected), utf8.Records.at(0));
        EXPECT_EQ(utf8.Changes, (std::vector<TCsvChange>{{2, note}}));

        if (const unsigned char byte = AnsiByte(c.Character)) {
            const std::string ansi = std::string("A") + static_cast<char>(byte) + "\xE4";
            const TOemText pasted = AnsiToOemWithStandIns(ansi);
            EXPECT_EQ(pasted.Oem, expected);
            EXPECT_EQ(pasted.Replaced, std::u32string(1, c.Character));
            const TCsvReadResult windows = ReadCsv("Frage 1;Code\n" + ansi + ";b\n");
            ExpectSameRecord(MakeRecord(u'b', u'A', expected), windows.Records.at(0));
            EXPECT_EQ(windows.Changes, (std::vector<TCsvChange>{{2, note}}));
        }
    }
}

// Characters without a stand-in stay "?" and are named; the no-break space is in code
// page 850 and stays what it is; each character is listed once, in the order met.
TEST(StandIns, WhatTheConversionReports)
{
    std::u16string typed = u"„Preis“ \u00A0… ™ 😀 ";
    typed += char16_t(0xD800);  // a surrogate without its pair
    typed += u" „x“ …";
    const TOemText text = Utf16ToOem(typed);
    EXPECT_EQ(text.Oem, "\"Preis\" \xFF... ? ? ? \"x\" ...");
    EXPECT_EQ(text.Replaced, U"„“…");
    EXPECT_EQ(text.Lacking, std::u32string(U"™😀") + char32_t(0xD800));
    EXPECT_EQ(StandInNote(text.Replaced), "Zeichen „„“ „““ „…“ als „\"“ „\"“ „...“ gespeichert");
    EXPECT_EQ(StandInNote(U"\u2009", "Antwort a"), "Zeichen „U+2009“ in Antwort a als „ “ gespeichert");
    EXPECT_EQ(StandInNote(U""), "");

    // Every other byte of Windows-1252 converts as it always did.
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        if (StandInFor(AnsiToUnicode(static_cast<unsigned char>(b))).empty()) {
            EXPECT_EQ(AnsiToOemWithStandIns(byte).Oem, AnsiToOemStr(byte)) << "byte " << b;
        }
    }
}

// A stand-in longer than the character counts where a field is full.
TEST(StandIns, ALongerStandInIsCutWhereTheFieldEnds)
{
    const TCsvReadResult result = ReadCsv("Antwort a\n" + std::string(32, 'x') + "€\n");
    ExpectSameRecord(MakeRecord(u'x', u'A', "", "", {std::string(32, 'x') + "EU"}), result.Records.at(0));
    const std::vector<TCsvChange> expected = {{2, "Zeichen „€“ in Antwort a als „EUR“ gespeichert"},
                                              {2, "Antwort a um 1 Zeichen gekürzt"}};
    EXPECT_EQ(result.Changes, expected);
}

}  // namespace
