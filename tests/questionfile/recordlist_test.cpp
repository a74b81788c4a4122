// Changes of the record list: inserting, removing, replacing and moving records,
// where the cursor ends and that the buffer's edits go with their record.
#include <functional>

#include <gtest/gtest.h>

#include "errors.h"
#include "testutil.h"

namespace {

// Five records that differ in every field (OEM umlauts, codes, levels), the cursor
// on `cursor`, and an edit of that record still in the buffer.
struct TListFixture {
    TMirolaFile Doc = MakeMixedDocument(5);
    std::vector<TMirolaDatensatz> Originals = std::vector<TMirolaDatensatz>(Doc.Data.begin(), Doc.Data.end());
    TMirolaDatensatz Edited;
    TRecordList NewOnes{MakeRecord(u'r', u'C', "Neue Frage \x94", "neu",
                                   {"\x81"
                                    "ber",
                                    "unter"}),
                        MakeRecord(u'e', u'D', "Noch eine", "", {"1", "2", "3", "4", "5"})};

    explicit TListFixture(int cursor)
    {
        Doc.MoveBy(cursor);
        Doc.DatRec.Comment = "ge\x84ndert";
        Edited = Doc.DatRec;
    }

    // A record by what it is: 0 to 4 an original as it was, E the edited one, a and b
    // the new ones, ? anything else.
    char Name(const TMirolaDatensatz &rec) const
    {
        for (std::size_t i = 0; i < Originals.size(); ++i)
            if (rec == Originals[i])
                return static_cast<char>('0' + i);
        if (rec == Edited)
            return 'E';
        for (std::size_t i = 0; i < NewOnes.size(); ++i)
            if (rec == NewOnes[i])
                return static_cast<char>('a' + i);
        return '?';
    }

