// The record format: its fixed layout, both editions, and damaged files.
#include <gtest/gtest.h>

#include "testutil.h"

namespace {

constexpr std::size_t kRec = 435;
constexpr std::size_t kOffsets[10] = {0, 51, 102, 153, 204, 255, 291, 327, 363, 399};

// A record assembled slot by slot, the way a test reads the layout; the bytes after
// each text stay 0.
std::string Record(std::initializer_list<std::string> slots)
{
    std::string rec(kRec, '\0');
    int i = 0;
    for (const auto &text : slots) {
        rec[kOffsets[i]] = static_cast<char>(text.size());
        rec.replace(kOffsets[i] + 1, text.size(), text);
        ++i;
    }
    return rec;
}

std::string Slot(const std::string &file, std::size_t record, int slot)
{
    const std::size_t at = record * kRec + kOffsets[slot];
    return file.substr(at + 1, static_cast<unsigned char>(file[at]));
}

TMirolaFile SmallDocument()
{
    TMirolaFile doc;
    doc.Title = "K\x84se";                          // Käse
    doc.AutorInfo = "\x84" + std::string(59, 'a');  // ä
    doc.CopyrightInfo = "(c) M\x81ller";            // Müller
    doc.Comments = std::string(34, 'k') + "\x84"
                                          "zuviel";
    doc.Add();
    doc.DatRec = MakeRecord(u'b', u'C', "Ist K\x84se gelb?", "Quelle", {"ja", "n\x84", "", "", "f\x81nf"});
    doc.Add();  // posts the first record
    return doc;
}

TEST(RafFormat, DosEditionLayout)
{
    TScratchDir dir;
    TMirolaFile doc = SmallDocument();
    doc.SaveToFile(dir.Path("d.raf"), ftRAF);
    const std::string file = ReadBytes(dir.Path("d.raf"));
    const std::string filler(34, '\xFA');
    const std::string expected =
        Record({"- MIROLA-Datei", "K\x84se", "\x84" + std::string(49, 'a'), "(c) M\x81ller", ":0002",
                std::string(34, 'k') + "\x84", filler, filler, filler, filler}) +
        Record({"b:C: 001", "Ist K\x84se gelb?", "", "", "-Quelle", "ja", "n\x84", "", "", "f\x81nf"}) +
        Record({"x:a: 002", "", "", "", "-", "", "", "", "", ""});
    EXPECT_EQ(file, expected);
}

TEST(RafFormat, WindowsEditionConvertsTheRecordTexts)
{
    TScratchDir dir;
    TMirolaFile doc = SmallDocument();
    doc.SaveToFile(dir.Path("w.raf"), ftWRAF);
    const std::string file = ReadBytes(dir.Path("w.raf"));
    ASSERT_EQ(file.size(), 3 * kRec);
    // Of the header, only the file comment and the filler are converted; title, author
    // and copyright keep their OEM bytes.
    const std::string filler(34, '\xB7');
    EXPECT_EQ(file.substr(0, kRec), Record({"- MIROLA-Datei", "K\x84se", "\x84" + std::string(49, 'a'), "(c) M\x81ller",
                                            ":0002", std::string(34, 'k') + "\xE4", filler, filler, filler, filler}));
    EXPECT_EQ(Slot(file, 1, 0), "b:C: 001");
    EXPECT_EQ(Slot(file, 1, 1), "Ist K\xE4se gelb?");
    EXPECT_EQ(Slot(file, 1, 4), "-Quelle");
    EXPECT_EQ(Slot(file, 1, 6), "n\xE4");
    EXPECT_EQ(Slot(file, 1, 9), "f\xFCnf");
}

// Records that differ, with umlauts and ß in every text the Windows writer converts.
// Title, author and copyright hold bytes that mean other letters in the Windows code
// page (0x81 ü, 0x94 ö, 0x99 Ö, 0xE1 ß), so converting them on the way in would show.
TMirolaFile UmlautDocument()
{
    TMirolaFile doc;
    doc.Title = "Quiz f\x81r K\x94ln";
    doc.AutorInfo = "J\x99rg M\x81ller";
    // clang-format off
    doc.CopyrightInfo = "(c) Stra\xE1" "e 5";
    doc.Comments = "Fragen \x81" "ber \x8E" "gypten und \x99sterreich, gro\xE1 und klein";
    TMirolaDatensatz first = MakeRecord(u'a', u'A', "Wie hei\xE1t die Hauptstadt von \x99sterreich?", "\x8E" "gypten",
                                        {"\x99tztal", "Wien", "Br\x81" "ck", "Linz"});
    first.Question[1] = "(nicht Gro\xE1glockner)";
    TMirolaDatensatz second = MakeRecord(u'c', u'D', "Welcher Fluss flie\xE1t", "Erdkunde \x9A" "bung",
                                         {"Donau", "Elbe", "Rhein", "M\x84" "rz", "S\x84" "chsische Saale"});
    second.Question[2] = "durch K\x94ln?";
    TMirolaDatensatz third = MakeRecord(u'x', u'b', "", "", {"", "\x81" "berall", "", "Rahmen \xC9\xCD\xBB"});
    // clang-format on
    third.Question[1] = "Schwarzer Peter f\x81r \x84lle";
    doc.Data = {first, second, third};
    doc.DatRec = first;
    return doc;
}

// The Windows code page has no box-drawing characters: the writer puts '?' in their
// place, and '?' is what comes back.
TMirolaFile UmlautDocumentFromWindowsEdition()
{
    TMirolaFile doc = UmlautDocument();
    doc.Data[2].Answers[3] = "Rahmen ???";
    return doc;
}

void ExpectSameDocument(const TMirolaFile &expected, const TMirolaFile &actual)
{
    EXPECT_EQ(actual.Title, expected.Title);
    EXPECT_EQ(actual.AutorInfo, expected.AutorInfo);
    EXPECT_EQ(actual.CopyrightInfo, expected.CopyrightInfo);
    EXPECT_EQ(actual.Comments, expected.Comments.substr(0, 35));
    ASSERT_EQ(actual.Count(), expected.Count());
    for (int i = 0; i < expected.Count(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i + 1));
        ExpectSameRecord(expected.Data[i], actual.Data[i]);
    }
}

