// The text format: reading, writing and the quirks of files from the game's tools.
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <gtest/gtest.h>

#include "testutil.h"

namespace {

// A file as the game's tools write it, header plus the given record lines.
std::string TextFile(const std::string &countLine, const std::string &records,
                     const std::string &titleLine = "Quiz- MIROLA-Datei")
{
    return titleLine + "\r\n" + countLine + "\r\nAutor    : Ann\r\nCopyright: (c) Ann\r\nDateikommentar\r\n" + records;
}

const std::string kRecord =
    "b:C:001\r\nWo liegt Wien?\r\nZeile 2\r\n\r\n- Quelle\r\nIn \x99sterreich\r\nIn Ungarn\r\n\r\n\r\n\r\n";

TEST(TextFormat, WritesTheGamesBytesExactly)
{
    TScratchDir dir;
    TMirolaFile doc;
    doc.Title = "Quiz";
    doc.AutorInfo = "Ann";
    doc.CopyrightInfo = "(c) Ann";
    doc.Comments = "Dateikommentar";
    doc.Add();
    doc.DatRec = MakeRecord(u'b', u'C', "Wo liegt Wien?", "Quelle", {"In \x99sterreich", "In Ungarn"});
    doc.DatRec.Question[1] = "Zeile 2";
    doc.SaveToFile(dir.Path("q.mfd"), ftTXT);
    EXPECT_EQ(ReadBytes(dir.Path("q.mfd")), TextFile(":0001", kRecord));
}

TEST(TextFormat, RoundTripKeepsEverything)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(0);
    doc.Title = "Gr\x81\xE1"
                "e aus K\x94ln";
    doc.AutorInfo = std::string(80, 'A');
    doc.Comments = "Kommentar - mit Strich";
    const char16_t codes[] = {u'a', u'b', u'c', u'd', u'e', u'r', u'f', u'x', u'Q'};
    const char16_t levels[] = {u'A', u'B', u'C', u'D', u'a', u'z', u' ', u'D', u'q'};
    for (int i = 0; i < 9; ++i) {
        TMirolaDatensatz r = MakeRecord(codes[i], levels[i], std::string(50, char('a' + i)), std::string(35, '#'),
                                        {"eins", "", "dr\x84i", std::string(34, 'x')});
        r.Question[2] = "- nicht der Kommentar";
        doc.Data.push_back(r);
    }
    doc.DatRec = doc.Data[0];
    doc.SaveToFile(dir.Path("q.dat"), ftTXT);

    TMirolaFile back;
    back.LoadFromFile(dir.Path("q.dat"));
    EXPECT_EQ(back.Title, doc.Title);
    EXPECT_EQ(back.AutorInfo, doc.AutorInfo);
    EXPECT_EQ(back.CopyrightInfo, doc.CopyrightInfo);
    EXPECT_EQ(back.Comments, doc.Comments);
    ASSERT_EQ(back.Count(), 9);
    for (int i = 0; i < 9; ++i)
        ExpectSameRecord(doc.Data[i], back.Data[i]);
    EXPECT_EQ(back.Index, 0);
    EXPECT_EQ(back.DatRec.Question[0], doc.Data[0].Question[0]);
}

