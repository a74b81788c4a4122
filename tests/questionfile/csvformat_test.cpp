// Spreadsheets: what Kelmor writes, what it reads back, the many ways spreadsheet
// programs save, and every loss the reader has to tell about.
#include <array>
#include <iconv.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "csvformat.h"
#include "errors.h"
#include "testutil.h"
#include "texthelpers.h"

// Found by GoogleTest beside the type, so that a failed comparison shows the changes.
void PrintTo(const TCsvChange &change, std::ostream *out)
{
    *out << "{" << change.Row << ", " << change.What << "}";
}

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader =
    "Nr,Code,Level,Frage 1,Frage 2,Frage 3,Kommentar,Antwort a,Antwort b,Antwort c,Antwort d,Antwort e";

std::string ReadError(const std::string &bytes)
{
    try {
        ReadCsv(bytes);
    } catch (const EMirolaError &e) {
        return e.Message();
    }
    return "";
}

void ExpectRecords(const TRecordList &expected, const TRecordList &actual)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i + 1));
        ExpectSameRecord(expected[i], actual[i]);
    }
}

// ---------------------------------------------------------------------------------
// The code pages behind the conversions

// Converts with iconv, one character at a time; "" where the target lacks it.
class TIconv {
public:
    TIconv(const char *to, const char *from) : FCd(iconv_open(to, from)) {}
    ~TIconv()
    {
        if (Usable())
            iconv_close(FCd);
    }
    bool Usable() const { return FCd != reinterpret_cast<iconv_t>(-1); }
    std::string operator()(std::string in)
    {
        iconv(FCd, nullptr, nullptr, nullptr, nullptr);
        char out[16] = {};
        char *inp = in.data(), *outp = out;
        size_t inLeft = in.size(), outLeft = sizeof out;
        const size_t rc = iconv(FCd, &inp, &inLeft, &outp, &outLeft);
        return rc == static_cast<size_t>(-1) || inLeft != 0 ? "" : std::string(out, sizeof out - outLeft);
    }

private:
    iconv_t FCd;
};

std::string Utf32(char32_t u)
{
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
            static_cast<char>(u >> 24)};
}

TEST(CsvCodePages, UnicodeToOemMatchesTheSystemsIconvForEveryCharacter)
{
    TIconv toOem("CP850", "UTF-32LE");
    ASSERT_TRUE(toOem.Usable()) << "the system's iconv lacks code page 850";
    for (char32_t u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const std::string oem = toOem(Utf32(u));
        const int expected = oem.size() == 1 ? static_cast<unsigned char>(oem[0]) : -1;
        ASSERT_EQ(UnicodeToOem(u), expected) << "U+" << std::hex << static_cast<unsigned>(u);
    }
    // Beyond the first plane code page 850 has nothing.
    EXPECT_EQ(UnicodeToOem(0x1F600), -1);
}

TEST(CsvCodePages, Windows1252MatchesTheSystemsIconv)
{
    TIconv toUnicode("UTF-32LE", "CP1252");
    ASSERT_TRUE(toUnicode.Usable()) << "the system's iconv lacks Windows-1252";
    for (int b = 0; b < 256; ++b) {
        const std::string u = toUnicode(std::string(1, static_cast<char>(b)));
        // iconv refuses the five bytes without a character; Windows reads them as the
        // control characters of the same number.
        const char32_t expected =
            u.size() == 4
                ? static_cast<char32_t>(static_cast<unsigned char>(u[0]) | static_cast<unsigned char>(u[1]) << 8)
                : static_cast<char32_t>(b);
        EXPECT_EQ(AnsiToUnicode(static_cast<unsigned char>(b)), expected) << "byte " << b;
    }
}

TEST(CsvCodePages, EveryOemByteComesBackThroughUnicode)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(UnicodeToOem(OemToUnicode(static_cast<unsigned char>(b))), b) << "byte " << b;
}

// ---------------------------------------------------------------------------------
// Writing and reading back

TEST(CsvWrite, WritesWhatSpreadsheetsOpenWithoutAsking)
{
    TMirolaFile doc = MakeDocument(0);
    doc.Data.push_back(MakeRecord(u'b', u'C',
                                  "Gr\x81\xE1"
                                  "e, \"Welt\"",
                                  "Quelle; S. 3", {"ja", " nein", "vielleicht "}));
    doc.Data.push_back(MakeRecord(u'x', u'a', "\xC9\xCD\xBB", "", {"", "", "", "", "zwei\r\nZeilen"}));
    doc.DatRec = doc.Data[0];
    EXPECT_EQ(WriteCsv(doc), kBom + kHeader + "\r\n" +
                                 "1,b,C,\"Grüße, \"\"Welt\"\"\",,,\"Quelle; S. 3\",ja,\" nein\",\"vielleicht \",,\r\n"
                                 "2,x,a,╔═╗,,,,,,,,zwei  Zeilen\r\n");
}

