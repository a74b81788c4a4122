// Text helpers, file names, code pages and error messages.
#include <cerrno>
#include <iconv.h>

#include <gtest/gtest.h>

#include "errors.h"
#include "filepaths.h"
#include "testutil.h"
#include "texthelpers.h"

namespace {

TEST(Helpers, ZeroPadStr)
{
    struct Case {
        int width;
        std::int32_t n;
        const char *text;
    };
    for (const Case c : {Case{4, 12, "0012"}, Case{3, 1000, "000"}, Case{4, 12345, "2345"}, Case{4, 0, "0000"},
                         Case{3, 7, "007"}, Case{0, 5, ""}, Case{4, 9999, "9999"}, Case{4, 10000, "0000"}})
        EXPECT_EQ(ZeroPadStr(c.width, c.n), c.text) << c.width << "," << c.n;
}

TEST(Helpers, StripFirstChar)
{
    EXPECT_EQ(StripFirstChar(""), "");
    EXPECT_EQ(StripFirstChar(":"), "");
    EXPECT_EQ(StripFirstChar(":0012"), "0012");
    EXPECT_EQ(StripFirstChar(std::string(300, 'x')).size(), 254u);
}

TEST(Helpers, AsciiLetterCaseLeavesEverythingButTheLettersAlone)
{
    EXPECT_EQ(std::string({AsciiUpper('a'), AsciiUpper('z'), AsciiUpper('A'), AsciiUpper('`'), AsciiUpper('{'),
                           AsciiUpper('\x81'), AsciiUpper('.')}),
              "AZA`{\x81.");
    EXPECT_EQ(std::string({AsciiLower('A'), AsciiLower('Z'), AsciiLower('a'), AsciiLower('@'), AsciiLower('['),
                           AsciiLower('\x9A'), AsciiLower('.')}),
              "aza@[\x9A.");
    EXPECT_EQ(AsciiUpper(u'e'), u'E');
    EXPECT_EQ(AsciiUpper(u'\u00E4'), u'\u00E4');  // ä: no ASCII letter
    EXPECT_EQ(AsciiLower(u'\u0141'), u'\u0141');  // Ł lies 0x100 above A
}

TEST(FileNames, KindByTheWholeExtensionInAnyCase)
{
    struct Case {
        const char *name;
        TFileKind kind;
    };
    for (const Case c :
         {Case{"a.mfd", TFileKind::Text}, Case{"A.MFD", TFileKind::Text}, Case{"b.Dat", TFileKind::Text},
          Case{"c.raf", TFileKind::Raf}, Case{"d/C.RAF", TFileKind::Raf}, Case{".raf", TFileKind::Raf},
          Case{"t.csv", TFileKind::Csv}, Case{"T.Csv", TFileKind::Csv}, Case{"n.txt", TFileKind::Txt},
          Case{"n.TXT", TFileKind::Txt}, Case{"a.raf.mfd", TFileKind::Text}, Case{"a.mfd.raf", TFileKind::Raf},
          Case{"e.rafx", TFileKind::Other}, Case{"e.mfdx", TFileKind::Other}, Case{"e.ra", TFileKind::Other},
          Case{"raf", TFileKind::Other}, Case{"x.raf/fragen", TFileKind::Other}, Case{"e.", TFileKind::Other},
          Case{"", TFileKind::Other}})
        EXPECT_EQ(FileKindOf(c.name), c.kind) << c.name;
}

TEST(FileNames, FolderNameAndTitle)
{
    struct Case {
        const char *path, *folder, *name, *title;
    };
    for (const Case c : {Case{"/a/b.v2/fragen.csv", "/a/b.v2", "fragen.csv", "fragen"},
                         Case{"fragen.x.csv", ".", "fragen.x.csv", "fragen.x"}, Case{"/liste", "/", "liste", "liste"},
                         Case{"dir.v2/tabelle", "dir.v2", "tabelle", "tabelle"}, Case{"d/.csv", "d", ".csv", ""},
                         Case{"d/", "d", "", ""}}) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(NameOf(c.path), c.name) << c.path;
        EXPECT_EQ(TableTitle(c.path), c.title) << c.path;
    }
}