// A record file may hold line breaks and Ctrl-Z in any text; the text format cannot.
TEST(TextFormat, LineBreaksAndCtrlZInTextsAreWrittenAsBlanks)
{
    TMirolaFile doc;
    doc.Title = "Zwei\r\nZeilen";
    doc.AutorInfo = "Ann\nBob";
    doc.CopyrightInfo = "\x1A"
                        "2026";
    doc.Comments = "Ende\r";
    doc.Data = {MakeRecord(u'\n', u'\x1A', "Wo\rliegt", "Que\nlle", {"\x84\r", "", "b\x1A"}),
                MakeRecord(u'c', u'D', "K\x94ln", "", {"ja", "nein"}),
                MakeRecord(u'\r', u'B', "", "\r\n", {"", "", "", "", "f\x81nf\n"})};
    doc.Data[1].Question[2] = "\n";
    doc.Data[2].Question[1] = "\x1A\x1A\x1A";
    doc.DatRec = doc.Data[0];

    // The record format keeps every byte.
    TMirolaFile raf;
    raf.LoadFromBytes(doc.SaveToString(ftRAF), ftRAF);
    EXPECT_EQ(raf.Title, doc.Title);
    EXPECT_EQ(raf.AutorInfo, doc.AutorInfo);
    EXPECT_EQ(raf.CopyrightInfo, doc.CopyrightInfo);
    EXPECT_EQ(raf.Comments, doc.Comments);
    ASSERT_EQ(raf.Count(), 3);
    for (int i = 0; i < 3; ++i)
        ExpectSameRecord(doc.Data[i], raf.Data[i]);
    TMirolaFile win;
    win.LoadFromBytes(doc.SaveToString(ftWRAF), ftRAF);
    ASSERT_EQ(win.Count(), 3);
    EXPECT_EQ(win.Data[0].Answers[0].str(), "\x84\r");
    EXPECT_EQ(win.Data[2].Comment.str(), "\r\n");

    TMirolaFile text;
    text.LoadFromBytes(raf.SaveToString(ftTXT), ftTXT);
    EXPECT_EQ(text.Title.str(), "Zwei  Zeilen");
    EXPECT_EQ(text.AutorInfo, "Ann Bob");
    EXPECT_EQ(text.CopyrightInfo, " 2026");
    EXPECT_EQ(text.Comments, "Ende ");
    ASSERT_EQ(text.Count(), 3);
    TMirolaDatensatz expected[] = {MakeRecord(u' ', u' ', "Wo liegt", "Que lle", {"\x84 ", "", "b "}),
                                   MakeRecord(u'c', u'D', "K\x94ln", "", {"ja", "nein"}),
                                   MakeRecord(u' ', u'B', "", "  ", {"", "", "", "", "f\x81nf "})};
    expected[1].Question[2] = " ";
    expected[2].Question[1] = "   ";
    for (int i = 0; i < 3; ++i)
        ExpectSameRecord(expected[i], text.Data[i]);
}

TEST(TextFormat, TitleStaysTheSameOverRepeatedSaves)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(1);
    doc.Title = std::string(36, 'T');
    for (int round = 0; round < 3; ++round) {
        doc.SaveToFile(dir.Path("t.mfd"), ftTXT);
        doc = TMirolaFile();
        doc.LoadFromFile(dir.Path("t.mfd"));
        EXPECT_EQ(doc.Title.str(), std::string(36, 'T'));
    }
    // Files written elsewhere carry the marker in other letter cases; only its first
    // occurrence goes.
    struct Case {
        const char *line, *title;
    };
    for (const Case c :
         {Case{"Quiz- Mirola-Datei", "Quiz"}, Case{"Quiz- mirola-datei- MIROLA-Datei", "Quiz- MIROLA-Datei"},
          Case{"Ohne Marke, aber mit mehr als sechsunddreissig Zeichen", "Ohne Marke, aber mit mehr als sechsu"}}) {
        WriteBytes(dir.Path("m.mfd"), TextFile(":0001", kRecord, c.line));
        TMirolaFile other;
        other.LoadFromFile(dir.Path("m.mfd"));
        EXPECT_EQ(other.Title.str(), c.title) << c.line;
    }
}

