// Spreadsheets: the records as CSV, written the one way spreadsheet programs open
// without asking, read in the several ways they save.
#include "csvformat.h"

#include <algorithm>
#include <array>
#include <string>
#include <type_traits>
#include <vector>

#include "errors.h"
#include "filestreams.h"
#include "safefilewriter.h"
#include "standins.h"
#include "texthelpers.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr char32_t kReplacement = 0xFFFD;

[[noreturn]] void RaiseTooLarge()
{
    throw EMirolaError("Die Datei ist zu groß für eine Tabelle mit Fragen (mehr als 256 MB)");
}

// The header's columns by their place in CsvColumns; the rest are told apart only
// where a row's cell there must not go unnoticed.
enum TColumn : int {
    colNr,
    colCode,
    colLevel,
    colQuestion1,
    colComment = colQuestion1 + 3,
    colAnswerA,
    kKnownColumns = colAnswerA + 5,
    colExtraAnswer = kKnownColumns,  // "Antwort f" and the like: the game has five
    colUnknown,                      // a name that fits no column
    colTwice,                        // a column named before
    colUnnamed,                      // no name, or beyond the header's names
};
static_assert(std::size(CsvColumns) == kKnownColumns);

constexpr char16_t kDefaultCode = u'x';   // an empty or missing Code: Schwarzer Peter, as a new record
constexpr char16_t kDefaultLevel = u'A';  // an empty or missing Level: the easiest