    std::string Names(const TRecordList &records) const
    {
        std::string names;
        for (const TMirolaDatensatz &rec : records)
            names += Name(rec);
        return names;
    }
};

enum class TChange { Insert, Remove, Move };

struct TChangeCase {
    const char *What;
    TChange Change;
    int Cursor;
    int A, B, C;       // Insert: position; Remove: first, number; Move: first, number, to
    const char *List;  // the list afterwards
    int CursorAfter;
    char Buffer;          // what the buffer holds afterwards
    const char *Removed;  // what RemoveRecords gave back
};

void PrintTo(const TChangeCase &c, std::ostream *os)
{
    *os << c.What;
}

class RecordList : public testing::TestWithParam<TChangeCase> {};

TEST_P(RecordList, ChangesTheListAndPutsTheCursorOnTheChange)
{
    const TChangeCase &c = GetParam();
    TListFixture f(c.Cursor);
    TRecordList removed;
    switch (c.Change) {
    case TChange::Insert: f.Doc.InsertRecords(c.A, c.B == 0 ? TRecordList{} : f.NewOnes); break;
    case TChange::Remove: removed = f.Doc.RemoveRecords(c.A, c.B); break;
    case TChange::Move: f.Doc.MoveRecords(c.A, c.B, c.C); break;
    }
    EXPECT_EQ(f.Names(f.Doc.Data), c.List);
    EXPECT_EQ(f.Doc.Index, c.CursorAfter);
    EXPECT_EQ(f.Name(f.Doc.DatRec), c.Buffer);
    EXPECT_EQ(f.Names(removed), c.Removed);
}

// The edit in the buffer shows as E where it was posted, and as the record's digit
// where it was not.
INSTANTIATE_TEST_SUITE_P(
    Changes, RecordList,
    testing::Values(TChangeCase{"InsertAtTheStart", TChange::Insert, 3, 0, 2, 0, "ab012E4", 0, 'a', ""},
                    TChangeCase{"InsertInTheMiddle", TChange::Insert, 1, 2, 2, 0, "0Eab234", 2, 'a', ""},
                    TChangeCase{"InsertAtTheEnd", TChange::Insert, 4, 5, 2, 0, "0123Eab", 5, 'a', ""},
                    TChangeCase{"InsertNothing", TChange::Insert, 1, 2, 0, 0, "01234", 1, 'E', ""},
                    TChangeCase{"RemoveARangeWithTheCursor", TChange::Remove, 2, 1, 3, 0, "04", 1, '4', "1E3"},
                    TChangeCase{"RemoveTheStart", TChange::Remove, 4, 0, 2, 0, "23E", 0, '2', "01"},
                    TChangeCase{"RemoveTheEnd", TChange::Remove, 0, 3, 2, 0, "E12", 2, '2', "34"},
                    TChangeCase{"RemoveEverything", TChange::Remove, 1, 0, 5, 0, "", 0, '?', "0E234"},
                    TChangeCase{"RemoveNothing", TChange::Remove, 3, 5, 0, 0, "01234", 3, 'E', ""},
                    TChangeCase{"MoveUp", TChange::Move, 4, 3, 2, 0, "3E012", 0, '3', ""},
                    TChangeCase{"MoveDown", TChange::Move, 0, 0, 2, 3, "234E1", 3, 'E', ""},
                    TChangeCase{"MoveOneDownByOne", TChange::Move, 2, 1, 1, 3, "0E314", 3, '1', ""},
                    TChangeCase{"MoveOntoItself", TChange::Move, 4, 1, 3, 1, "0123E", 1, '1', ""},
                    TChangeCase{"MoveNothing", TChange::Move, 2, 1, 0, 4, "01234", 2, 'E', ""}),
    [](const testing::TestParamInfo<TChangeCase> &testCase) { return std::string(testCase.param.What); });

TEST(RecordList, RemovingEverythingLeavesTheBufferAsANewDocumentHasIt)
{
    TListFixture f(2);
    f.Doc.RemoveRecords(0, 5);
    EXPECT_EQ(f.Doc.Count(), 0);
    EXPECT_EQ(f.Doc.DatRec, TMirolaFile().DatRec);
    // And the document takes records again.
    f.Doc.Add();
    EXPECT_EQ(f.Doc.Count(), 1);
    EXPECT_EQ(f.Doc.Index, 0);
}

// A replaced record is an edit of the buffer: the list takes it with the next post,
// as it takes what the user typed, while the record the cursor left is posted.
TEST(RecordList, ReplaceGoesToTheRecordAndPutsTheNewOneInTheBuffer)
{
    TListFixture f(1);
    f.Doc.ReplaceRecord(3, f.NewOnes[0]);
    EXPECT_EQ(f.Doc.Index, 3);
    EXPECT_EQ(f.Name(f.Doc.DatRec), 'a');
    EXPECT_EQ(f.Names(f.Doc.Data), "0E234");
    EXPECT_EQ(f.Name(RecordAsEdited(f.Doc, 3)), 'a');

    f.Doc.ReplaceRecord(3, f.NewOnes[1]);
    EXPECT_EQ(f.Names(f.Doc.Data), "0E2a4");
    EXPECT_EQ(f.Name(f.Doc.DatRec), 'b');
    f.Doc.Post();
    EXPECT_EQ(f.Names(f.Doc.Data), "0E2b4");
}

TEST(RecordList, BadPositionsAreRefusedBeforeAnythingChanges)
{
    struct Case {
        const char *What;
        std::function<void(TMirolaFile &, const TRecordList &)> Change;
        const char *Message;
    };
    const std::string range = ". TList-Bereich ist 0..4";
    const Case cases[] = {
        {"insert before the start", [](auto &d, auto &r) { d.InsertRecords(-1, r); }, "(-1)"},
        {"insert past the end", [](auto &d, auto &r) { d.InsertRecords(6, r); }, "(6)"},
        {"remove from before the start", [](auto &d, auto &) { d.RemoveRecords(-1, 2); }, "(-1)"},
        {"remove past the end", [](auto &d, auto &) { d.RemoveRecords(3, 3); }, "(5)"},
        {"remove behind the end", [](auto &d, auto &) { d.RemoveRecords(6, 0); }, "(6)"},
        {"remove a negative number", [](auto &d, auto &) { d.RemoveRecords(2, -2); }, "(-2)"},
        {"replace before the start", [](auto &d, auto &r) { d.ReplaceRecord(-1, r[0]); }, "(-1)"},
        {"replace at the end", [](auto &d, auto &r) { d.ReplaceRecord(5, r[0]); }, "(5)"},
        {"move a range past the end", [](auto &d, auto &) { d.MoveRecords(4, 2, 0); }, "(5)"},
        {"move to past the end", [](auto &d, auto &) { d.MoveRecords(1, 2, 4); }, "(4)"},
        {"move to before the start", [](auto &d, auto &) { d.MoveRecords(1, 2, -1); }, "(-1)"},
    };
    for (const Case &c : cases) {
        TListFixture f(2);
        std::string message;
        try {
            c.Change(f.Doc, f.NewOnes);
        } catch (const EMirolaError &e) {
            message = e.Message();
        }
        EXPECT_EQ(message, "Listenindex außerhalb des gültigen Bereichs " + std::string(c.Message) + range) << c.What;
        // Not even the buffer was posted.
        EXPECT_EQ(f.Names(f.Doc.Data), "01234") << c.What;
        EXPECT_EQ(f.Doc.Index, 2) << c.What;
        EXPECT_EQ(f.Name(f.Doc.DatRec), 'E') << c.What;
    }

    TMirolaFile empty;
    try {
        empty.ReplaceRecord(0, TMirolaDatensatz{});
        ADD_FAILURE() << "an empty document has no record to replace";
    } catch (const EMirolaError &e) {
        EXPECT_EQ(e.Message(), "Listenindex außerhalb des gültigen Bereichs (0). TList ist leer");
    }
}

}  // namespace
