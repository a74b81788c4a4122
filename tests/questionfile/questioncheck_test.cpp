// The question check: what it finds in a document's records, in which order, and
// which questions count as the same.
#include <gtest/gtest.h>

#include "questioncheck.h"
#include "testutil.h"
#include "texthelpers.h"

namespace {

TMirolaDatensatz Record(char16_t letter, char16_t level, std::initializer_list<std::string> lines,
                        std::initializer_list<std::string> answers = {"Ja", "Nein"}, const std::string &comment = {})
{
    TMirolaDatensatz r = MakeRecord(letter, level, "", comment, answers);
    int q = 0;
    for (const auto &line : lines)
        r.Question[q++] = line;
    return r;
}

TMirolaFile Document(std::initializer_list<TMirolaDatensatz> records)
{
    TMirolaFile doc = MakeDocument(0);
    doc.Data = records;
    doc.DatRec = doc.Data.front();
    return doc;
}

std::string Listed(const std::vector<TCheckFinding> &findings)
{
    std::string text;
    for (const auto &f : findings)
        text += std::to_string(f.Record) + " " + std::to_string(f.Kind) + " " + f.Reason + "\n";
    return text;
}

// One record of each problem among sound ones; texts with code page 850 umlauts (ä
// 0x84, ö 0x94, ü 0x81, Ä 0x8E, Ö 0x99, ß 0xE1).
TEST(QuestionCheck, FindsEachProblemOnceInRecordOrder)
{
    TMirolaDatensatz added;  // as Add leaves it
    added.theletter = u'x';
    added.level = u'a';
    const TMirolaFile doc = Document({
        Record(u'b', u'C', {"Wie hei\xE1t die Hauptstadt von \x99sterreich?"}, {"Graz", "Wien", "Linz"}, "Erdkunde"),
        Record(u'a', u'B', {"   ", "", " "}, {"Ja", "Nein"}, "ohne Frage"),
        Record(u'C', u'A', {"Welche Farbe hat ein reifer K\x81rbis?"}, {"Gr\x81n", "Blau", "", "Orange"}),
        Record(u'q', u'd',
               {"Wie viele Beine hat ein K\x84"
                "fer?"},
               {"Sechs", "Acht"}),
        Record(u'r', u'\x8E', {"Sind \x8Epfel Obst?"}, {"Ja", "Immer"}),
        Record(u'a', u'B', {"Wer schrieb den Faust?"}, {"Goethe"}),
        added,
        Record(u'f', u'D', {"WIE HEI\xE1T  die", "Hauptstadt von \x94STERREICH? "}, {"Graz", "Linz"}),
        Record(u'\x01', u'\0', {"Was ist ein Byte?"}, {}),
        Record(u'e', u'b', {"Welcher Planet ist der gr\x94\xE1te?", "", "(im Sonnensystem)"},
               {"Mars", "Venus", "Erde", "Saturn", "Jupiter"}),
    });

    struct Expected {
        int record;
        tCheckKind kind;
        const char *reason;
        bool inGame;
    };
    const Expected expected[] = {
        {2, ckNoQuestion, "Kein Fragetext", false},
        {3, ckRightAnswerEmpty, "Die richtige Antwort (c) ist leer", true},
        {4, ckUnknownRightAnswer, "Unbekannter Code für die richtige Antwort: 'q'", true},
        {5, ckUnknownLevel, "Unbekannter Level: 'Ä'", true},
        {6, ckTooFewAnswers, "Weniger als zwei Antworten", true},
        {7, ckUntouchedNewRecord, "Neuer Datensatz ohne Inhalt", false},
        {8, ckDuplicateQuestion, "Frage steht schon in Datensatz 1", false},
        {9, ckUnknownRightAnswer, "Unbekannter Code für die richtige Antwort: Byte 0x01", true},
        {9, ckUnknownLevel, "Unbekannter Level: Byte 0x00", true},
    };
    std::vector<TCheckFinding> want;
    for (const Expected &e : expected)
        want.push_back({e.record, e.kind, e.reason});
    const std::vector<TCheckFinding> found = CheckQuestions(doc);
    EXPECT_EQ(Listed(found), Listed(want));
    for (const Expected &e : expected)
        EXPECT_EQ(ShowsWronglyInGame(e.kind), e.inGame) << e.reason;
}

// Problems that come together in one record are all listed, in a fixed order.
TEST(QuestionCheck, ARecordWithSeveralProblems)
{
    TMirolaDatensatz added;
    added.theletter = u'x';
    added.level = u'E';
    // Empty but for a code or a comment: no longer as it was added.
    TMirolaDatensatz allRight = added, withComment = added;
    allRight.theletter = u'r';
    allRight.level = u'a';
    withComment.level = u'a';
    withComment.Comment = "Notiz";
    const TMirolaFile doc = Document({
        Record(u'B', u'Z', {" "}, {"allein"}),
        added,
        Record(u'X', u'c', {"Gro\xE1 oder klein?"}, {"gro\xE1", "klein"}),
        Record(u'd', u' ', {"gro\xE1 ODER klein?"}, {"", "", "", "vierte"}),
        allRight,
        withComment,
    });
    const std::vector<TCheckFinding> want = {
        {1, ckNoQuestion, "Kein Fragetext"},
        {1, ckRightAnswerEmpty, "Die richtige Antwort (b) ist leer"},
        {1, ckUnknownLevel, "Unbekannter Level: 'Z'"},
        {1, ckTooFewAnswers, "Weniger als zwei Antworten"},
        {2, ckUnknownLevel, "Unbekannter Level: 'E'"},
        {2, ckUntouchedNewRecord, "Neuer Datensatz ohne Inhalt"},
        {3, ckUnknownRightAnswer, "Unbekannter Code für die richtige Antwort: 'X'"},
        {4, ckUnknownLevel, "Unbekannter Level: ' '"},
        {4, ckTooFewAnswers, "Weniger als zwei Antworten"},
        {4, ckDuplicateQuestion, "Frage steht schon in Datensatz 3"},
        {5, ckNoQuestion, "Kein Fragetext"},
        {6, ckNoQuestion, "Kein Fragetext"},
    };
    EXPECT_EQ(Listed(CheckQuestions(doc)), Listed(want));
}

TEST(QuestionCheck, SameQuestionDespiteCaseBlanksAndLines)
{
    struct Case {
        std::initializer_list<std::string> first, second;
        bool same;
    };
    // clang-format off
    const Case cases[] = {
        {{"Wie alt ist Rom?"}, {"wie  ALT ist rom?"}, true},
        {{"Wie alt", "ist Rom?"}, {"Wie alt ist Rom?"}, true},
        {{"Wie alt", "", "ist Rom?"}, {"  Wie alt ist Rom?  "}, true},
        {{"", "Wie alt ist Rom?"}, {"Wie alt ist Rom?", "", " "}, true},
        {{"\x8E" "pfel und \x99l \x9A" "ber \x80" "a"}, {"\x84PFEL UND \x94L \x81" "BER \x87" "A"}, true},
        {{"Caf\x82"}, {"CAF\x90"}, true},
        {{"Wie alt ist Rom?"}, {"Wie alt ist Rom"}, false},
        {{"Wie alt", "ist Rom?"}, {"Wie altist Rom?"}, false},
        {{"\x84pfel"}, {"apfel"}, false},
        {{"Stra\xE1" "e"}, {"Strasse"}, false},
    };
    // clang-format on
    for (const Case &c : cases) {
        const TMirolaFile doc =
            Document({Record(u'a', u'A', c.first), Record(u'b', u'B', {"Dazwischen"}), Record(u'a', u'C', c.second)});
        const std::vector<TCheckFinding> found = CheckQuestions(doc);
        const std::vector<TCheckFinding> dup = {{3, ckDuplicateQuestion, "Frage steht schon in Datensatz 1"}};
        EXPECT_EQ(Listed(found), Listed(c.same ? dup : std::vector<TCheckFinding>{}))
            << OemToUtf8(*c.first.begin()) << " / " << OemToUtf8(*c.second.begin());
    }
}

// Every later copy names the first record with the question, not the copy before it.
TEST(QuestionCheck, CopiesNameTheFirstRecord)
{
    const TMirolaFile doc = Document({
        Record(u'a', u'A', {"Erste Frage"}),
        Record(u'a', u'A', {"Zweite Frage"}),
        Record(u'a', u'A', {"erste frage"}),
        Record(u'a', u'A', {"ZWEITE FRAGE"}),
        Record(u'a', u'A', {"Erste  Frage"}),
    });
    const std::vector<TCheckFinding> want = {
        {3, ckDuplicateQuestion, "Frage steht schon in Datensatz 1"},
        {4, ckDuplicateQuestion, "Frage steht schon in Datensatz 2"},
        {5, ckDuplicateQuestion, "Frage steht schon in Datensatz 1"},
    };
    EXPECT_EQ(Listed(CheckQuestions(doc)), Listed(want));
}

// Records without a question are no copies of each other, however many there are.
TEST(QuestionCheck, AnEmptyQuestionIsNeverACopy)
{
    const TMirolaFile doc = Document({
        Record(u'a', u'A', {"", "", ""}),
        Record(u'a', u'A', {" ", "  ", ""}),
        Record(u'a', u'A', {"", "", "   "}),
    });
    const std::vector<TCheckFinding> want = {
        {1, ckNoQuestion, "Kein Fragetext"},
        {2, ckNoQuestion, "Kein Fragetext"},
        {3, ckNoQuestion, "Kein Fragetext"},
    };
    EXPECT_EQ(Listed(CheckQuestions(doc)), Listed(want));
}

// The record at the cursor is checked with the edits in its buffer, posted or not.
TEST(QuestionCheck, TheCurrentRecordAsItsBufferHoldsIt)
{
    TMirolaFile doc = Document({Record(u'a', u'A', {"Erste Frage"}), Record(u'a', u'A', {"Zweite Frage"})});
    doc.Next();
    doc.DatRec.Question[0] = "Erste Frage";
    doc.DatRec.level = u'G';
    const std::vector<TCheckFinding> want = {
        {2, ckUnknownLevel, "Unbekannter Level: 'G'"},
        {2, ckDuplicateQuestion, "Frage steht schon in Datensatz 1"},
    };
    EXPECT_EQ(Listed(CheckQuestions(doc)), Listed(want));
}

}  // namespace