TEST(TextFormat, ReadsLinesAsTheGamesToolsDo)
{
    TScratchDir dir;
    // Count line without colon: its first character goes, whatever it is.
    // Author prefix in the middle, copyright line without prefix, comment line "Ort - Zeit",
    // a question line of 60 characters, an answer of 40, LF-only line ends, a lone CR.
    const std::string file = "Titel\n12\nvon Autor    : Bob\nohne Vorsatz\nKom\rmentar\n"
                             "c:D:001\n" +
                             std::string(50, 'q') + "0123456789\nzwei\ndrei\nOrt - Zeit\n" + std::string(34, 'a') +
                             "zuviel\nb\nc\nd\ne\n" + kRecord;
    WriteBytes(dir.Path("l.mfd"), file);
    TMirolaFile doc;
    doc.LoadFromFile(dir.Path("l.mfd"));
    EXPECT_EQ(doc.AutorInfo, "von Bob");
    EXPECT_EQ(doc.CopyrightInfo, "ohne Vorsatz");
    EXPECT_EQ(doc.Comments, "Kommentar");
    ASSERT_EQ(doc.Count(), 2);
    const TMirolaDatensatz &r = doc.Data[0];
    EXPECT_EQ(r.theletter, u'c');
    EXPECT_EQ(r.level, u'D');
    EXPECT_EQ(r.Question[0].str(), std::string(50, 'q'));
    EXPECT_EQ(r.Question[1].str(), "zwei");
    EXPECT_EQ(r.Comment.str(), "Ort Zeit");
    EXPECT_EQ(r.Answers[0].str(), std::string(34, 'a'));
    EXPECT_EQ(r.Answers[4].str(), "e");
    EXPECT_EQ(doc.Data[1].Answers[0].str(), "In \x99sterreich");
}

TEST(TextFormat, ShortFilesAndShortCodeLines)
{
    TScratchDir dir;
    // Ctrl-Z ends the file; what is announced but missing reads as empty lines, and a
    // code line too short for its letters takes those of a new record.
    WriteBytes(dir.Path("s.mfd"), TextFile(":0004", "b:C:001\r\nFrage\r\n\x1A"
                                                    "c:D:002\r\n"));
    TMirolaFile doc;
    doc.LoadFromFile(dir.Path("s.mfd"));
    ASSERT_EQ(doc.Count(), 4);
    EXPECT_EQ(doc.Data[0].theletter, u'b');
    EXPECT_EQ(doc.Data[0].Question[0].str(), "Frage");
    EXPECT_EQ(doc.Data[1].theletter, u'x');
    EXPECT_EQ(doc.Data[1].level, u'a');

    WriteBytes(dir.Path("c.mfd"), TextFile(":0003", "b\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                                    "b:\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                                    "e:B\r\n"));
    TMirolaFile codes;
    codes.LoadFromFile(dir.Path("c.mfd"));
    ASSERT_EQ(codes.Count(), 3);
    EXPECT_EQ(codes.Data[0].theletter, u'b');
    EXPECT_EQ(codes.Data[0].level, u'a');
    EXPECT_EQ(codes.Data[1].level, u'a');
    EXPECT_EQ(codes.Data[2].theletter, u'e');
    EXPECT_EQ(codes.Data[2].level, u'B');
}

TEST(TextFormat, CtrlZEndsTheFileWhereverItStands)
{
    // Behind the Ctrl-Z lie the rest of the first record and a whole second one; none
    // of it may be read.
    const std::string second = "c:D:002\r\nZweite Frage\r\n\r\n\r\n- Notiz\r\nja\r\nnein\r\n\r\n\r\n\r\n";
    TMirolaFile mid;
    mid.LoadFromBytes(
        TextFile(":0002", "b:C:001\r\nErste\r\nZei\x1Ale 2\r\n\r\n- Quelle\r\nA\r\n\r\n\r\n\r\n\r\n" + second), ftTXT);
    ASSERT_EQ(mid.Count(), 2);
    TMirolaDatensatz first = MakeRecord(u'b', u'C', "Erste");
    first.Question[1] = "Zei";
    ExpectSameRecord(first, mid.Data[0]);
    ExpectSameRecord(MakeRecord(u'x', u'a', ""), mid.Data[1]);

    // In the header: the author line ends there, and the count before it still holds.
    TMirolaFile head;
    head.LoadFromBytes("Quiz\r\n:0001\r\nAutor    : A\x1A"
                       "nn\r\nCopyright: (c)\r\nKommentar\r\n" +
                           second,
                       ftTXT);
    EXPECT_EQ(head.AutorInfo, "A");
    EXPECT_EQ(head.CopyrightInfo, "");
    EXPECT_EQ(head.Comments, "");
    ASSERT_EQ(head.Count(), 1);
    ExpectSameRecord(MakeRecord(u'x', u'a', ""), head.Data[0]);
}

