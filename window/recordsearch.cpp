#include "recordsearch.h"

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>

#include "mirolafile.h"
#include "textedge.h"

namespace {

// The case-folded character each OEM byte is shown as. Showing a text maps byte to
// character one to one, so a byte's offset is its character's offset.
const std::array<char16_t, 256> &FoldedOem()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> folded{};
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const QString shown = OemToQString(std::string_view(&byte, 1));
            folded[static_cast<std::size_t>(b)] = QChar::toCaseFolded(shown.at(0).unicode());
        }
        return folded;
    }();
    return table;
}

// Forward: the first match starting at `from` or later. Backward: the last match
// starting at `from` or earlier.
template <class FoldedAt>
int Match(int length, FoldedAt at, const std::u16string &pattern, bool backward, int from)
{
    const int m = static_cast<int>(pattern.size());
    const auto matchesAt = [&](int i) {
        if (at(i) != pattern[0])
            return false;
        for (int j = 1; j < m; ++j) {
            if (at(i + j) != pattern[static_cast<std::size_t>(j)])
                return false;
        }
        return true;
    };
    if (backward) {
        for (int i = std::min(from, length - m); i >= 0; --i) {
            if (matchesAt(i))
                return i;
        }
    } else {
        for (int i = std::max(from, 0); i <= length - m; ++i) {
            if (matchesAt(i))
                return i;
        }
    }
    return -1;
}

int MatchShown(const QString &text, const std::u16string &pattern, bool backward, int from)
{
    return Match(
        static_cast<int>(text.size()), [&text](int i) { return QChar::toCaseFolded(text.at(i).unicode()); }, pattern,
        backward, from);
}

int MatchOem(std::string_view bytes, const std::u16string &pattern, bool backward, int from)
{
    const std::array<char16_t, 256> &folded = FoldedOem();
    return Match(
        static_cast<int>(bytes.size()),
        [&](int i) { return folded[static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)])]; }, pattern,
        backward, from);
}

bool InArea(const TSearchOptions &options, int field)
{
    if (field <= sfQuestion3)
        return options.Questions;
    if (field == sfComment)
        return options.Comments;
    return options.Answers;
}

// A stored record's texts in field order, its answers as the list would show them.
std::array<std::string_view, kSearchFieldCount> StoredTexts(const TMirolaDatensatz &rec)
{
    std::array<std::string_view, kSearchFieldCount> texts{};
    for (int i = 0; i < 3; ++i)
        texts[static_cast<std::size_t>(sfQuestion1 + i)] = rec.Question[i].view();
    texts[sfComment] = rec.Comment.view();
    int row = 0;
    for (const auto &answer : rec.Answers) {
        if (!answer.empty())
            texts[static_cast<std::size_t>(sfAnswer1 + row++)] = answer.view();
    }
    return texts;
}

}  // namespace

std::optional<TSearchHit> FindInDocument(const TMirolaFile &doc, std::int32_t formRecord, const TFormTexts &form,
                                         const TSearchOptions &options, const TSearchStart &start)
{
    const std::int32_t count = doc.Count();
    if (!options.SearchesAnything() || count == 0)
        return std::nullopt;
    std::u16string pattern;
    for (const QChar c : options.Text)
        pattern.push_back(QChar::toCaseFolded(c.unicode()));
    const int m = static_cast<int>(pattern.size());
    const bool backward = options.Backward;
    const int step = backward ? -1 : 1;

    const std::int32_t first = std::clamp(start.After ? start.After->Record : start.Record, 0, count - 1);
    for (std::int32_t r = first; r >= 0 && r < count; r += step) {
        const bool inForm = r == formRecord;
        std::array<std::string_view, kSearchFieldCount> stored{};
        if (!inForm)
            stored = StoredTexts(doc.Data[static_cast<std::size_t>(r)]);
        for (int k = 0; k < kSearchFieldCount; ++k) {
            const int field = backward ? kSearchFieldCount - 1 - k : k;
            if (!InArea(options, field))
                continue;
            // Forward the search starts at the first character, backward a match may
            // start anywhere.
            int from = backward ? INT_MAX : 0;
            if (r == first && start.After) {
                const TSearchHit &after = *start.After;
                if (backward ? field > after.Field : field < after.Field)
                    continue;
                // Past the previous hit: behind its end, or ending before its start.
                if (field == after.Field)
                    from = backward ? after.Start - m : after.Start + after.Length;
            }
            const int at = inForm ? MatchShown(form[static_cast<std::size_t>(field)], pattern, backward, from)
                                  : MatchOem(stored[static_cast<std::size_t>(field)], pattern, backward, from);
            if (at >= 0)
                return TSearchHit{r, field, at, m};
        }
    }
    return std::nullopt;
}
