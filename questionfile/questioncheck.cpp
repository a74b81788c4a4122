#include "questioncheck.h"

#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "mirolafile.h"
#include "texthelpers.h"

namespace {

// The three other codes count only as the form writes them: nothing says that the
// game takes a capital X, R or F, so they are reported rather than trusted.
bool IsKnownRightAnswer(char16_t code)
{
    return RightAnswerSlot(code) >= 0 || code == u'x' || code == u'r' || code == u'f';
}

// A code as the user can read it: quoted where it is a visible character, else by its
// number, so that a control byte or an invisible one in the file still shows.
std::string ShownCode(char16_t code)
{
    char number[16];
    if (code > 0xFF) {
        std::snprintf(number, sizeof number, "Zeichen U+%04X", static_cast<unsigned>(code));
        return number;
    }
    // Code page 850 has a soft hyphen at 0xF0 and a no-break space at 0xFF.
    const bool visible = (code >= 0x20 && code < 0x7F) || (code >= 0x80 && code != 0xF0 && code != 0xFF);
    if (visible) {
        // Appended, not built with operator+: g++ 12 at -O3 takes "'" + a string for
        // an overlapping copy (-Wrestrict) and would fail the warning-free release build.
        std::string quoted = "'";
        quoted += OemToUtf8(std::string(1, static_cast<char>(code)));
        quoted += '\'';
        return quoted;
    }
    std::snprintf(number, sizeof number, "Byte 0x%02X", static_cast<unsigned>(code));
    return number;
}

// The question as two of them are compared: its lines joined by a blank, small
// letters, every run of blanks one blank, none at the ends. Empty for a question
// that has no text.
std::string QuestionKey(const TMirolaDatensatz &rec)
{
    std::string key;
    bool blankPending = false;
    for (const auto &line : rec.Question) {
        blankPending = true;  // between the lines
        for (const char c : line.view()) {
            if (c == ' ') {
                blankPending = true;
                continue;
            }
            if (blankPending && !key.empty())
                key += ' ';
            blankPending = false;
            key += OemLowerCase(c);
        }
    }
    return key;
}

int AnswerCount(const TMirolaDatensatz &rec)
{
    int count = 0;
    for (const auto &answer : rec.Answers)
        count += answer.empty() ? 0 : 1;
    return count;
}

bool IsUntouchedNewRecord(const TMirolaDatensatz &rec)
{
    for (const auto &line : rec.Question)
        if (!line.empty())
            return false;
    return rec.theletter == u'x' && rec.Comment.empty() && AnswerCount(rec) == 0;
}

}  // namespace

bool ShowsWronglyInGame(tCheckKind kind)
{
    switch (kind) {
    case ckRightAnswerEmpty:
    case ckUnknownRightAnswer:
    case ckUnknownLevel:
    case ckTooFewAnswers: return true;
    case ckNoQuestion:
    case ckUntouchedNewRecord:
    case ckDuplicateQuestion: break;
    }
    return false;
}

std::vector<TCheckFinding> CheckQuestions(const TMirolaFile &doc)
{
    std::vector<TCheckFinding> findings;
    // Each question's key with the first record that has it.
    std::unordered_map<std::string, int> firstWith;
    firstWith.reserve(doc.Data.size());

    for (std::size_t i = 0; i < doc.Data.size(); ++i) {
        const TMirolaDatensatz &rec = RecordAsEdited(doc, i);
        const int number = static_cast<int>(i) + 1;
        const auto report = [&](tCheckKind kind, std::string reason) {
            findings.push_back({number, kind, std::move(reason)});
        };
        const std::string key = QuestionKey(rec);
        const bool untouched = IsUntouchedNewRecord(rec);
        const int slot = RightAnswerSlot(rec.theletter);

        // A record left as it was added lacks its question too; one finding says it all.
        if (key.empty() && !untouched)
            report(ckNoQuestion, "Kein Fragetext");
        if (slot >= 0 && rec.Answers[slot].empty())
            report(ckRightAnswerEmpty, std::string("Die richtige Antwort (") + char('a' + slot) + ") ist leer");
        if (!IsKnownRightAnswer(rec.theletter))
            report(ckUnknownRightAnswer, "Unbekannter Code für die richtige Antwort: " + ShownCode(rec.theletter));
        if (LevelNumber(rec.level) < 0)
            report(ckUnknownLevel, "Unbekannter Level: " + ShownCode(rec.level));
        if (slot >= 0 && AnswerCount(rec) < 2)
            report(ckTooFewAnswers, "Weniger als zwei Antworten");
        if (untouched)
            report(ckUntouchedNewRecord, "Neuer Datensatz ohne Inhalt");
        if (!key.empty()) {
            const auto [first, isNew] = firstWith.try_emplace(key, number);
            if (!isNew)
                report(ckDuplicateQuestion, "Frage steht schon in Datensatz " + std::to_string(first->second));
        }
    }
    return findings;
}