TEST(CsvWrite, TheCurrentRecordAsItsBufferHoldsIt)
{
    TMirolaFile doc = MakeDocument(3);
    doc.Index = 1;
    doc.DatRec = MakeRecord(u'c', u'D', "noch nicht gespeichert");
    const TCsvReadResult back = ReadCsv(WriteCsv(doc));
    ExpectRecords({doc.Data[0], doc.DatRec, doc.Data[2]}, back.Records);
}

// A document whose records differ in every field: each code the game knows and odd
// ones (line breaks and separators among them), every byte of the code page in the
// texts, full fields, outer blanks, quotes, commas, semicolons and box drawing.
TMirolaFile RoundTripDocument()
{
    // clang-format off
    std::vector<std::string> texts = {
        "Wie viele Bundesl\x84nder hat \x99sterreich?",
        "Er sagte: \"Ja, gern; sofort.\"",
        "\xC9\xCD\xCD\xBB \xBA \xC8\xCD\xBC \xB0\xB1\xB2\xDB",
        "  einger\x81" "ckt  ",
        "\"",
        "",
        "=1+2",
        std::string(50, '\xE1'),
        "a,b;c",
    };
    // clang-format on
    // Every byte but the line breaks, which a cell cannot keep.
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            everyByte += static_cast<char>(b);
    for (std::size_t at = 0; at < everyByte.size(); at += 34)
        texts.push_back(everyByte.substr(at, 34));

    // clang-format off
    const char16_t codes[] = {u'a', u'b', u'c', u'd', u'e', u'x', u'r', u'f', 0,    u' ',
                              u'"', u',', u';', 0x8E, 0xFF, 0xC9, u'\t', u'\r', u'\n', u'A'};
    const char16_t levels[] = {u'A', u'B', u'C', u'D', u'a', u'b', u'Z', 0x81, u' ', 0, u',', u'\n', u'"'};
    // clang-format on
    TMirolaFile doc = MakeDocument(0);
    std::size_t t = 0;
    const auto next = [&] { return texts[t++ % texts.size()]; };
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        TMirolaDatensatz r;
        r.theletter = codes[i];
        r.level = levels[i % std::size(levels)];
        for (auto &line : r.Question)
            line = next();
        r.Comment = next();
        for (auto &answer : r.Answers)
            answer = next();
        t += i;  // so that records do not repeat one another's texts in step
        doc.Data.push_back(r);
    }
    doc.DatRec = doc.Data[0];
    return doc;
}

TEST(CsvRoundTrip, EveryRecordComesBackByteForByte)
{
    const TMirolaFile doc = RoundTripDocument();
    const TCsvReadResult back = ReadCsv(WriteCsv(doc));
    ExpectRecords(doc.Data, back.Records);
    EXPECT_EQ(back.Changes, std::vector<TCsvChange>{});

    // The question file written from what was read is the very file of the document.
    TMirolaFile copy = doc;
    copy.Data = back.Records;
    copy.DatRec = copy.Data[0];
    EXPECT_EQ(copy.SaveToString(ftRAF), TMirolaFile(doc).SaveToString(ftRAF));
}