TEST(TextFormat, CountField)
{
    TScratchDir dir;
    struct Case {
        const char *countLine;
        const char *error;
    };
    const Case cases[] = {
        {": 1", ""},
        {":+001", ""},
        {":0001 trailing text is not read", ""},
        {":0000", "Listenindex außerhalb des gültigen Bereichs (0). TList ist leer"},
        {":-001", "Listenindex außerhalb des gültigen Bereichs (0). TList ist leer"},
        {":12a4", "'12a4' ist kein gültiger Integerwert"},
        {":1 ", "'1 ' ist kein gültiger Integerwert"},
        {":", "'' ist kein gültiger Integerwert"},
        {":- 1", "'- 1' ist kein gültiger Integerwert"},
        {":$0A", "'$0A' ist kein gültiger Integerwert"},
    };
    for (const Case &c : cases) {
        WriteBytes(dir.Path("n.mfd"), TextFile(c.countLine, kRecord));
        TMirolaFile doc, fromBytes;
        // A count that is no number ends the load before the lines after it are read.
        const bool noNumber = std::string_view(c.error).find("Integerwert") != std::string_view::npos;
        const char *author = noNumber ? "" : "Ann";
        EXPECT_EQ(LoadError(doc, dir.Path("n.mfd")), c.error) << c.countLine;
        EXPECT_EQ(doc.AutorInfo, author) << c.countLine;
        EXPECT_EQ(LoadBytesError(fromBytes, TextFile(c.countLine, kRecord), ftTXT), c.error) << c.countLine;
        EXPECT_EQ(fromBytes.AutorInfo, author) << c.countLine;
    }
}

// A count that is no number is reported as soon as its line is read: here the file
// runs on to 64 GiB (sparse, taking no disk), once after the header and once as one
// endless author line, which no reader could hold and none should wait for.
TEST(TextFormat, BadCountOfAHugeFileFailsBeforeTheRestIsRead)
{
    TScratchDir dir;
    const std::string afterHeader = dir.Path("riesig.mfd");
    WriteBytes(afterHeader, TextFile(":12x4", kRecord));
    const std::string endlessAuthor = dir.Path("endlos.mfd");
    WriteBytes(endlessAuthor, "Titel\r\n:12x4\r\nAutor    : ");
    for (const std::string &path : {afterHeader, endlessAuthor}) {
        ASSERT_EQ(::truncate(path.c_str(), off_t(64) << 30), 0);
        const std::string result = InChildWithin(2, [&] {
            TMirolaFile doc;
            return LoadError(doc, path);
        });
        EXPECT_EQ(result, "'12x4' ist kein gültiger Integerwert") << path;
    }
}