// What the system's iconv makes of one byte; "?" where the other page lacks it.
std::string IconvByte(const char *from, const char *to, unsigned char byte)
{
    iconv_t cd = iconv_open(to, from);
    char in = static_cast<char>(byte), out[8] = {};
    char *inp = &in, *outp = out;
    size_t inLeft = 1, outLeft = sizeof out;
    const size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    return rc == static_cast<size_t>(-1) || inLeft != 0 ? "?" : std::string(out, sizeof out - outLeft);
}

TEST(CodePages, EveryEntryMatchesTheSystemsIconv)
{
    const iconv_t probe = iconv_open("CP1252", "CP850");
    ASSERT_NE(probe, reinterpret_cast<iconv_t>(-1)) << "the system's iconv lacks the code pages";
    iconv_close(probe);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const std::string ansi = b < 128 ? std::string(1, char(b)) : IconvByte("CP850", "CP1252", byte);
        const std::string oem = b < 128 ? std::string(1, char(b)) : IconvByte("CP1252", "CP850", byte);
        EXPECT_EQ(std::string(1, char(OemToAnsiTable()[b])), ansi) << "OEM byte " << b;
        EXPECT_EQ(std::string(1, char(AnsiToOemTable()[b])), oem) << "ANSI byte " << b;
        // Messages show OEM texts in UTF-8; every byte has its character there.
        EXPECT_EQ(OemToUtf8(std::string(1, char(b))), IconvByte("CP850", "UTF-8", byte)) << "OEM byte " << b;
    }
}

TEST(CodePages, ConversionsKeepTheLength)
{
    const std::string oem = "Gr\x81\xE1"
                            "e \x84\x94\x81\x8E\x99\x9A \xFA";  // Grüße äöüÄÖÜ ·
    EXPECT_EQ(OemToAnsiStr(oem), "Gr\xFC\xDF"
                                 "e \xE4\xF6\xFC\xC4\xD6\xDC \xB7");
    EXPECT_EQ(AnsiToOemStr(OemToAnsiStr(oem)), oem);
    EXPECT_EQ(OemToAnsiStr("\xB0\xC9"), "??");  // box drawing has no place in 1252
    EXPECT_EQ(AnsiToOemStr("\x80"), "?");       // nor the euro sign in 850
    EXPECT_EQ(OemToAnsiStr(""), "");
    EXPECT_EQ(OemToUtf8("Gr\x81\xE1"
                        "e \xC9"),
              "Grüße ╔");
}

TEST(Errors, FileErrorMessages)
{
    struct Case {
        int code;
        const char *message;
    };
    for (const Case c : {Case{2, "Datei nicht gefunden"}, Case{3, "Ungültiger Dateiname"},
                         Case{4, "Zu viele geöffnete Dateien"}, Case{5, "Dateizugriff verweigert"},
                         Case{100, "Versuch hinter dem Dateiende zu lesen"}, Case{101, "Zu wenig Speicherplatz"},
                         Case{106, "Ungültige numerische Eingabe"}, Case{5 + 1000, "E/A-Fehler 1005"}})
        EXPECT_EQ(InOutErrorMessage(c.code), c.message);

    TScratchDir dir;
    struct Mapping {
        int sysErrno;
        std::string path;
        int code;
    };
    for (const Mapping &m : {Mapping{ENOENT, dir.Path("fehlt.mfd"), 2}, Mapping{ENOENT, dir.Path("nein/x.mfd"), 3},
                             Mapping{EMFILE, "x", 4}, Mapping{EACCES, "x", 5}, Mapping{EROFS, "x", 5},
                             Mapping{EISDIR, "x", 5}, Mapping{ENOSPC, "x", 101}, Mapping{EIO, "x", EIO}})
        EXPECT_EQ(InOutErrorCode(m.sysErrno, m.path), m.code) << m.sysErrno << " " << m.path;
}

TEST(Errors, ListIndexMessage)
{
    auto message = [](long long position, std::size_t count) {
        try {
            RaiseListIndexError(position, count);
        } catch (const EMirolaError &e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(message(0, 0), "Listenindex außerhalb des gültigen Bereichs (0). TList ist leer");
    EXPECT_EQ(message(7, 3), "Listenindex außerhalb des gültigen Bereichs (7). TList-Bereich ist 0..2");
}

}  // namespace