// A cell that a spreadsheet would run as a formula goes out with an apostrophe before
// it, one that starts with such an apostrophe with one more; the reader takes exactly
// one away, so each comes back as it was.
TEST(CsvRoundTrip, FormulaCellsAreWrittenAsTextAndComeBack)
{
    const struct {
        std::string Text, Cell;
    } cases[] = {
        {"=1+2", "'=1+2"},       {"+49 30 1234", "'+49 30 1234"},
        {"-5 Grad", "'-5 Grad"}, {"@Summe", "'@Summe"},
        {"\tTab", "'\tTab"},     {"'=A1", "''=A1"},
        {"'-", "''-"},           {"''", "'''"},
        {"'''x", "''''x"},       {"'", "'"},
        {"'Zitat'", "'Zitat'"},  {"a=b", "a=b"},
        {"' =1", "' =1"},        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Text);
        TMirolaFile doc = MakeDocument(0);
        doc.Data = {MakeRecord(u'x', u'A', c.Text, c.Text, {c.Text})};
        doc.DatRec = doc.Data[0];
        const std::string written = WriteCsv(doc);
        EXPECT_EQ(written, kBom + kHeader + "\r\n1,x,A," + c.Cell + ",,," + c.Cell + "," + c.Cell + ",,,,\r\n");
        const TCsvReadResult back = ReadCsv(written);
        ExpectRecords(doc.Data, back.Records);
        EXPECT_EQ(back.Changes, std::vector<TCsvChange>{});
    }
    // The codes, which may be any byte.
    TMirolaFile codes = MakeDocument(0);
    codes.Data = {MakeRecord(u'=', u'+', "eins"), MakeRecord(u'-', u'@', "zwei"), MakeRecord(u'\r', u'\t', "drei"),
                  MakeRecord(u'\'', u'\'', "vier")};
    codes.DatRec = codes.Data[0];
    const std::string written = WriteCsv(codes);
    EXPECT_NE(written.find("\r\n1,'=,'+,eins,"), std::string::npos);
    EXPECT_NE(written.find("\r\n3,\"'\r\",\"'\t\",drei,"), std::string::npos);
    EXPECT_NE(written.find("\r\n4,',',vier,"), std::string::npos);
    ExpectRecords(codes.Data, ReadCsv(written).Records);
}

// A record file may hold line breaks in its texts. The table has them as the text
// format does, a blank for each CR and LF, and so reads back as the text file would.
TEST(CsvWrite, LineBreaksOfARecordFileAsTheTextFormatWritesThem)
{
    TMirolaFile doc = MakeDocument(0);
    doc.Data = {MakeRecord(u'a', u'B', "Zeile\r\nzwei", "Quel\nle", {"ja\r", "", "\rnein"}),
                MakeRecord(u'b', u'C', "K\x94ln", "", {"\n", "\r\n\r\n"})};
    doc.Data[0].Question[2] = "=\r\n1";
    doc.DatRec = doc.Data[0];
    TMirolaFile raf;
    raf.LoadFromBytes(doc.SaveToString(ftRAF), ftRAF);
    TMirolaFile text;
    text.LoadFromBytes(raf.SaveToString(ftTXT), ftTXT);
    const TCsvReadResult table = ReadCsv(WriteCsv(raf));
    ExpectRecords(text.Data, table.Records);
    EXPECT_EQ(table.Changes, std::vector<TCsvChange>{});
}

TEST(CsvRoundTrip, ThroughANamedFile)
{
    TScratchDir dir;
    const TMirolaFile doc = RoundTripDocument();
    WriteBytes(dir.Path("fragen.csv"), "alt");
    WriteCsvFile(doc, dir.Path("fragen.csv"));
    EXPECT_EQ(ReadBytes(dir.Path("fragen.csv")), WriteCsv(doc));
    ExpectRecords(doc.Data, ReadCsvFile(dir.Path("fragen.csv")).Records);
    EXPECT_EQ(ListFolder(dir.Root()), "fragen.csv;");
}

// ---------------------------------------------------------------------------------
// What spreadsheet programs write

struct TVariant {
    const char *Name;
    std::string Bytes;
};

// Two records in each file, taken without any change.
const TMirolaDatensatz kFirst = MakeRecord(u'b', u'C',
                                           "Gr\x81\xE1"
                                           "e, \"Welt\"",
                                           "Quelle; S. 3", {"ja", "nein"});
const TMirolaDatensatz kSecond = MakeRecord(u'x', u'A', "Zweite Frage", "", {"", "", "", "", "letzte \x8E"});

void PrintTo(const TVariant &variant, std::ostream *out)
{
    *out << variant.Name;
}

class CsvVariants : public testing::TestWithParam<TVariant> {};