// Each line keeps what its field can hold and the rest of it is passed over, however
// long it is; the next line is the next field. A header text keeps 64 KiB. The lines
// run over more than one of the reader's 64 KiB chunks, carriage returns too.
TEST(TextFormat, LongLinesKeepWhatTheirFieldsHold)
{
    const std::string tail(100000, 'z');
    std::string crs;
    for (int i = 0; i < 100000; ++i)
        crs += "c\r";
    const std::string file =
        std::string(30, 'T') + "- MIROLA-Datei" + tail + "\r\n:0002" + tail + "\r\n" + std::string(20, 'x') +
        "Autor    : " + std::string(300, 'a') + "\r\n" + "Copyright: " + crs + "\r\n" + std::string(100000, '\r') +
        "Kommentar\r\n" + "b:C:001" + tail + "\r\n" + std::string(100000, 'q') + "\r\nzwei\r\n\r\n" +
        std::string(20, 'k') + "- " + std::string(100000, 'k') + "\r\n" + std::string(100000, 'a') +
        "\r\nb\r\nc\r\nd\r\ne\r\n" + "c:D:002\r\nWien\r\n\r\n\r\n- Quelle\r\nja\r\nnein\r\n\r\n\r\n\r\n";
    TMirolaDatensatz first =
        MakeRecord(u'b', u'C', std::string(50, 'q'), std::string(35, 'k'), {std::string(34, 'a'), "b", "c", "d", "e"});
    first.Question[1] = "zwei";
    const TMirolaDatensatz second = MakeRecord(u'c', u'D', "Wien", "Quelle", {"ja", "nein"});

    TScratchDir dir;
    WriteBytes(dir.Path("lang.mfd"), file);
    TMirolaFile fromFile, fromBytes;
    fromFile.LoadFromFile(dir.Path("lang.mfd"));
    fromBytes.LoadFromBytes(file, ftTXT);
    for (const TMirolaFile *doc : {&fromFile, &fromBytes}) {
        EXPECT_EQ(doc->Title.str(), std::string(30, 'T') + "zzzzzz");
        EXPECT_EQ(doc->AutorInfo, std::string(20, 'x') + std::string(300, 'a'));
        EXPECT_TRUE(doc->CopyrightInfo == std::string(kMaxHeaderTextBytes, 'c')) << doc->CopyrightInfo.size();
        EXPECT_EQ(doc->Comments, "Kommentar");
        ASSERT_EQ(doc->Count(), 2);
        ExpectSameRecord(first, doc->Data[0]);
        ExpectSameRecord(second, doc->Data[1]);
    }
}

// The author, copyright and file-comment lines keep 64 KiB each, and a save writes
// them whole; a longer line is announced on opening, before a save would cut it.
TEST(TextFormat, LongHeaderLinesAreKeptOrAnnounced)
{
    const std::string author(1000, 'a'), copyright = "(c) " + std::string(kMaxHeaderTextBytes - 4, 'c');
    const std::string comment = "\x84" + std::string(kMaxHeaderTextBytes, 'k');
    const std::string file =
        "Quiz\r\n:0001\r\nAutor    : " + author + "\r\nCopyright: " + copyright + "\r\n" + comment + "\r\n" + kRecord;
    TMirolaFile doc;
    doc.LoadFromBytes(file, ftTXT);
    EXPECT_TRUE(doc.AutorInfo == author) << doc.AutorInfo.size();
    EXPECT_TRUE(doc.CopyrightInfo == copyright) << doc.CopyrightInfo.size();
    EXPECT_TRUE(doc.Comments == comment.substr(0, kMaxHeaderTextBytes)) << doc.Comments.size();
    const std::vector<std::string> notes = {"Die Kommentarzeile der Datei ist länger als 65536 Bytes. Gelesen werden "
                                            "die ersten 65536; beim Speichern geht der Rest verloren."};
    EXPECT_EQ(doc.LoadNotes, notes);

    // Saved and read again, the lines kept are whole; the file comment is now short
    // enough to be read without a note.
    const std::string saved = doc.SaveToString(ftTXT);
    EXPECT_NE(saved.find("\r\nAutor    : " + author + "\r\nCopyright: " + copyright + "\r\n"), std::string::npos);
    TMirolaFile back;
    back.LoadFromBytes(saved, ftTXT);
    EXPECT_TRUE(back.Comments == doc.Comments);
    EXPECT_EQ(back.LoadNotes, std::vector<std::string>{});

    // Each of the three lines by its name.
    const std::string longer(kMaxHeaderTextBytes + 1, 'z');
    TMirolaFile all;
    all.LoadFromBytes("Quiz\r\n:0001\r\n" + longer + "\r\nCopyright: " + longer + "\r\n" + longer + "\r\n" + kRecord,
                      ftTXT);
    ASSERT_EQ(all.LoadNotes.size(), 3u);
    EXPECT_TRUE(all.LoadNotes[0].starts_with("Die Autorenzeile ist länger als 65536 Bytes.")) << all.LoadNotes[0];
    EXPECT_TRUE(all.LoadNotes[1].starts_with("Die Copyright-Zeile ist länger als 65536 Bytes.")) << all.LoadNotes[1];
    EXPECT_TRUE(all.LoadNotes[2].starts_with("Die Kommentarzeile der Datei ist")) << all.LoadNotes[2];
    EXPECT_EQ(all.AutorInfo.size(), kMaxHeaderTextBytes);

    // The record format keeps what it always kept of them.
    TMirolaFile raf;
    raf.LoadFromBytes(doc.SaveToString(ftRAF), ftRAF);
    EXPECT_EQ(raf.AutorInfo, std::string(50, 'a'));
    EXPECT_EQ(raf.CopyrightInfo, copyright.substr(0, 50));
    EXPECT_EQ(raf.Comments, comment.substr(0, 35));
}

