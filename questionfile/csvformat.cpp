// Spreadsheets: the records as CSV, written the one way spreadsheet programs open
// without asking, read in the several ways they save.
#include "csvformat.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "errors.h"
#include "filestreams.h"
#include "safefilewriter.h"
#include "texthelpers.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr char32_t kReplacement = 0xFFFD;

// A spreadsheet of 9999 full rows is a few megabytes; a file far beyond that is no
// question list, and reading it whole would only take the memory.
constexpr std::size_t kMaxFileBytes = std::size_t(256) << 20;

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
    colIgnored,
};
static_assert(std::size(CsvColumns) == kKnownColumns);

constexpr char16_t kDefaultCode = u'x';   // an empty or missing Code: Schwarzer Peter, as a new record
constexpr char16_t kDefaultLevel = u'A';  // an empty or missing Level: the easiest

bool IsBlank(char32_t c) { return c == ' ' || c == '\t'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
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

std::string OemCharToUtf8(char16_t code) { return OemToUtf8(std::string(1, CodeByte(code))); }

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

std::string DecodeToUtf8(std::string_view text, TEncoding encoding)
{
    std::string out;
    bool invalid = false;
    for (TCharReader chars(text, encoding); !chars.AtEnd();)
        AppendUtf8(out, chars.Next(invalid));
    return out;
}

// A character as a message quotes it; an invisible one by its number.
std::string Shown(char32_t u)
{
    std::string out = "„";
    if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
        constexpr char kHex[] = "0123456789ABCDEF";
        out += "U+00";
        out += kHex[u >> 4];
        out += kHex[u & 0xF];
    } else {
        AppendUtf8(out, u);
    }
    return out + "“";
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

// Splits the bytes into fields and rows. Separators, quotes and line ends are ASCII,
// which neither UTF-8 nor Windows-1252 uses inside another character, so the split
// comes before decoding. A lone CR ends a row as CRLF and LF do.
class TCsvScanner {
public:
    TCsvScanner(std::string_view bytes, char separator) : FBytes(bytes), FSeparator(separator) {}

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
        if (FBytes[FAt] == FSeparator) {
            ++FAt;
            rowEnded = false;
        } else {
            SkipLineEnd();
        }
        return field;
    }

private:
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

    std::size_t FieldEnd(std::size_t from) const
    {
        while (from < FBytes.size() && FBytes[from] != FSeparator && !IsLineEnd(FBytes[from]))
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
    char FSeparator;
    std::size_t FAt = 0;
};

// What each column of the header row holds.
struct THeader {
    std::vector<int> Columns;         // a TColumn for each column
    std::vector<std::string> Names;   // the names of extra answer columns, for the notes
    int Known = 0;                    // known columns other than Nr
};

THeader ReadHeader(std::string_view bytes, char separator, TEncoding encoding)
{
    THeader header;
    std::array<bool, kKnownColumns> seen{};
    TCsvScanner scanner(bytes, separator);
    for (bool rowEnded = false; !rowEnded;) {
        const std::string text = scanner.Next(rowEnded).Text();
        const std::string_view name = TrimBlanks(text);
        int column = colIgnored;
        for (int c = 0; c < kKnownColumns; ++c)
            if (SameName(name, CsvColumns[c]))
                column = c;
        // A column named twice is taken where it comes first.
        if (column != colIgnored && seen[column])
            column = colIgnored;
        else if (column != colIgnored)
            seen[column] = true;
        else if (name.size() > 8 && SameName(name.substr(0, 8), "Antwort "))
            column = colExtraAnswer;
        header.Columns.push_back(column);
        header.Names.push_back(column == colExtraAnswer ? DecodeToUtf8(name, encoding) : std::string());
        if (column != colIgnored && column != colExtraAnswer && column != colNr)
            ++header.Known;
    }
    return header;
}

// The names the fields of a record carry in the notes.
constexpr std::string_view ColumnName(int column) { return CsvColumns[column]; }

class TRowReader {
public:
    TRowReader(TEncoding encoding, std::vector<TCsvChange> &changes) : FEncoding(encoding), FChanges(changes) {}

    void StartRow(std::size_t row) { FRow = row; }
    void Note(std::string what) { FChanges.push_back({FRow, std::move(what)}); }

    // A text cell into its field: line breaks become blanks, characters code page 850
    // lacks become '?', and what goes past the field's end is cut; each noted once.
    template <std::size_t N>
    void Text(const TRawField &cell, std::string_view name, TShortString<N> &field)
    {
        const std::string text = cell.Text();
        std::string oem;
        std::size_t cut = 0;
        bool lineBreak = false, afterCr = false;
        bool invalidBytes = false;
        std::vector<char32_t> lacking;
        for (TCharReader chars(text, FEncoding); !chars.AtEnd();) {
            bool invalid = false;
            char32_t u = chars.Next(invalid);
            if (u == '\n' && afterCr) {  // CRLF is one line break
                afterCr = false;
                continue;
            }
            afterCr = u == '\r';
            if (u == '\r' || u == '\n') {
                lineBreak = true;
                u = ' ';
            }
            if (oem.size() == N) {
                ++cut;
                continue;
            }
            int byte = UnicodeToOem(u);
            if (byte < 0) {
                byte = '?';
                if (invalid)
                    invalidBytes = true;
                else if (std::find(lacking.begin(), lacking.end(), u) == lacking.end())
                    lacking.push_back(u);
            }
            oem += static_cast<char>(byte);
        }
        field = oem;
        if (lineBreak)
            Note("Zeilenumbruch in " + std::string(name) + " durch Leerzeichen ersetzt");
        if (!lacking.empty()) {
            std::string list;
            // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) on a literal
            // added to a string in a release build.
            for (const char32_t u : lacking) {
                if (!list.empty())
                    list += ' ';
                list += Shown(u);
            }
            Note("Zeichen " + list + " in " + std::string(name) + " als „?“ gespeichert");
        }
        if (invalidBytes)
            Note("ungültige UTF-8-Bytes in " + std::string(name) + " als „?“ gespeichert");
        if (cut > 0)
            Note(std::string(name) + " um " + std::to_string(cut) + " Zeichen gekürzt");
    }

    // A Code or Level cell. One character is taken as it stands, whatever it is, so
    // that odd codes of a file come back unchanged; an empty cell gives the default.
    // A longer one counts by its first character after the blanks where that is one
    // of `valid`, else the default is taken; either way the rest is noted as dropped.
    char16_t Code(const TRawField &cell, std::string_view name, std::u32string_view valid, char16_t fallback)
    {
        // A code is one character: a few are enough to judge the cell and quote it.
        constexpr std::size_t kLooked = 40;
        const std::string text = cell.Text();
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
        Note(std::string(name) + " „" + shown + "“ " + (taken ? "als " : "nicht erkannt, ") + Shown(code) +
             (taken ? " übernommen" : " gespeichert"));
        return code;
    }

private:
    char16_t Single(char32_t u, bool invalid, std::string_view name)
    {
        const int byte = UnicodeToOem(u);
        if (byte >= 0)
            return static_cast<char16_t>(byte);
        Note((invalid ? "ungültige UTF-8-Bytes" : "Zeichen " + Shown(u)) + " in " + std::string(name) +
             " als „?“ gespeichert");
        return u'?';
    }

    TEncoding FEncoding;
    std::vector<TCsvChange> &FChanges;
    std::size_t FRow = 0;
};

struct TSeparatorChoice {
    char Separator;
    THeader Header;
};

// The separator that splits the header row into more known names; a comma where
// both do as well, which they do for a header of one column.
TSeparatorChoice ChooseSeparator(std::string_view bytes, TEncoding encoding)
{
    TSeparatorChoice comma{',', ReadHeader(bytes, ',', encoding)};
    TSeparatorChoice semicolon{';', ReadHeader(bytes, ';', encoding)};
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
        field(OemCharToUtf8(record.theletter));
        field(OemCharToUtf8(record.level));
        for (const auto &line : record.Question)
            field(OemToUtf8(line.view()));
        field(OemToUtf8(record.Comment.view()));
        for (const auto &answer : record.Answers)
            field(OemToUtf8(answer.view()));
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
    std::size_t dropped = 0, firstDropped = 0;
    std::array<TRawField, kKnownColumns> cells;
    std::vector<std::size_t> extraAnswers;  // the columns of a row's answers beyond the fifth
    while (!scanner.AtEnd()) {
        ++row;
        if (scanner.SkipEmptyRow())
            continue;
        cells.fill({});
        extraAnswers.clear();
        bool anything = false, unterminated = false;
        std::size_t column = 0;
        for (bool rowEnded = false; !rowEnded; ++column) {
            const TRawField field = scanner.Next(rowEnded);
            anything |= !field.Empty();
            unterminated |= field.Unterminated;
            const int role = column < header.Columns.size() ? header.Columns[column] : colIgnored;
            if (role < kKnownColumns)
                cells[role] = field;
            else if (role == colExtraAnswer && !TrimBlanks(field.Text()).empty())
                extraAnswers.push_back(column);
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
        for (int q = 0; q < 3; ++q)
            reader.Text(cells[colQuestion1 + q], ColumnName(colQuestion1 + q), record.Question[q]);
        reader.Text(cells[colComment], ColumnName(colComment), record.Comment);
        for (int a = 0; a < 5; ++a)
            reader.Text(cells[colAnswerA + a], ColumnName(colAnswerA + a), record.Answers[a]);
        // One note for all of them: a row may have thousands.
        if (!extraAnswers.empty())
            reader.Note(header.Names[extraAnswers[0]] +
                        (extraAnswers.size() > 1 ? " und " + std::to_string(extraAnswers.size() - 1) + " weitere" : "") +
                        " ausgelassen: eine Frage hat höchstens fünf Antworten");
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

TCsvReadResult ReadCsvFile(const std::string &fileName)
{
    TFileReader file(fileName);
    if (file.SizeHint() > kMaxFileBytes)
        RaiseTooLarge();
    std::string bytes;
    bytes.reserve(file.SizeHint());
    for (;;) {
        const std::string_view chunk = file.Read(1 << 16);
        // A file may grow while it is read.
        if (bytes.size() + chunk.size() > kMaxFileBytes)
            RaiseTooLarge();
        bytes += chunk;
        if (chunk.empty())
            break;
    }
    return ReadCsv(bytes);
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