TEST_P(CsvVariants, ReadsBothRecordsAsTheyStand)
{
    const TCsvReadResult result = ReadCsv(GetParam().Bytes);
    ExpectRecords({kFirst, kSecond}, result.Records);
    EXPECT_EQ(result.Changes, std::vector<TCsvChange>{});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Spreadsheets, CsvVariants,
    testing::Values(
        TVariant{"KelmorsOwn", kBom + kHeader + "\r\n" +
                                   "1,b,C,\"Grüße, \"\"Welt\"\"\",,,\"Quelle; S. 3\",ja,nein,,,\r\n"
                                   "2,x,A,Zweite Frage,,,,,,,,letzte Ä\r\n"},
        TVariant{"SemicolonsAndLineFeedsWithoutMark",
                 "Nr;Code;Level;Frage 1;Frage 2;Frage 3;Kommentar;Antwort a;Antwort b;Antwort c;Antwort d;Antwort e\n"
                 "1;b;C;\"Grüße, \"\"Welt\"\"\";;;\"Quelle; S. 3\";ja;nein;;;\n"
                 "2;x;A;Zweite Frage;;;;;;;;letzte Ä\n"},
        TVariant{"Windows1252WithoutMark",
                 "Code;Level;Frage 1;Kommentar;Antwort a;Antwort b;Antwort e\r\n"
                 "b;C;\"Gr\xFC\xDF" "e, \"\"Welt\"\"\";\"Quelle; S. 3\";ja;nein;\r\n"
                 "x;A;Zweite Frage;;;;letzte \xC4\r\n"},
        TVariant{"ColumnsInAnyOrderNamedLoosely",
                 " antwort B ,Kommentar,FRAGE 1,nr,level,Code,Antwort e,Antwort a\r\n"
                 "nein,Quelle; S. 3,\"Grüße, \"\"Welt\"\"\",\"zwei\r\nZeilen, ignoriert\",C,b,,ja\r\n"
                 ",,Zweite Frage,,A,x,letzte Ä,\r\n"},
        TVariant{"MissingColumnsAndEmptyCellsGiveTheDefaults",
                 kBom + "Frage 1,Antwort a,Code,Kommentar,Antwort b,Level,Antwort e\n"
                        "\"Grüße, \"\"Welt\"\"\",ja,b,Quelle; S. 3,nein,C,\n"
                        "Zweite Frage,,,,,,letzte Ä"},
        TVariant{"LoneCarriageReturnsAndEmptyRows",
                 "Code,Level,Frage 1,Kommentar,Antwort a,Antwort b,Antwort e\r"
                 "b,C,\"Grüße, \"\"Welt\"\"\",Quelle; S. 3,ja,nein,\r"
                 ",,,,,,\r\r"
                 "x,A,Zweite Frage,,,,letzte Ä\r\r\n\n"},
        TVariant{"CodeAndLevelWithBlanksAround",
                 "Code,Level,Frage 1,Kommentar,Antwort a,Antwort b,Antwort e\n"
                 " b ,\"C \",\"Grüße, \"\"Welt\"\"\",Quelle; S. 3,ja,nein,\n"
                 "  ,,Zweite Frage,,,,letzte Ä\n"}),
    [](const testing::TestParamInfo<TVariant> &variant) { return std::string(variant.param.Name); });
// clang-format on

// ---------------------------------------------------------------------------------
// Tables as German spreadsheet authors make them