// A count that the records do not match: the records are read as announced, and the
// note says both numbers and what a save will do.
TEST(TextFormat, ACountTheRecordsDoNotMatchIsAnnounced)
{
    const std::string second = "c:D:002\r\nZweite\r\n\r\n\r\n- Notiz\r\nja\r\nnein\r\n\r\n\r\n\r\n";
    const std::string more = "Die Datei kündigt %s an, enthält aber %s. Gelesen werden nur die angekündigten; beim "
                             "Speichern gehen die übrigen verloren.";
    const std::string fewer = "Die Datei kündigt %s an, enthält aber %s. Die fehlenden werden als leere Datensätze "
                              "gelesen und so gespeichert.";
    const auto note = [](std::string text, const std::string &announced, const std::string &found) {
        text.replace(text.find("%s"), 2, announced);
        text.replace(text.find("%s"), 2, found);
        return std::vector<std::string>{text};
    };
    const struct {
        const char *Name;
        std::string File;
        int Count;  // as announced, whatever follows
        std::vector<std::string> Notes;
    } cases[] = {
        {"AsAnnounced", TextFile(":0002", kRecord + second), 2, {}},
        {"EmptyLinesAfterTheLast", TextFile(":0002", kRecord + second + "\r\n  \r\n\r\n"), 2, {}},
        {"OneRecordMore", TextFile(":0001", kRecord + second), 1, note(more, "1 Datensatz", "2")},
        {"PartOfARecordMore", TextFile(":0002", kRecord + second + "a:B:003\r\nDritte\r\n"), 2,
         note(more, "2 Datensätze", "3")},
        {"ManyMore", TextFile(":0002", kRecord + second + kRecord + second + kRecord + second), 2,
         note(more, "2 Datensätze", "6")},
        {"AfterACtrlZNothingCounts", TextFile(":0001", kRecord + "\x1A" + second), 1, {}},
        {"OneMissing", TextFile(":0003", kRecord + second), 3, note(fewer, "3 Datensätze", "nur 2")},
        {"EndsInsideTheLast", TextFile(":0002", kRecord + "c:D:002\r\nZweite"), 2, {}},
        {"NoneThere", TextFile(":0002", ""), 2, note(fewer, "2 Datensätze", "keinen")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        TMirolaFile doc;
        doc.LoadFromBytes(c.File, ftTXT);
        EXPECT_EQ(doc.Count(), c.Count);
        EXPECT_EQ(doc.LoadNotes, c.Notes);
    }
    // Every load tells its own: the notes of one before it are gone.
    TMirolaFile doc;
    doc.LoadFromBytes(TextFile(":0003", kRecord), ftTXT);
    doc.LoadFromBytes(TextFile(":0001", kRecord), ftTXT);
    EXPECT_EQ(doc.LoadNotes, std::vector<std::string>{});
}

// Lets the process take only `bytes` more address space than it has now, so that a
// reader that tried to hold a large file or line whole would fail.
bool LimitMemoryGrowth(rlim_t bytes)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmSize:", 0) == 0) {
            const rlim_t now = std::stoull(line.substr(7)) * 1024;
            const rlimit limit{now + bytes, now + bytes};
            return ::setrlimit(RLIMIT_AS, &limit) == 0;
        }
    }
    return false;
}

