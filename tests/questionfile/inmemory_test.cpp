// Loading from memory and saving into a string: the same formats, bytes and errors as
// the files.
#include <gtest/gtest.h>

#include "errors.h"
#include "testutil.h"

namespace {

const tMirolaFType kWriters[] = {ftTXT, ftRAF, ftWRAF};

TEST(InMemory, SavingIntoAStringGivesTheBytesOfTheFile)
{
    TScratchDir dir;
    TMirolaFile doc = MakeMixedDocument(12);
    for (const tMirolaFType type : kWriters) {
        doc.SaveToFile(dir.Path("f"), type);
        EXPECT_EQ(doc.SaveToString(type), ReadBytes(dir.Path("f"))) << type;
    }
    EXPECT_EQ(doc.SaveToString(ftPMIROLA), "");

    // Like SaveToFile, it posts the buffer first.
    doc.Last();
    doc.DatRec.Comment = "noch im Puffer";
    TMirolaFile back;
    back.LoadFromBytes(doc.SaveToString(ftRAF), ftRAF);
    EXPECT_EQ(back.Data[11].Comment.str(), "noch im Puffer");

    TMirolaFile big = MakeDocument(10000);
    try {
        big.SaveToString(ftTXT);
        ADD_FAILURE() << "a text of 10000 records was written";
    } catch (const EMirolaError &e) {
        EXPECT_EQ(e.Message(),
                  "Die Datei enthält mehr als 9999 Datensätze und kann nicht im Textformat gespeichert werden");
    }
}

// 401 records run through several of the batches in which a record file is read,
// and end in bytes that make no whole record.
TEST(InMemory, LoadingBytesReadsWhatLoadingTheFileReads)
{
    TScratchDir dir;
    TMirolaFile doc = MakeMixedDocument(401);
    const std::string raf = doc.SaveToString(ftRAF) + std::string(100, 'z');
    const std::string text = doc.SaveToString(ftTXT);
    WriteBytes(dir.Path("r.raf"), raf);
    WriteBytes(dir.Path("t.mfd"), text);

    TMirolaFile loaded[4];
    loaded[0].LoadFromFile(dir.Path("r.raf"));
    loaded[1].LoadFromBytes(raf, ftRAF);
    loaded[2].LoadFromBytes(raf, ftWRAF);  // one reader for both editions
    loaded[3].LoadFromBytes(text, ftTXT);
    for (const TMirolaFile &back : loaded) {
        EXPECT_EQ(back.Title, doc.Title);
        EXPECT_EQ(back.AutorInfo, doc.AutorInfo);
        ASSERT_EQ(back.Count(), 401);
        for (int i = 0; i < 401; ++i)
            ExpectSameRecord(doc.Data[i], back.Data[i]);
        EXPECT_EQ(back.Index, 0);
        EXPECT_EQ(back.DatRec.Question[0].str(), "Frage 1");
    }
    TMirolaFile file;
    file.LoadFromFile(dir.Path("t.mfd"));
    EXPECT_EQ(file.SaveToString(ftTXT), loaded[3].SaveToString(ftTXT));

    // No reader: nothing is read, and the cursor finds no record.
    TMirolaFile none;
    EXPECT_EQ(LoadBytesError(none, text, ftPMIROLA), "Listenindex außerhalb des gültigen Bereichs (0). TList ist leer");
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(none.AutorInfo.empty());
}

}  // namespace
