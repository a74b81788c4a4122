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
    doc.Title = "K\x84se";  // Käse
    doc.AutorInfo = "\x84" + std::string(59, 'a');  // ä
    doc.CopyrightInfo = "(c) M\x81ller";            // Müller
    doc.Comments = std::string(34, 'k') + "\x84" "zuviel";
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
    EXPECT_EQ(file.substr(0, kRec),
              Record({"- MIROLA-Datei", "K\x84se", "\x84" + std::string(49, 'a'), "(c) M\x81ller", ":0002",
                      std::string(34, 'k') + "\xE4", filler, filler, filler, filler}));
    EXPECT_EQ(Slot(file, 1, 0), "b:C: 001");
    EXPECT_EQ(Slot(file, 1, 1), "Ist K\xE4se gelb?");
    EXPECT_EQ(Slot(file, 1, 4), "-Quelle");
    EXPECT_EQ(Slot(file, 1, 6), "n\xE4");
    EXPECT_EQ(Slot(file, 1, 9), "f\xFCnf");
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
    EXPECT_EQ(doc.AutorInfo.substr(50, 5), "\x04" "Copy");
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