// A line without end, 512 MiB of NUL bytes with no line feed (sparse, taking no disk),
// is read through with 128 MiB to spare: it is passed over, never held. In the header
// and in a record.
TEST(TextFormat, AnEndlessLineIsPassedOverNotHeld)
{
    struct Case {
        std::string start;
        std::string result;
    };
    // What is read: the error, the author text's length and the first record's letter.
    const Case cases[] = {{"Titel\r\n:0001\r\n", "|65536|x"}, {TextFile(":0001", "b:C:001"), "|3|b"}};
    for (const Case &c : cases) {
        TScratchDir dir;
        const std::string path = dir.Path("endlos.mfd");
        WriteBytes(path, c.start);
        ASSERT_EQ(::truncate(path.c_str(), off_t(512) << 20), 0);
        const std::string result = InChildWithin(20, [&]() -> std::string {
            if (!LimitMemoryGrowth(rlim_t(128) << 20))
                return "no limit";
            TMirolaFile doc;
            const std::string error = LoadError(doc, path);
            return error + "|" + std::to_string(doc.AutorInfo.size()) + "|" +
                   (doc.Count() == 1 ? char(doc.Data[0].theletter) : '?');
        });
        EXPECT_EQ(result, c.result) << c.start;
    }
}

TEST(TextFormat, MoreThan9999RecordsAreRefusedBeforeTheFileIsTouched)
{
    TScratchDir dir;
    const std::string target = dir.Path("gross.mfd");
    WriteBytes(target, "alte Datei");
    TMirolaFile doc = MakeDocument(10000);
    EXPECT_EQ(SaveError(doc, target),
              "Die Datei enthält mehr als 9999 Datensätze und kann nicht im Textformat gespeichert werden");
    EXPECT_EQ(ReadBytes(target), "alte Datei");
    EXPECT_EQ(ListFolder(dir.Root()), "gross.mfd;");

    doc.Data.resize(9999);
    EXPECT_EQ(SaveError(doc, target), "");
    TMirolaFile back;
    back.LoadFromFile(target);
    EXPECT_EQ(back.Count(), 9999);
    EXPECT_EQ(back.Data[999].Question[0].str(), "Frage 1000");
}

TEST(TextFormat, ReadErrors)
{
    TScratchDir dir;
    TMirolaFile doc;
    EXPECT_EQ(LoadError(doc, dir.Path("fehlt.mfd")), "Datei nicht gefunden");
    EXPECT_EQ(LoadError(doc, dir.Path("kein/ordner.mfd")), "Ungültiger Dateiname");
    EXPECT_EQ(LoadError(doc, dir.Root()), "Dateizugriff verweigert");
    // A path that goes on through a file as if it were a folder, to either reader.
    WriteBytes(dir.Path("datei.mfd"), "Quiz\r\n:0001\r\n");
    EXPECT_EQ(LoadError(doc, dir.Path("datei.mfd/x.mfd")), "Ungültiger Dateiname");
    EXPECT_EQ(LoadError(doc, dir.Path("datei.mfd/x.raf")), "Ungültiger Dateiname");
    EXPECT_EQ(doc.Count(), 0);
}

TEST(TextFormat, ReaderIsChosenByTheWholeExtension)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(2);
    doc.SaveToFile(dir.Path("r.bin"), ftRAF);
    doc.SaveToFile(dir.Path("t.bin"), ftTXT);
    struct Case {
        const char *name;
        bool raf;
    };
    for (const Case c : {Case{"x.Raf", true}, Case{"x.RAF", true}, Case{"x.rafx", false}, Case{"x.txt", false},
                         Case{"x.mfd", false}, Case{"x.dat", false}, Case{"ohne", false}}) {
        WriteBytes(dir.Path(c.name), ReadBytes(dir.Path(c.raf ? "r.bin" : "t.bin")));
        TMirolaFile back;
        EXPECT_EQ(LoadError(back, dir.Path(c.name)), "") << c.name;
        EXPECT_EQ(back.Count(), 2) << c.name;
    }
}

}  // namespace
