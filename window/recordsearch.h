#pragma once
// Finding a text in the records of a document. Texts are compared as the window shows
// them, without regard to letter case, so "ä" finds "Ä" and the search text is taken
// in the window's characters. The record the form shows is searched in the form's
// texts, which may hold edits the document has not seen yet; every other record in
// the document's bytes, which are folded through a table instead of being converted,
// so that a search through a hundred thousand records stays quick.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

class TMirolaFile;

// The searchable texts of a record in the order a search goes through them forward.
// Answers are numbered as the answer list shows them: the empty slots left out.
enum TSearchField : int {
    sfQuestion1,
    sfQuestion2,
    sfQuestion3,
    sfComment,
    sfAnswer1,
    sfAnswer2,
    sfAnswer3,
    sfAnswer4,
    sfAnswer5,
};
inline constexpr int kSearchFieldCount = sfAnswer5 + 1;

struct TSearchOptions {
    QString Text;
    bool Questions = true;
    bool Comments = true;
    bool Answers = true;
    bool Backward = false;
    // From the first record on (the last, backward) instead of the current one.
    bool FromStart = false;

    // Without a text or an area there is nothing to look for.
    bool SearchesAnything() const { return !Text.isEmpty() && (Questions || Comments || Answers); }
};

// A found text, or the point a search goes on from: record, field and the character
// offset in the field's text.
struct TSearchHit {
    std::int32_t Record = 0;
    int Field = sfQuestion1;
    int Start = 0;
    int Length = 0;
};

// The texts of the record the form shows, in field order; answers the list does not
// hold are empty.
using TFormTexts = std::array<QString, kSearchFieldCount>;

// Where a search starts: before the first text of `record` (forward) or after its
// last (backward), or right behind a hit (forward) or before it (backward).
struct TSearchStart {
    std::int32_t Record = 0;
    std::optional<TSearchHit> After;
};

// The first hit from `start` on in the direction of `options`, or none.
std::optional<TSearchHit> FindInDocument(const TMirolaFile &doc, std::int32_t formRecord, const TFormTexts &form,
                                         const TSearchOptions &options, const TSearchStart &start);
