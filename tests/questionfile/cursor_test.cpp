// The record cursor: moves, posting of the buffer, adding and deleting.
#include <gtest/gtest.h>

#include "filepaths.h"
#include "testutil.h"

namespace {

std::string Q1(const TMirolaDatensatz &r)
{
    return r.Question[0].str();
}

TEST(Cursor, DeleteGoesToTheLastRecordAndNeverRemovesTheOnlyOne)
{
    TMirolaFile doc = MakeDocument(5);
    doc.MoveBy(2);
    doc.DatRec.Question[1] = "bearbeitet";
    doc.Delete();
    ASSERT_EQ(doc.Count(), 4);
    EXPECT_EQ(doc.Index, 3);
    EXPECT_EQ(Q1(doc.DatRec), "Frage 5");
    EXPECT_EQ(Q1(doc.Data[2]), "Frage 4");

    TMirolaFile single = MakeDocument(1);
    single.DatRec.Comment = "noch da";
    single.Delete();
    ASSERT_EQ(single.Count(), 1);
    EXPECT_EQ(single.Data[0].Comment.str(), "noch da");  // posted, not removed
}

TEST(Cursor, PriorOnFirstAndNextOnLastLeaveTheBufferUnposted)
{
    TMirolaFile doc = MakeDocument(3);
    doc.DatRec.Comment = "erste";
    doc.Prior();
    EXPECT_EQ(doc.Index, 0);
    EXPECT_TRUE(doc.Data[0].Comment.empty());

    doc.Last();
    EXPECT_EQ(doc.Data[0].Comment.str(), "erste");  // Last posted it
    doc.DatRec.Comment = "letzte";
    doc.Next();
    EXPECT_EQ(doc.Index, 2);
    EXPECT_TRUE(doc.Data[2].Comment.empty());
    EXPECT_EQ(doc.DatRec.Comment.str(), "letzte");
    doc.Post();
    EXPECT_EQ(doc.Data[2].Comment.str(), "letzte");
}

TEST(Cursor, MovesPostAndLoad)
{
    TMirolaFile doc = MakeDocument(4);
    doc.Next();
    EXPECT_EQ(Q1(doc.DatRec), "Frage 2");
    doc.DatRec.Question[0] = "zwei";
    doc.Next();
    doc.Prior();
    EXPECT_EQ(Q1(doc.DatRec), "zwei");
    doc.Last();
    EXPECT_EQ(doc.Index, 3);
    doc.First();
    EXPECT_EQ(doc.Index, 0);
    EXPECT_EQ(Q1(doc.DatRec), "Frage 1");
}

TEST(Cursor, MoveByIsHeldInsideTheList)
{
    struct Case {
        int from, distance, to;
    };
    for (const Case c : {Case{2, -100, 0}, Case{2, 100, 4}, Case{0, 3, 3}, Case{4, -1, 3}, Case{1, 2147483647, 4},
                         Case{1, -2147483647 - 1, 0}}) {
        TMirolaFile doc = MakeDocument(5);
        doc.MoveBy(c.from);
        doc.MoveBy(c.distance);
        EXPECT_EQ(doc.Index, c.to) << c.from << " + " << c.distance;
        EXPECT_EQ(Q1(doc.DatRec), "Frage " + std::to_string(c.to + 1));
    }
}

TEST(Cursor, AddAppendsANewRecordAtTheEnd)
{
    TMirolaFile doc = MakeDocument(3);
    doc.DatRec.Comment = "gesichert";
    doc.Add();
    ASSERT_EQ(doc.Count(), 4);
    EXPECT_EQ(doc.Index, 3);
    EXPECT_EQ(doc.Data[0].Comment.str(), "gesichert");
    const TMirolaDatensatz &r = doc.DatRec;
    EXPECT_EQ(r.theletter, u'x');
    EXPECT_EQ(r.level, u'a');
    EXPECT_EQ(r.Index, 3);
    EXPECT_TRUE(r.Comment.empty());
    for (const auto &q : r.Question)
        EXPECT_TRUE(q.empty());
    for (const auto &a : r.Answers)
        EXPECT_TRUE(a.empty());
}

TEST(Cursor, EmptyDocument)
{
    TMirolaFile doc;
    EXPECT_EQ(doc.Index, 0);
    EXPECT_EQ(doc.DatRec.theletter, 0);
    doc.Post();  // nothing to post into
    EXPECT_EQ(doc.Count(), 0);
    doc.Add();
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(doc.Index, 0);
}

TEST(Cursor, SaveWithoutWriterPostsButWritesNothing)
{
    TScratchDir dir;
    TMirolaFile doc = MakeDocument(2);
    doc.DatRec.Comment = "gepostet";
    doc.SaveToFile(dir.Path("nichts.mfd"), ftPMIROLA);
    EXPECT_EQ(doc.Data[0].Comment.str(), "gepostet");
    EXPECT_EQ(ListFolder(dir.Root()), "");
}

TEST(Cursor, FileExtensionIsTakenFromTheLastDotOfTheName)
{
    struct Case {
        const char *name, *ext;
    };
    for (const Case c : {Case{"a.mfd", ".mfd"}, Case{"dir.v2/fragen", ""}, Case{"dir/x.tar.RAF", ".RAF"},
                         Case{".raf", ".raf"}, Case{"dir/.raf", ".raf"}, Case{"name.", "."}, Case{"", ""}})
        EXPECT_EQ(FileExtension(c.name), c.ext) << c.name;
}

}  // namespace