// The separator is the one the header row uses; a header of one name has none, so
// that commas and semicolons stay in the questions.
TEST(CsvAuthors, TheHeaderRowTellsTheSeparator)
{
    const struct {
        std::string File;
        TRecordList Records;
    } cases[] = {
        {"Frage 1\r\nWas ist 1,5 plus 2?\r\nDrei; oder vier?\r\n\"Zitat, \"\"w\xC3\xB6rtlich\"\"\"\r\n",
         {MakeRecord(u'x', u'A', "Was ist 1,5 plus 2?"), MakeRecord(u'x', u'A', "Drei; oder vier?"),
          MakeRecord(u'x', u'A', "Zitat, \"w\x94rtlich\"")}},
        {"Frage\nWas ist 1,5 plus 2?,\n", {MakeRecord(u'x', u'A', "Was ist 1,5 plus 2?,")}},
        {"Frage 1;Code\nWas ist 1,5 plus 2?;b\n", {MakeRecord(u'b', u'A', "Was ist 1,5 plus 2?")}},
        {"Frage 1,Code\nWas ist 1;5 plus 2?,c\n", {MakeRecord(u'c', u'A', "Was ist 1;5 plus 2?")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.File);
        const TCsvReadResult result = ReadCsv(c.File);
        ExpectRecords(c.Records, result.Records);
        EXPECT_EQ(result.Changes, std::vector<TCsvChange>{});
    }
}

enum TField { fQuestion1, fCode, fLevel, fAnswerA, fAnswerB, fAnswerC, fAnswerD, fAnswerE };

// Each name a German author gives a column, in any case and with blanks anywhere,
// takes its cells to the field it means.
TEST(CsvAuthors, GermanColumnNames)
{
    const struct {
        std::string Name;
        TField Field;
    } cases[] = {
        {"Frage", fQuestion1},
        {" FRAGE ", fQuestion1},
        {"Antwort 1", fAnswerA},
        {"antwort2", fAnswerB},
        {"ANTWORT 3", fAnswerC},
        {"Antwort  4", fAnswerD},
        {"Antwort 5", fAnswerE},
        {"Richtig", fCode},
        {"Richtige Antwort", fCode},
        {"richtigeantwort", fCode},
        {"Lösung", fCode},
        {"LÖSUNG", fCode},
        {"L\xF6sung", fCode},
        {"Schwierigkeit", fLevel},
        {"stufe", fLevel},
        {"\tS T U F E", fLevel},
        {"Frage\xE2\x80\xAF"
         "1",
         fQuestion1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        // One Windows-1252 byte makes the whole file Windows-1252.
        const bool windows = c.Name.find('\xF6') != std::string::npos;
        const std::string value = c.Field == fCode ? "c" : c.Field == fLevel ? "D" : "Wert";
        const TCsvReadResult result =
            ReadCsv(c.Name + ";Kommentar\r\n" + value + ";" + (windows ? "Notiz \xE4" : "Notiz ä") + "\r\n");
        TMirolaDatensatz expected = MakeRecord(u'x', u'A', "", "Notiz \x84");
        switch (c.Field) {
        case fQuestion1: expected.Question[0] = value; break;
        case fCode: expected.theletter = u'c'; break;
        case fLevel: expected.level = u'D'; break;
        default: expected.Answers[c.Field - fAnswerA] = value; break;
        }
        ExpectRecords({expected}, result.Records);
        EXPECT_EQ(result.Changes, std::vector<TCsvChange>{});
    }
}

// A column whose name fits nothing, one named a second time and cells under no name
// at all: their cells are not read, and each is said once.
TEST(CsvAuthors, ColumnsAndCellsThatNoNameFitsAreNamed)
{
    const std::string file = "Frage 1,Notiz,Code,Lösung,,Antwort a\r\n"
                             "Wer?,privat,b,c,vergessen,ja,\"über, die Kopfzeile\",,  \r\n"
                             "Wo?,,a,,,nein,eins\r\n"
                             "Wohin?,,a,,,,,,\r\n"
                             "Wann?,,d,,,jetzt,1,2,3,\x1B[2J,5\r\n";
    const TCsvReadResult result = ReadCsv(file);
    ExpectRecords({MakeRecord(u'b', u'A', "Wer?", "", {"ja"}), MakeRecord(u'a', u'A', "Wo?", "", {"nein"}),
                   MakeRecord(u'a', u'A', "Wohin?"), MakeRecord(u'd', u'A', "Wann?", "", {"jetzt"})},
                  result.Records);
    const std::vector<TCsvChange> expected = {
        {1, "Spalte B „Notiz“ ausgelassen: Name nicht erkannt"},
        {1, "Spalte D „Lösung“ ausgelassen: Spalte C ist schon Code"},
        {2, "Zellen E2 „vergessen“, G2 „über, die Kopfzeile“ ausgelassen: Spalten ohne Namen"},
        {3, "Zelle G3 „eins“ ausgelassen: Spalte ohne Namen"},
        {5, "Zellen G5 „1“, H5 „2“, I5 „3“ und 2 weitere ausgelassen: Spalten ohne Namen"},
    };
    EXPECT_EQ(result.Changes, expected);

    // A header of many unknown names: ten are named, the rest counted.
    std::string wide = "Frage 1";
    for (int i = 1; i <= 12; ++i)
        wide += ",X" + std::to_string(i);
    const TCsvReadResult many = ReadCsv(wide + "\nWer?\n");
    ASSERT_EQ(many.Changes.size(), 11u);
    EXPECT_EQ(many.Changes[9], (TCsvChange{1, "Spalte K „X10“ ausgelassen: Name nicht erkannt"}));
    EXPECT_EQ(many.Changes[10], (TCsvChange{1, "2 weitere Spalten ausgelassen: Namen nicht erkannt"}));
}

// A question cell longer than its line fills the next question lines where their
// cells are empty, broken between words; what still does not fit is cut and noted.
TEST(CsvAuthors, ALongQuestionFlowsIntoTheEmptyLinesBelow)
{
    const std::string l1 = "Welcher Fluss fließt durch Wien, Budapest und";  // a word more is 53 characters,
    const std::string l2 = "Belgrad und mündet nach fast dreitausend";       // here 51
    const std::string l3 = "Kilometern ins Schwarze Meer?";
    const std::string oem1 = "Welcher Fluss flie\xE1t durch Wien, Budapest und";
    const std::string oem2 = "Belgrad und m\x81ndet nach fast dreitausend";
    const std::string whole = l1 + " " + l2 + " " + l3;
    const std::string tail = " Sie ist 2850 Kilometer lang und fliesst durch zehn Staaten.";
    const struct {
        const char *Name;
        std::string Cells;  // the three question cells
        std::array<std::string, 3> Lines;
        std::vector<TCsvChange> Changes;
    } cases[] = {
        {"IntoBothEmptyLines", whole + ";;", {oem1, oem2, l3}, {}},
        {"RunsOfBlanksAtTheBreak", l1 + "      " + l2 + ";;", {oem1, oem2, ""}, {}},
        // The last line is cut where it is full, as a line alone is.
        {"OnlyIntoTheEmptyLineBelow",
         whole + ";;drei",
         {oem1, oem2 + " Kilometer", "drei"},
         {{2, "Frage 1 um 20 Zeichen gekürzt"}}},
        {"AFullLineBelowCutsAsBefore",
         whole + ";zwei;",
         {oem1 + " Belg", "zwei", ""},
         {{2, "Frage 1 um 66 Zeichen gekürzt"}}},
        {"TheSecondIntoTheThird",
         "eins;" + whole + ";",
         {"eins", oem1, oem2 + " Kilometer"},
         {{2, "Frage 2 um 20 Zeichen gekürzt"}}},
        {"WhatStillDoesNotFitIsCut",
         whole + tail + ";;",
         {oem1, oem2, "Kilometern ins Schwarze Meer? Sie ist 2850 Kilomet"},
         {{2, "Frage 1 um 39 Zeichen gekürzt"}}},
        {"AWordTooLongForALine",
         std::string(60, 'x') + " Ende;;",
         {std::string(50, 'x'), std::string(10, 'x') + " Ende", ""},
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        const TCsvReadResult result = ReadCsv("Frage 1;Frage 2;Frage 3;Code\n" + c.Cells + ";b\n");
        TMirolaDatensatz expected = MakeRecord(u'b', u'A', c.Lines[0]);
        expected.Question[1] = c.Lines[1];
        expected.Question[2] = c.Lines[2];
        ExpectRecords({expected}, result.Records);
        EXPECT_EQ(result.Changes, c.Changes);
    }
    // Missing columns are empty cells too.
    const TCsvReadResult alone = ReadCsv("Frage\n" + whole + "\n");
    ASSERT_EQ(alone.Records.size(), 1u);
    EXPECT_EQ(alone.Records[0].Question[1], oem2);
    EXPECT_EQ(alone.Records[0].Question[2], l3);
}

// ---------------------------------------------------------------------------------
// What does not fit

TEST(CsvLosses, EachIsNotedWithTheRowTheSpreadsheetShows)
{
    // clang-format off
    const std::string file =
        kBom + "Code;Level;Frage 1;Frage 2;Notiz;Kommentar;Antwort a;Antwort e;Antwort f;Antwort 7\r\n"
        // Row 2 spans three lines of the file, in a column nobody reads.
        "a;B;Erste;;\"eine Notiz\r\nüber\r\ndrei Zeilen\";;;;\r\n"
        "b;C;" + std::string(62, 'x') + ";Preis in €;;\"Quelle\r\nzweite Zeile\";;;\r\n"
        "leicht;B (mittel);Dritte;™ und € und ™;;" + std::string(40, 'k') + ";" + std::string(36, 'y') + ";;sechste;siebte\r\n"
        "€;\"\n\";Vierte;;;\"a\nb\rc\";;\"zu ;lang, hier: ääääääääääääääääääääääääääääääää\";\r\n"
        "r;A;Fünfte;;;;;;; Antwort 7 \r\n"
        "r;A;Fünfte;;;\"offen";
    // clang-format on
    const TCsvReadResult result = ReadCsv(file);
    const std::vector<TCsvChange> expected = {
        {1, "Spalte E „Notiz“ ausgelassen: Name nicht erkannt"},
        {3, "Frage 1 um 12 Zeichen gekürzt"},
        {3, "Zeichen „€“ in Frage 2 als „EUR“ gespeichert"},
        {3, "Zeilenumbruch in Kommentar durch Leerzeichen ersetzt"},
        {4, "Code „leicht“ nicht erkannt, „x“ gespeichert"},
        {4, "Level „B (mittel)“ als „B“ übernommen"},
        {4, "Zeichen „€“ in Frage 2 als „EUR“ gespeichert"},
        {4, "Zeichen „™“ in Frage 2 als „?“ gespeichert"},
        {4, "Kommentar um 5 Zeichen gekürzt"},
        {4, "Antwort a um 2 Zeichen gekürzt"},
        {4, "Antwort f und 1 weitere ausgelassen: eine Frage hat höchstens fünf Antworten"},
        {5, "Zeichen „€“ in Code als „?“ gespeichert"},
        {5, "Zeilenumbruch in Kommentar durch Leerzeichen ersetzt"},
        {5, "Antwort e um 14 Zeichen gekürzt"},
        {6, "Antwort 7 ausgelassen: eine Frage hat höchstens fünf Antworten"},
        {7, "Anführungszeichen nicht geschlossen: der Rest der Datei als ein Feld gelesen"},
    };
    EXPECT_EQ(result.Changes, expected);

    TRecordList records = {
        MakeRecord(u'a', u'B', "Erste"),
        MakeRecord(u'b', u'C', std::string(50, 'x'), "Quelle zweite Zeile"),
        MakeRecord(u'x', u'B', "Dritte", std::string(35, 'k'), {std::string(34, 'y')}),
        MakeRecord(u'?', u'\n', "Vierte", "a b c", {"", "", "", "", "zu ;lang, hier: " + std::string(18, '\x84')}),
        MakeRecord(u'r', u'A', "F\x81nfte"),
        MakeRecord(u'r', u'A', "F\x81nfte", "offen"),
    };
    records[1].Question[1] = "Preis in EUR";
    records[2].Question[1] = "? und EUR und ?";
    ExpectRecords(records, result.Records);
}

TEST(CsvLosses, BytesThatAreNoUtf8AfterTheMark)
{
    // Row 2 spans two lines; each damaged byte of row 3 is one "?": stray and cut
    // short sequences, an overlong slash and a surrogate.
    const std::string file = kBom + "Frage 1,Code,Level,Frage 2\n\"zwei\nZeilen\",a,B\n" +
                             "Gr\xFC\xDF"
                             "e \xC3,\xE2,C,\xC0\xAF\xED\xA0\x80\n";
    const TCsvReadResult result = ReadCsv(file);
    TMirolaDatensatz damaged = MakeRecord(u'?', u'C', "Gr??e ?");
    damaged.Question[1] = "?????";
    ExpectRecords({MakeRecord(u'a', u'B', "zwei Zeilen"), damaged}, result.Records);
    const std::vector<TCsvChange> expected = {
        {2, "Zeilenumbruch in Frage 1 durch Leerzeichen ersetzt"},
        {3, "ungültige UTF-8-Bytes in Code als „?“ gespeichert"},
        {3, "ungültige UTF-8-Bytes in Frage 1 als „?“ gespeichert"},
        {3, "ungültige UTF-8-Bytes in Frage 2 als „?“ gespeichert"},
    };
    EXPECT_EQ(result.Changes, expected);
}

TEST(CsvLosses, RowsBeyondWhatAQuestionFileHolds)
{
    std::string file = "Frage 1\n";
    for (std::size_t i = 1; i <= MaxTextRecords + 3; ++i)
        file += "Frage " + std::to_string(i) + (i == 5 ? ",\n\n" : "\n");
    const TCsvReadResult result = ReadCsv(file + "\n\n");
    ASSERT_EQ(result.Records.size(), MaxTextRecords);
    EXPECT_EQ(result.Records.back().Question[0], "Frage 9999");
    // The empty line after the fifth record is a row of its own.
    const std::vector<TCsvChange> expected = {{10002, "nur die ersten 9999 Zeilen übernommen, 3 weitere ausgelassen"}};
    EXPECT_EQ(result.Changes, expected);
}

// The rows become a document with its cursor on the first; a header without rows is a
// file to begin, with one new record as a new file has.
TEST(CsvDocument, RowsBecomeTheRecordsWithTheCursorOnTheFirst)
{
    TMirolaFile doc;
    TakeCsvRecords(doc, ReadCsv("Frage 1;Code\nerste;b\nzweite;c\n").Records);
    ASSERT_EQ(doc.Count(), 2);
    EXPECT_EQ(doc.Index, 0);
    EXPECT_EQ(doc.DatRec.Question[0].str(), "erste");
    EXPECT_EQ(doc.Data[1].theletter, u'c');

    TMirolaFile empty;
    TakeCsvRecords(empty, ReadCsv("Frage 1,Code\r\n").Records);
    TMirolaFile fresh;
    fresh.Add();
    ASSERT_EQ(empty.Count(), 1);
    EXPECT_EQ(empty.DatRec, fresh.DatRec);
}

TEST(CsvRefused, AFileWithoutAHeaderOfKnownNames)
{
    for (const std::string &file : {std::string(), kBom, std::string("\r\n\r\n"), std::string("a,b,c\r\n1,2,3\r\n"),
                                    std::string("Nr;Notiz\n1;Frage 1\n"), std::string("1,b,C,Wer?,,,,ja,nein,,,\r\n"),
                                    std::string("Fragen,Antworten\n"), std::string("Frage 1a;Antwort;Code 2\n")})
        EXPECT_EQ(ReadError(file), "Die Datei hat keine Kopfzeile mit bekannten Spaltennamen (Code, Level, Frage 1, …)")
            << file;
}

TEST(CsvRefused, NamedFilesThatAreNoQuestionList)
{
    TScratchDir dir;
    EXPECT_THROW(ReadCsvFile(dir.Root()), EMirolaError);
    EXPECT_THROW(ReadCsvFile(dir.Path("fehlt.csv")), EMirolaError);
    // A huge file is refused by its size, before a byte of it is read.
    WriteBytes(dir.Path("riesig.csv"), "Frage 1\n");
    ASSERT_EQ(::truncate(dir.Path("riesig.csv").c_str(), (off_t(256) << 20) + 1), 0);
    try {
        ReadCsvFile(dir.Path("riesig.csv"));
        ADD_FAILURE() << "a file of more than 256 MB was read";
    } catch (const EMirolaError &e) {
        EXPECT_EQ(e.Message(), "Die Datei ist zu groß für eine Tabelle mit Fragen (mehr als 256 MB)");
    }
}

// ---------------------------------------------------------------------------------
// Hostile files: they must end, and in what was read nothing is out of place.

TEST(CsvHostile, ManyColumnsNulBytesAndEndlessQuotes)
{
    std::string wide = "Frage 1";
    for (int i = 0; i < 100000; ++i)
        wide += ",Spalte";
    wide += ",Code\n" + std::string(100001, ',') + "b\n";
    const TCsvReadResult manyColumns = ReadCsv(wide);
    ExpectRecords({MakeRecord(u'b', u'A', "")}, manyColumns.Records);

    const TCsvReadResult nul = ReadCsv(std::string_view("Frage 1,Code\n\0a\0,\0\n", 19));
    ExpectRecords({MakeRecord(0, u'A', std::string("\0a\0", 3))}, nul.Records);

    const TCsvReadResult quote = ReadCsv("Frage 1,Code\n\"" + std::string(100000, '"'));
    ASSERT_EQ(quote.Records.size(), 1u);
    EXPECT_EQ(quote.Records[0].Question[0], std::string(50, '"'));
}

// ---------------------------------------------------------------------------------
// The summary for the user

TEST(CsvSummary, TheFirstTenAndHowManyMore)
{
    std::vector<TCsvChange> changes;
    EXPECT_EQ(CsvChangeSummary(changes), "");
    for (std::size_t i = 0; i < 12; ++i)
        changes.push_back({i + 2, "Änderung " + std::to_string(i + 1)});
    std::string ten;
    for (std::size_t i = 0; i < 10; ++i)
        ten += (i ? "\n" : "") + ("Zeile " + std::to_string(i + 2) + ": Änderung " + std::to_string(i + 1));

    EXPECT_EQ(CsvChangeSummary(std::vector<TCsvChange>(changes.begin(), changes.begin() + 10)), ten);
    EXPECT_EQ(CsvChangeSummary(std::vector<TCsvChange>(changes.begin(), changes.begin() + 11)),
              ten + "\n… und 1 weitere Änderung.");
    EXPECT_EQ(CsvChangeSummary(changes), ten + "\n… und 2 weitere Änderungen.");
}

}  // namespace
