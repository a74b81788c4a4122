#pragma once
// The question check: what in a document's records is missing, broken or twice there,
// one finding per problem, for the editor and for kelmor-convert --check.
#include <string>
#include <vector>

class TMirolaFile;

// The kinds of finding, in the order in which a record's findings are listed.
enum tCheckKind {
    ckNoQuestion,          // all three question lines empty or blank
    ckRightAnswerEmpty,    // the right answer's letter names an empty answer
    ckUnknownRightAnswer,  // a right-answer code the form has no choice for
    ckUnknownLevel,        // a level other than A to D
    ckTooFewAnswers,       // a letter code with fewer than two answers to choose from
    ckUntouchedNewRecord,  // a record left as it was added: no text at all, Schwarzer Peter
    ckDuplicateQuestion,   // the question of an earlier record once more
};

// The kinds the game shows wrongly, as against mere untidiness; Export asks about these.
bool ShowsWronglyInGame(tCheckKind kind);

struct TCheckFinding {
    int Record = 0;  // counted from 1
    tCheckKind Kind = ckNoQuestion;
    std::string Reason;  // German, UTF-8

    friend bool operator==(const TCheckFinding &, const TCheckFinding &) = default;
};

// The findings by record, and within a record in the order of tCheckKind. The current
// record is checked as its buffer holds it, edits not yet posted included.
std::vector<TCheckFinding> CheckQuestions(const TMirolaFile &doc);