TEST(RafFormat, BothEditionsReadBackAsTheDocument)
{
    TScratchDir dir;
    TMirolaFile doc = UmlautDocument();
    const struct {
        tMirolaFType type;
        TMirolaFile expected;
    } editions[] = {{ftRAF, doc}, {ftWRAF, UmlautDocumentFromWindowsEdition()}};
    for (const auto &edition : editions) {
        SCOPED_TRACE(edition.type == ftRAF ? "DOS edition" : "Windows edition");
        doc.SaveToFile(dir.Path("mirola-quiz.raf"), edition.type);
        TMirolaFile back;
        back.LoadFromFile(dir.Path("mirola-quiz.raf"));
        ExpectSameDocument(edition.expected, back);
        // Saved again, it is the file it came from.
        EXPECT_EQ(back.SaveToString(edition.type), ReadBytes(dir.Path("mirola-quiz.raf")));
    }
}

// A header whose first filler slot is anything but the Windows edition's exact filler
// is read as the DOS edition always was: every text as the file holds it.
TEST(RafFormat, OnlyTheExactWindowsFillerMarksTheWindowsEdition)
{
    const std::string file = UmlautDocument().SaveToString(ftWRAF);
    const std::string win(1, '\xB7'), dos(1, '\xFA');
    auto repeat = [](const std::string &byte, std::size_t n) {
        std::string out;
        for (std::size_t i = 0; i < n; ++i)
            out += byte;
        return out;
    };
    const struct {
        const char *name;
        std::string slot;  // length byte and the 35 bytes of room
        bool windows;
    } cases[] = {
        {"as written", "\x22" + repeat(win, 34) + '\0', true},
        {"room byte after the filler set", "\x22" + repeat(win, 35), true},
        {"33 bytes of 183", "\x21" + repeat(win, 33) + '\0' + '\0', false},
        {"length 35", "\x23" + repeat(win, 35), false},
        {"length 34, last byte 250", "\x22" + repeat(win, 33) + dos + '\0', false},
        {"length 34, first byte 182", "\x22\xB6" + repeat(win, 33) + '\0', false},
        {"DOS filler here, Windows filler in the other slots", "\x22" + repeat(dos, 34) + '\0', false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.slot.size(), 36u);
        std::string patched = file;
        patched.replace(kOffsets[6], c.slot.size(), c.slot);
        TMirolaFile back;
        back.LoadFromBytes(patched, ftWRAF);  // the type passed does not decide
        if (c.windows) {
            ExpectSameDocument(UmlautDocumentFromWindowsEdition(), back);
            continue;
        }
        EXPECT_EQ(back.Title.view(), Slot(file, 0, 1));
        EXPECT_EQ(back.AutorInfo, Slot(file, 0, 2));
        EXPECT_EQ(back.CopyrightInfo, Slot(file, 0, 3));
        EXPECT_EQ(back.Comments, Slot(file, 0, 5));
        ASSERT_EQ(back.Count(), 3);
        for (std::size_t r = 1; r <= 3; ++r) {
            const TMirolaDatensatz &record = back.Data[r - 1];
            for (int q = 0; q < 3; ++q)
                EXPECT_EQ(record.Question[q].view(), Slot(file, r, 1 + q)) << r;
            EXPECT_EQ(record.Comment.view(), Slot(file, r, 4).substr(1)) << r;
            for (int a = 0; a < 5; ++a)
                EXPECT_EQ(record.Answers[a].view(), Slot(file, r, 5 + a)) << r;
        }
    }
}