bool IsBlank(char32_t c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// ---------------------------------------------------------------------------------
// Writing

std::string OemCharToUtf8(char16_t code)
{
    return OemToUtf8(std::string(1, CodeByte(code)));
}

// Spreadsheets run a cell that starts with one of these as a formula, which a file
// from elsewhere could use to run commands; a leading apostrophe makes it text.
bool StartsFormula(char c)
{
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// An apostrophe before a cell that a spreadsheet would take for a formula, and before
// one that starts with such an apostrophe already, so that the reader can take away
// exactly one again.
bool NeedsGuard(std::string_view text)
{
    if (text.empty())
        return false;
    if (StartsFormula(text[0]))
        return true;
    return text.size() > 1 && text[0] == '\'' && (StartsFormula(text[1]) || text[1] == '\'');
}

std::string Guarded(std::string text)
{
    if (NeedsGuard(text))
        text.insert(text.begin(), '\'');
    return text;
}

// A record's text as the text format writes it: a line break would end its line there,
// so each CR and LF is a blank, and the table reads back as the text file does.
std::string TextCell(std::string_view oem)
{
    std::string utf8 = OemToUtf8(oem);
    std::replace_if(
        utf8.begin(), utf8.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return utf8;
}

// Quoted only where a spreadsheet would otherwise split the cell, end the row or drop
// its outer blanks; a semicolon too, since German spreadsheets split at it.
void AppendField(std::string &out, std::string_view text)
{
    const bool quote = text.find_first_of(",;\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (IsBlank(static_cast<unsigned char>(text.front())) ||
                                          IsBlank(static_cast<unsigned char>(text.back()))));
    if (!quote) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// ---------------------------------------------------------------------------------
// Reading: characters

enum class TEncoding { Utf8, Windows1252 };

// Decodes one character at `at` and moves past it. A byte that starts no valid UTF-8
// sequence (a stray continuation, an overlong form, a surrogate, beyond U+10FFFF, a
// sequence cut short) is one U+FFFD and `invalid` is set, so a damaged file still
// gives one character per damaged byte and never stalls.
char32_t NextUtf8(std::string_view text, std::size_t &at, bool &invalid)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    std::size_t length = 0;
    char32_t u = 0, min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, u = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, u = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, u = lead & 0x07, min = 0x10000;
    }
    if (length != 0 && at + length <= text.size()) {
        std::size_t i = 1;
        for (; i < length && (byte(at + i) & 0xC0) == 0x80; ++i)
            u = (u << 6) | (byte(at + i) & 0x3F);
        if (i == length && u >= min && u <= 0x10FFFF && (u < 0xD800 || u > 0xDFFF)) {
            at += length;
            return u;
        }
    }
    ++at;
    invalid = true;
    return kReplacement;
}

bool IsValidUtf8(std::string_view text)
{
    bool invalid = false;
    for (std::size_t at = 0; at < text.size() && !invalid;) {
        // ASCII runs are the bulk of any file; skip them eight bytes at a time.
        while (at + 8 <= text.size()) {
            unsigned char high = 0;
            for (std::size_t i = 0; i < 8; ++i)
                high |= static_cast<unsigned char>(text[at + i]);
            if (high & 0x80)
                break;
            at += 8;
        }
        if (at < text.size())
            NextUtf8(text, at, invalid);
    }
    return !invalid;
}

// The characters of one cell in the file's encoding.
class TCharReader {
public:
    TCharReader(std::string_view text, TEncoding encoding) : FText(text), FEncoding(encoding) {}

    bool AtEnd() const { return FAt >= FText.size(); }
    // The next character; `invalid` tells whether it stands for bytes that were no UTF-8.
    char32_t Next(bool &invalid)
    {
        invalid = false;
        if (FEncoding == TEncoding::Windows1252)
            return AnsiToUnicode(static_cast<unsigned char>(FText[FAt++]));
        return NextUtf8(FText, FAt, invalid);
    }

private:
    std::string_view FText;
    TEncoding FEncoding;
    std::size_t FAt = 0;
};

// At most `limit` characters of a cell for a note, "…" for the rest; control
// characters as blanks.
std::string ShownCell(std::string_view text, TEncoding encoding, std::size_t limit)
{
    std::string shown;
    std::size_t count = 0;
    bool invalid = false;
    TCharReader chars(text, encoding);
    for (; !chars.AtEnd() && count < limit; ++count) {
        const char32_t u = chars.Next(invalid);
        AppendUtf8(shown, u < 0x20 || u == 0x7F ? U' ' : u);
    }
    if (!chars.AtEnd())
        shown += "…";
    return shown;
}

// The letters a spreadsheet gives the column at `index` (from 0): A to Z, AA, AB, ...
std::string ColumnLetters(std::size_t index)
{
    std::string letters;
    for (std::size_t n = index + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

// Takes away the one apostrophe that the writer puts before a cell a spreadsheet
// would run as a formula.
std::string Unguarded(std::string text)
{
    if (!text.empty() && text[0] == '\'' && NeedsGuard(std::string_view(text).substr(1)))
        text.erase(text.begin());
    return text;
}

// ---------------------------------------------------------------------------------
// Reading: fields and rows

// A field as it stands in the file: for a quoted one the bytes after its opening
// quote, doubled quotes and the closing quote still in them.
struct TRawField {
    std::string_view Bytes;
    bool Quoted = false;
    bool Unterminated = false;  // the quote was never closed: the field runs to the end

    bool Empty() const { return Bytes.empty() || (Quoted && Bytes == "\""); }
    std::string Text() const
    {
        if (!Quoted)
            return std::string(Bytes);
        // Lenient as spreadsheets are: what follows the closing quote up to the
        // separator belongs to the field as it stands.
        std::string text;
        text.reserve(Bytes.size());
        bool inQuotes = true;
        for (std::size_t i = 0; i < Bytes.size(); ++i) {
            if (inQuotes && Bytes[i] == '"') {
                if (i + 1 < Bytes.size() && Bytes[i + 1] == '"')
                    text += Bytes[++i];
                else
                    inQuotes = false;
            } else {
                text += Bytes[i];
            }
        }
        return text;
    }
};

// The separator of a table whose header names one column: every row is one cell,
// whatever commas and semicolons its text holds.
constexpr int kNoSeparator = -1;

// Splits the bytes into fields and rows. Separators, quotes and line ends are ASCII,
// which neither UTF-8 nor Windows-1252 uses inside another character, so the split
// comes before decoding. A lone CR ends a row as CRLF and LF do.
class TCsvScanner {
public:
    // `separator` is a byte or kNoSeparator.
    TCsvScanner(std::string_view bytes, int separator) : FBytes(bytes), FSeparator(separator) {}

    bool AtEnd() const { return FAt >= FBytes.size(); }
    // A row with nothing in it at all, not even a separator; passes over it.
    bool SkipEmptyRow()
    {
        if (AtEnd() || !IsLineEnd(FBytes[FAt]))
            return false;
        SkipLineEnd();
        return true;
    }

    // The next field of the row; `rowEnded` tells whether it was the row's last.
    TRawField Next(bool &rowEnded)
    {
        TRawField field;
        std::size_t end = FAt;
        if (!AtEnd() && FBytes[FAt] == '"') {
            field.Quoted = true;
            const std::size_t start = FAt + 1;
            end = start;
            for (;;) {
                const std::size_t quote = FBytes.find('"', end);
                if (quote == std::string_view::npos) {
                    end = FBytes.size();
                    field.Unterminated = true;
                    break;
                }
                if (quote + 1 < FBytes.size() && FBytes[quote + 1] == '"') {
                    end = quote + 2;
                    continue;
                }
                end = FieldEnd(quote + 1);
                break;
            }
            field.Bytes = FBytes.substr(start, end - start);
        } else {
            end = FieldEnd(FAt);
            field.Bytes = FBytes.substr(FAt, end - FAt);
        }
        FAt = end;
        rowEnded = true;
        if (AtEnd())
            return field;
        if (IsSeparator(FBytes[FAt])) {
            ++FAt;
            rowEnded = false;
        } else {
            SkipLineEnd();
        }
        return field;
    }

private:
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
    bool IsSeparator(char c) const { return static_cast<unsigned char>(c) == FSeparator; }

    std::size_t FieldEnd(std::size_t from) const
    {
        while (from < FBytes.size() && !IsSeparator(FBytes[from]) && !IsLineEnd(FBytes[from]))
            ++from;
        return from;
    }

    void SkipLineEnd()
    {
        if (FBytes[FAt] == '\r' && FAt + 1 < FBytes.size() && FBytes[FAt + 1] == '\n')
            ++FAt;
        ++FAt;
    }

    std::string_view FBytes;
    int FSeparator;
    std::size_t FAt = 0;
};

// What each column of the header row holds.
struct THeader {
    std::vector<int> Columns;        // a TColumn for each column
    std::vector<std::string> Names;  // the names of extra answer columns, for the notes
    std::vector<std::string> Notes;  // on columns whose cells are not read
    int Known = 0;                   // known columns other than Nr
};

// A column's name as it is compared: small letters (umlauts too), without blanks of
// any kind, in UTF-8. A long name fits none, so only its start is looked at.
std::string NameKey(std::string_view name, TEncoding encoding)
{
    constexpr std::size_t kLooked = 40;
    std::string key;
    bool invalid = false;
    TCharReader chars(name, encoding);
    for (std::size_t count = 0; !chars.AtEnd() && count < kLooked; ++count) {
        char32_t u = chars.Next(invalid);
        if (IsBlank(u) || u == 0xA0 || StandInFor(u) == " ")
            continue;
        if ((u >= 'A' && u <= 'Z') || u == U'Ä' || u == U'Ö' || u == U'Ü')
            u += 0x20;
        AppendUtf8(key, u);
    }
    return key;
}

// The names German spreadsheet authors give the columns, besides Kelmor's own.
struct TColumnAlias {
    std::string_view Key;
    int Column;
};
constexpr TColumnAlias kColumnAliases[] = {
    {"frage", colQuestion1},      {"antwort1", colAnswerA},     {"antwort2", colAnswerA + 1},
    {"antwort3", colAnswerA + 2}, {"antwort4", colAnswerA + 3}, {"antwort5", colAnswerA + 4},
    {"richtig", colCode},         {"richtigeantwort", colCode}, {"lösung", colCode},
    {"schwierigkeit", colLevel},  {"stufe", colLevel},
};

int ColumnOfKey(std::string_view key)
{
    static const auto kOwnKeys = [] {
        std::array<std::string, kKnownColumns> keys;
        for (int c = 0; c < kKnownColumns; ++c)
            keys[c] = NameKey(CsvColumns[c], TEncoding::Utf8);
        return keys;
    }();
    if (key.empty())
        return colUnnamed;
    for (int c = 0; c < kKnownColumns; ++c)
        if (key == kOwnKeys[c])
            return c;
    for (const TColumnAlias &alias : kColumnAliases)
        if (key == alias.Key)
            return alias.Column;
    // "Antwort f", "Antwort 6" and the like: an answer the game has no room for.
    constexpr std::string_view kAnswer = "antwort";
    if (key.starts_with(kAnswer)) {
        const std::string_view rest = key.substr(kAnswer.size());
        const bool letter = rest.size() == 1 && rest[0] >= 'a' && rest[0] <= 'z';
        const bool number =
            !rest.empty() && std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (letter || number)
            return colExtraAnswer;
    }
    return colUnknown;
}

THeader ReadHeader(std::string_view bytes, int separator, TEncoding encoding)
{
    // Each unknown column is named in a note of its own up to this many; the rest in one.
    constexpr std::size_t kNamedUnknown = 10;
    constexpr std::size_t kShownName = 40;
    THeader header;
    std::array<std::size_t, kKnownColumns> firstAt{};
    std::array<bool, kKnownColumns> seen{};
    std::size_t unknown = 0;
    TCsvScanner scanner(bytes, separator);
    for (bool rowEnded = false; !rowEnded;) {
        const std::size_t at = header.Columns.size();
        const std::string text = scanner.Next(rowEnded).Text();
        const std::string_view name = TrimBlanks(text);
        int column = ColumnOfKey(NameKey(name, encoding));
        const auto shown = [&] {
            return "Spalte " + ColumnLetters(at) + " „" + ShownCell(name, encoding, kShownName) + "“";
        };
        if (column < kKnownColumns) {
            // A column named twice is taken where it comes first.
            if (seen[column]) {
                header.Notes.push_back(shown() + " ausgelassen: Spalte " + ColumnLetters(firstAt[column]) +
                                       " ist schon " + std::string(CsvColumns[column]));
                column = colTwice;
            } else {
                seen[column] = true;
                firstAt[column] = at;
                if (column != colNr)
                    ++header.Known;
            }
        } else if (column == colUnknown && unknown++ < kNamedUnknown) {
            header.Notes.push_back(shown() + " ausgelassen: Name nicht erkannt");
        }
        header.Columns.push_back(column);
        header.Names.push_back(column == colExtraAnswer ? ShownCell(name, encoding, kShownName) : std::string());
    }
    if (unknown > kNamedUnknown)
        header.Notes.push_back(std::to_string(unknown - kNamedUnknown) +
                               " weitere Spalten ausgelassen: Namen nicht erkannt");
    return header;
}

// The names the fields of a record carry in the notes.
constexpr std::string_view ColumnName(int column)
{
    return CsvColumns[column];
}

class TRowReader {
public:
    TRowReader(TEncoding encoding, std::vector<TCsvChange> &changes) : FEncoding(encoding), FChanges(changes) {}

    void StartRow(std::size_t row) { FRow = row; }
    void Note(std::string what) { FChanges.push_back({FRow, std::move(what)}); }

    // A text cell into its field; what goes past the field's end is cut, and noted.
    template <std::size_t N>
    void Text(const TRawField &cell, std::string_view name, TShortString<N> &field)
    {
        std::size_t cut = 0;
        field = Convert(cell, name, N, cut);
        NoteCut(name, cut);
    }

    // The three question cells into the record's lines. A cell too long for its line
    // flows on into the next lines whose cells are empty, broken at blanks where a word
    // allows it; only what does not fit then is cut.
    void Questions(const std::array<TRawField, kKnownColumns> &cells, TMirolaDatensatz &record)
    {
        constexpr std::size_t kWidth = std::remove_all_extents_t<decltype(TMirolaDatensatz::Question)>::Capacity;
        constexpr int kLines = std::extent_v<decltype(TMirolaDatensatz::Question)>;
        for (int q = 0; q < kLines;) {
            int lines = 1;
            while (q + lines < kLines && cells[colQuestion1 + q + lines].Empty())
                ++lines;
            const std::string_view name = ColumnName(colQuestion1 + q);
            std::size_t cut = 0;
            // Room for the lines and for blanks dropped where they break.
            const std::string oem = Convert(cells[colQuestion1 + q], name, kWidth * lines * 2, cut);
            std::string_view rest = oem;
            for (int line = 0; line < lines; ++line) {
                const bool last = line + 1 == lines;
                const std::size_t end = last ? std::min(rest.size(), kWidth) : LineEnd(rest, kWidth);
                record.Question[q + line] = rest.substr(0, end);
                rest.remove_prefix(end);
                while (!last && !rest.empty() && rest.front() == ' ')
                    rest.remove_prefix(1);
            }
            NoteCut(name, cut + rest.size());
            q += lines;
        }
    }

    // A Code or Level cell. One character is taken as it stands, whatever it is, so
    // that odd codes of a file come back unchanged; an empty cell gives the default.
    // A longer one counts by its first character after the blanks where that is one
    // of `valid`, else the default is taken; either way the rest is noted as dropped.
    char16_t Code(const TRawField &cell, std::string_view name, std::u32string_view valid, char16_t fallback)
    {
        // A code is one character: a few are enough to judge the cell and quote it.
        constexpr std::size_t kLooked = 40;
        const std::string text = Unguarded(cell.Text());
        std::u32string chars;
        bool invalid = false;
        TCharReader reader(text, FEncoding);
        while (!reader.AtEnd() && chars.size() <= kLooked) {
            bool invalidChar = false;
            chars += reader.Next(invalidChar);
            invalid |= invalidChar;
        }
        const bool more = !reader.AtEnd();
        if (chars.empty())
            return fallback;
        if (chars.size() == 1 && !more)
            return Single(chars[0], invalid, name);
        std::u32string_view trimmed = chars;
        while (!trimmed.empty() && IsBlank(trimmed.front()))
            trimmed.remove_prefix(1);
        while (!more && !trimmed.empty() && IsBlank(trimmed.back()))
            trimmed.remove_suffix(1);
        if (trimmed.empty())
            return fallback;
        if (trimmed.size() == 1 && !more)
            return Single(trimmed[0], invalid, name);
        std::string shown;
        for (const char32_t u : chars.substr(0, kLooked))
            AppendUtf8(shown, u < 0x20 ? U' ' : u);
        if (more || chars.size() > kLooked)
            shown += "…";
        const bool taken = valid.find(trimmed[0]) != std::u32string_view::npos;
        const char16_t code = taken ? static_cast<char16_t>(trimmed[0]) : fallback;
        Note(std::string(name) + " „" + shown + "“ " + (taken ? "als " : "nicht erkannt, ") + QuotedCharacter(code) +
             (taken ? " übernommen" : " gespeichert"));
        return code;
    }

private:
    // A text cell in code page 850, at most `keep` bytes of it: line breaks become
    // blanks, typographic characters their stand-ins and characters code page 850 lacks
    // "?", each noted once where it was kept. `cut` counts the bytes beyond `keep`.
    std::string Convert(const TRawField &cell, std::string_view name, std::size_t keep, std::size_t &cut)
    {
        const std::string text = Unguarded(cell.Text());
        std::string oem;
        cut = 0;
        bool lineBreak = false, afterCr = false, invalidBytes = false;
        std::u32string replaced, lacking;
        for (TCharReader chars(text, FEncoding); !chars.AtEnd();) {
            bool invalid = false;
            char32_t u = chars.Next(invalid);
            if (u == '\n' && afterCr) {  // CRLF is one line break
                afterCr = false;
                continue;
            }
            afterCr = u == '\r';
            const bool breaks = u == '\r' || u == '\n';
            if (breaks)
                u = ' ';
            char byte = '?';
            std::string_view piece(&byte, 1);
            const int oemByte = UnicodeToOem(u);
            if (oemByte >= 0)
                byte = static_cast<char>(oemByte);
            else if (const std::string_view standIn = StandInFor(u); !standIn.empty())
                piece = standIn;
            const std::size_t room = keep - std::min(keep, oem.size());
            oem.append(piece.substr(0, room));
            cut += piece.size() - std::min(room, piece.size());
            if (room == 0)
                continue;
            if (breaks)
                lineBreak = true;
            else if (oemByte >= 0)
                continue;
            else if (piece.data() != &byte)
                AddOnce(replaced, u);
            else if (invalid)
                invalidBytes = true;
            else
                AddOnce(lacking, u);
        }
        if (lineBreak)
            Note("Zeilenumbruch in " + std::string(name) + " durch Leerzeichen ersetzt");
        if (!replaced.empty())
            Note(StandInNote(replaced, name));
        if (!lacking.empty()) {
            std::string list;
            // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) on a literal
            // added to a string in a release build.
            for (const char32_t u : lacking) {
                if (!list.empty())
                    list += ' ';
                list += QuotedCharacter(u);
            }
            Note("Zeichen " + list + " in " + std::string(name) + " als „?“ gespeichert");
        }
        if (invalidBytes)
            Note("ungültige UTF-8-Bytes in " + std::string(name) + " als „?“ gespeichert");
        return oem;
    }

    void NoteCut(std::string_view name, std::size_t cut)
    {
        if (cut > 0)
            Note(std::string(name) + " um " + std::to_string(cut) + " Zeichen gekürzt");
    }

    static void AddOnce(std::u32string &list, char32_t u)
    {
        if (list.find(u) == std::u32string::npos)
            list += u;
    }

    // Where the first line of a longer text ends: before the last blank that leaves it
    // at most `width` bytes, or at `width` inside a word too long for a line.
    static std::size_t LineEnd(std::string_view text, std::size_t width)
    {
        if (text.size() <= width)
            return text.size();
        std::size_t end = text.find_last_of(' ', width);
        if (end == std::string_view::npos)
            return width;
        while (end > 0 && text[end - 1] == ' ')
            --end;
        return end == 0 ? width : end;
    }

    char16_t Single(char32_t u, bool invalid, std::string_view name)
    {
        const int byte = UnicodeToOem(u);
        if (byte >= 0)
            return static_cast<char16_t>(byte);
        Note((invalid ? "ungültige UTF-8-Bytes" : "Zeichen " + QuotedCharacter(u)) + " in " + std::string(name) +
             " als „?“ gespeichert");
        return u'?';
    }

    TEncoding FEncoding;
    std::vector<TCsvChange> &FChanges;
    std::size_t FRow = 0;
};

struct TSeparatorChoice {
    int Separator;
    THeader Header;
};

// The separator that the header row uses. A header of one name uses none, so that a
// comma in a question of a one-column table stays in it. Where the header holds both
// outside quotes, the one that splits it into more known names; a comma where both do
// as well.
TSeparatorChoice ChooseSeparator(std::string_view bytes, TEncoding encoding)
{
    TSeparatorChoice comma{',', ReadHeader(bytes, ',', encoding)};
    TSeparatorChoice semicolon{';', ReadHeader(bytes, ';', encoding)};
    const bool byComma = comma.Header.Columns.size() > 1, bySemicolon = semicolon.Header.Columns.size() > 1;
    if (!byComma && !bySemicolon)
        return {kNoSeparator, std::move(comma.Header)};
    if (byComma != bySemicolon)
        return byComma ? comma : semicolon;
    return semicolon.Header.Known > comma.Header.Known ? semicolon : comma;
}

}  // namespace

std::string WriteCsv(const TMirolaFile &doc)
{
    std::string out(kBom);
    out.reserve(doc.Data.size() * 160 + 128);
    for (std::size_t c = 0; c < std::size(CsvColumns); ++c) {
        if (c > 0)
            out += ',';
        AppendField(out, CsvColumns[c]);
    }
    out += kLineEnd;
    for (std::size_t i = 0; i < doc.Data.size(); ++i) {
        const TMirolaDatensatz &record = RecordAsEdited(doc, i);
        out += std::to_string(i + 1);
        const auto field = [&out](std::string_view utf8) {
            out += ',';
            AppendField(out, utf8);
        };
        field(Guarded(OemCharToUtf8(record.theletter)));
        field(Guarded(OemCharToUtf8(record.level)));
        for (const auto &line : record.Question)
            field(Guarded(TextCell(line.view())));
        field(Guarded(TextCell(record.Comment.view())));
        for (const auto &answer : record.Answers)
            field(Guarded(TextCell(answer.view())));
        out += kLineEnd;
    }
    return out;
}

void WriteCsvFile(const TMirolaFile &doc, const std::string &fileName)
{
    const std::string bytes = WriteCsv(doc);
    TSafeFileWriter file(fileName);
    file.Write(bytes);
    file.Commit();
}

TCsvReadResult ReadCsv(std::string_view bytes)
{
    // With the mark the file is UTF-8 whatever it holds; without it, bytes that are no
    // UTF-8 come from a spreadsheet that saved in the Windows code page.
    TEncoding encoding = TEncoding::Utf8;
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    else if (!IsValidUtf8(bytes))
        encoding = TEncoding::Windows1252;

    TCsvReadResult result;
    // Empty lines before the header are rows of the spreadsheet too.
    std::size_t row = 1;
    while (!bytes.empty() && (bytes[0] == '\r' || bytes[0] == '\n')) {
        bytes.remove_prefix(bytes.substr(0, 2) == kLineEnd ? 2 : 1);
        ++row;
    }

    const TSeparatorChoice choice = ChooseSeparator(bytes, encoding);
    const THeader &header = choice.Header;
    if (header.Known == 0)
        throw EMirolaError("Die Datei hat keine Kopfzeile mit bekannten Spaltennamen (Code, Level, Frage 1, …)");

    TCsvScanner scanner(bytes, choice.Separator);
    for (bool rowEnded = false; !rowEnded;)
        scanner.Next(rowEnded);

    TRowReader reader(encoding, result.Changes);
    reader.StartRow(row);
    for (const std::string &note : header.Notes)
        reader.Note(note);

    // Cells without a column are named in a row's note up to this many, with this many
    // characters of each.
    constexpr std::size_t kNamedCells = 3, kShownCell = 20;
    std::size_t dropped = 0, firstDropped = 0;
    std::array<TRawField, kKnownColumns> cells;
    std::vector<std::size_t> extraAnswers;  // the columns of a row's answers beyond the fifth
    std::string unnamedCells;               // what the note shows of cells without a column
    std::size_t unnamed = 0;
    while (!scanner.AtEnd()) {
        ++row;
        if (scanner.SkipEmptyRow())
            continue;
        cells.fill({});
        extraAnswers.clear();
        unnamedCells.clear();
        unnamed = 0;
        bool anything = false, unterminated = false;
        std::size_t column = 0;
        for (bool rowEnded = false; !rowEnded; ++column) {
            const TRawField field = scanner.Next(rowEnded);
            anything |= !field.Empty();
            unterminated |= field.Unterminated;
            const int role = column < header.Columns.size() ? header.Columns[column] : colUnnamed;
            if (role < kKnownColumns) {
                cells[role] = field;
            } else if (role == colExtraAnswer || role == colUnnamed) {
                const std::string text = field.Text();
                const std::string_view trimmed = TrimBlanks(text);
                if (trimmed.empty())
                    continue;
                if (role == colExtraAnswer) {
                    extraAnswers.push_back(column);
                } else if (unnamed++ < kNamedCells) {
                    if (!unnamedCells.empty())
                        unnamedCells += ", ";
                    unnamedCells.append(ColumnLetters(column)).append(std::to_string(row)).append(" „");
                    unnamedCells.append(ShownCell(trimmed, encoding, kShownCell)).append("“");
                }
            }
        }
        // A row of empty cells holds no question: a spreadsheet writes them for rows
        // left free between others.
        if (!anything)
            continue;
        if (result.Records.size() == MaxTextRecords) {
            if (dropped++ == 0)
                firstDropped = row;
            continue;
        }
        reader.StartRow(row);
        TMirolaDatensatz &record = result.Records.emplace_back();
        record.theletter = reader.Code(cells[colCode], ColumnName(colCode), U"abcdexrf", kDefaultCode);
        record.level = reader.Code(cells[colLevel], ColumnName(colLevel), U"ABCDabcd", kDefaultLevel);
        reader.Questions(cells, record);
        reader.Text(cells[colComment], ColumnName(colComment), record.Comment);
        for (int a = 0; a < 5; ++a)
            reader.Text(cells[colAnswerA + a], ColumnName(colAnswerA + a), record.Answers[a]);
        // One note for all of them: a row may have thousands.
        if (!extraAnswers.empty())
            reader.Note(
                header.Names[extraAnswers[0]] +
                (extraAnswers.size() > 1 ? " und " + std::to_string(extraAnswers.size() - 1) + " weitere" : "") +
                " ausgelassen: eine Frage hat höchstens fünf Antworten");
        if (unnamed == 1)
            reader.Note("Zelle " + unnamedCells + " ausgelassen: Spalte ohne Namen");
        else if (unnamed > 1)
            reader.Note("Zellen " + unnamedCells +
                        (unnamed > kNamedCells ? " und " + std::to_string(unnamed - kNamedCells) + " weitere" : "") +
                        " ausgelassen: Spalten ohne Namen");
        if (unterminated)
            reader.Note("Anführungszeichen nicht geschlossen: der Rest der Datei als ein Feld gelesen");
    }
    if (dropped > 0) {
        reader.StartRow(firstDropped);
        reader.Note("nur die ersten " + std::to_string(MaxTextRecords) + " Zeilen übernommen, " +
                    std::to_string(dropped) + " weitere ausgelassen");
    }
    return result;
}

TCsvReadResult ReadCsvFrom(TByteSource &source)
{
    if (source.SizeHint() > kMaxCsvBytes)
        RaiseTooLarge();
    std::string bytes;
    bytes.reserve(source.SizeHint());
    for (;;) {
        const std::string_view chunk = source.Read(1 << 16);
        // A file may grow while it is read, and a stream tells no size before.
        if (bytes.size() + chunk.size() > kMaxCsvBytes)
            RaiseTooLarge();
        bytes += chunk;
        if (chunk.empty())
            break;
    }
    return ReadCsv(bytes);
}

TCsvReadResult ReadCsvFile(const std::string &fileName)
{
    TFileReader file(fileName);
    return ReadCsvFrom(file);
}

void TakeCsvRecords(TMirolaFile &doc, TRecordList records)
{
    if (records.empty())
        doc.Add();
    else
        doc.InsertRecords(0, std::move(records));
}

std::string CsvChangeSummary(const std::vector<TCsvChange> &changes)
{
    constexpr std::size_t kShown = 10;
    std::string summary;
    for (std::size_t i = 0; i < changes.size() && i < kShown; ++i) {
        if (i > 0)
            summary += '\n';
        summary.append("Zeile ").append(std::to_string(changes[i].Row)).append(": ").append(changes[i].What);
    }
    if (changes.size() > kShown) {
        const std::size_t more = changes.size() - kShown;
        summary += "\n… und " + std::to_string(more) + (more == 1 ? " weitere Änderung." : " weitere Änderungen.");
    }
    return summary;
}