TEST(RafFormat, DosRoundTrip)
{
    TScratchDir dir;
    TMirolaFile doc = SmallDocument();
    doc.Title = std::string(36, 't');
    doc.SaveToFile(dir.Path("d.raf"), ftRAF);
    TMirolaFile back;
    back.LoadFromFile(dir.Path("d.raf"));
    EXPECT_EQ(back.Title, doc.Title);
    EXPECT_EQ(back.AutorInfo, doc.AutorInfo.substr(0, 50));
    EXPECT_EQ(back.CopyrightInfo, doc.CopyrightInfo);
    EXPECT_EQ(back.Comments, doc.Comments.substr(0, 35));
    ASSERT_EQ(back.Count(), 2);
    ExpectSameRecord(doc.Data[0], back.Data[0]);
    EXPECT_EQ(back.Data[1].theletter, u'x');
}

TEST(RafFormat, FileSizes)
{
    TScratchDir dir;
    const std::string header = Record({"- MIROLA-Datei", "T"});
    const std::string question = Record({"a:B: 001", "Frage"});
    struct Case {
        std::string bytes;
        int records;
        const char *error;
    };
    const Case cases[] = {
        {header + question + question + std::string(100, 'z'), 2, ""},
        {header, 0, "Listenindex außerhalb des gültigen Bereichs (0). TList ist leer"},
        {header.substr(0, kRec - 1), 0, "Versuch hinter dem Dateiende zu lesen"},
        {"", 0, "Versuch hinter dem Dateiende zu lesen"},
    };
    for (const Case &c : cases) {
        WriteBytes(dir.Path("s.raf"), c.bytes);
        TMirolaFile doc, fromBytes;
        EXPECT_EQ(LoadError(doc, dir.Path("s.raf")), c.error) << c.bytes.size();
        EXPECT_EQ(doc.Count(), c.records) << c.bytes.size();
        EXPECT_EQ(LoadBytesError(fromBytes, c.bytes, ftRAF), c.error) << c.bytes.size();
        EXPECT_EQ(fromBytes.Count(), c.records) << c.bytes.size();
    }
}

TEST(RafFormat, ReadsWhatOtherToolsAndDamageLeave)
{
    TScratchDir dir;
    std::string header = Record({"", std::string(50, 'T'), "Autor", "Copy", "", "Kommentar"});
    header[kOffsets[2]] = static_cast<char>(60);  // author runs on into the copyright slot
    std::string question = Record({"", "Frage", "", "", "-Quelle", std::string(35, 'a'), "b"});
    question[1] = 'c';  // the code letters stand where they stand, whatever the length says
    question[3] = 'D';
    std::string damaged = Record({"e:A: 002"});
    damaged[kOffsets[4]] = static_cast<char>(255);  // comment length past the record's end
    damaged.replace(kOffsets[4] + 1, 3, "-xy");
    WriteBytes(dir.Path("o.raf"), header + question + damaged);

    TMirolaFile doc;
    doc.LoadFromFile(dir.Path("o.raf"));
    EXPECT_EQ(doc.Title.str(), std::string(36, 'T'));
    EXPECT_EQ(doc.AutorInfo.size(), 60u);
    EXPECT_EQ(doc.AutorInfo.substr(0, 5), "Autor");
    EXPECT_EQ(doc.AutorInfo.substr(50, 5), "\x04"
                                           "Copy");
    ASSERT_EQ(doc.Count(), 2);
    EXPECT_EQ(doc.Data[0].theletter, u'c');
    EXPECT_EQ(doc.Data[0].level, u'D');
    EXPECT_EQ(doc.Data[0].Comment.str(), "Quelle");
    EXPECT_EQ(doc.Data[0].Answers[0].str(), std::string(34, 'a'));
    EXPECT_EQ(doc.Data[0].Answers[1].str(), "b");
    EXPECT_EQ(doc.Data[1].Comment.str().substr(0, 2), "xy");
    EXPECT_EQ(doc.Data[1].Comment.Length, 35);
}

}  // namespace
