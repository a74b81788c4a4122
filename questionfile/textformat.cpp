// The game's text format: five header lines, then ten lines for each question.
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "errors.h"
#include "filestreams.h"
#include "mirolafile.h"
#include "texthelpers.h"

namespace {

constexpr std::string_view kFileMarker = "- MIROLA-Datei";
constexpr std::string_view kAuthorPrefix = "Autor    : ";
constexpr std::string_view kCopyrightPrefix = "Copyright: ";
constexpr std::string_view kCommentPrefix = "- ";
constexpr std::string_view kNewline = "\r\n";

// Lines as the game's DOS tools read them: a line ends at a line feed, carriage
// returns are dropped, Ctrl-Z ends the file, and past the end come empty lines.
// The bytes come a chunk at a time and a line keeps only as many bytes as its field
// can use, the rest of it is passed over: neither the file nor one endless line of it
// is ever held whole.
class TLineReader {
public:
    explicit TLineReader(TByteSource &source) : FSource(source) {}

    // The next line without its carriage returns, cut to `keep` bytes. The text is
    // good until the next line is read.
    std::string_view ReadLine(std::size_t keep)
    {
        FLine.clear();
        for (;;) {
            while (FChunk.empty())
                if (!NextChunk())
                    return FLine;
            const auto *lineFeed = static_cast<const char *>(std::memchr(FChunk.data(), '\n', FChunk.size()));
            const std::size_t end =
                lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - FChunk.data()) : FChunk.size();
            // Most lines lie whole in the chunk with a carriage return only at their
            // end: they are handed out where they are, without a copy.
            if (lineFeed != nullptr && FLine.empty()) {
                std::string_view line = FChunk.substr(0, end);
                while (!line.empty() && line.back() == '\r')
                    line.remove_suffix(1);
                line = line.substr(0, keep);
                if (line.find('\r') == std::string_view::npos) {
                    FChunk.remove_prefix(end + 1);
                    return line;
                }
            }
            Keep(FLine, FChunk.substr(0, end), keep);
            FChunk.remove_prefix(lineFeed != nullptr ? end + 1 : end);
            if (lineFeed != nullptr)
                return FLine;
        }
    }

    // About how many bytes are left, as the source knows it.
    std::size_t SizeHint() const { return FChunk.size() + (FEnded ? 0 : FSource.SizeHint()); }

    // Whether the file has ended: not even an empty line is left.
    bool AtEnd()
    {
        while (FChunk.empty())
            if (!NextChunk())
                return true;
        return false;
    }

    // How many of the lines left run up to the last one that holds more than blanks,
    // looking at about `limit` bytes at most; `whole` tells whether that was all.
    std::size_t LinesOfContentLeft(std::size_t limit, bool &whole)
    {
        std::size_t lines = 0, last = 0, looked = 0;
        bool content = false;
        whole = false;
        while (looked < limit) {
            if (AtEnd()) {
                whole = true;
                break;
            }
            for (const char c : FChunk) {
                if (c == '\n') {
                    ++lines;
                    last = content ? lines : last;
                    content = false;
                } else {
                    content |= c != ' ' && c != '\r' && c != '\t';
                }
            }
            looked += FChunk.size();
            FChunk = {};
        }
        return content ? lines + 1 : last;  // a last line may lack its line feed
    }

private:
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // The fuzzer's inputs are short; tiny chunks let their lines cross chunk ends.
    static constexpr std::size_t kChunkSize = 7;
#else
    static constexpr std::size_t kChunkSize = 1 << 16;
#endif

    bool NextChunk()
    {
        if (FEnded)
            return false;
        FChunk = FSource.Read(kChunkSize);
        if (FChunk.empty()) {
            FEnded = true;
            return false;
        }
        if (const void *ctrlZ = std::memchr(FChunk.data(), '\x1A', FChunk.size())) {
            FChunk = FChunk.substr(0, static_cast<std::size_t>(static_cast<const char *>(ctrlZ) - FChunk.data()));
            FEnded = true;
        }
        return true;
    }

    // Appends the part's bytes but its carriage returns until the line holds `keep`.
    // Most lines have a carriage return only at their end; the rest of them goes in
    // one piece.
    static void Keep(std::string &line, std::string_view part, std::size_t keep)
    {
        while (!part.empty() && part.back() == '\r')
            part.remove_suffix(1);
        const std::string_view head = part.substr(0, keep - line.size());
        if (head.find('\r') == std::string_view::npos) {
            line.append(head);
            return;
        }
        for (std::size_t i = 0; i < part.size() && line.size() < keep; ++i)
            if (part[i] != '\r')
                line += part[i];
    }

    TByteSource &FSource;
    std::string FLine;        // a line put together from pieces
    std::string_view FChunk;  // what is left of the last chunk
    bool FEnded = false;      // the source is used up or a Ctrl-Z has come
};

// The line around the first place where `part` stands in it: what comes before and
// what after. A line without it is all before.
std::pair<std::string_view, std::string_view> AroundFirst(std::string_view line, std::string_view part)
{
    const std::size_t at = line.find(part);
    if (at == std::string_view::npos)
        return {line, {}};
    return {line.substr(0, at), line.substr(at + part.size())};
}

std::string WithoutFirst(std::string_view line, std::string_view part)
{
    const auto [before, after] = AroundFirst(line, part);
    std::string text(before);
    text += after;
    return text;
}

// The same into a record's field, without a string of its own on the way: one per
// record would be thousands of allocations for a large file.
template <std::size_t N>
void AssignWithoutFirst(TShortString<N> &field, std::string_view line, std::string_view part)
{
    const auto [before, after] = AroundFirst(line, part);
    std::array<char, N> joined;
    const std::size_t head = std::min(before.size(), N);
    const std::size_t tail = std::min(after.size(), N - head);
    std::copy_n(before.data(), head, joined.data());
    std::copy_n(after.data(), tail, joined.data() + head);
    field = std::string_view(joined.data(), head + tail);
}

std::string WithoutMarker(std::string_view text)
{
    std::string line(text);
    // Any letter case, so that titles of files written by other tools lose it too.
    const auto at = std::search(line.begin(), line.end(), kFileMarker.begin(), kFileMarker.end(),
                                [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    if (at != line.end())
        line.erase(at, at + static_cast<std::ptrdiff_t>(kFileMarker.size()));
    return line;
}

// Blanks, an optional sign, digits, and nothing else.
std::int32_t ParseCount(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t digitsStart = i;
    std::int32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    if (i == digitsStart || i != text.size())
        RaiseConvertError(text);
    return negative ? -value : value;
}

// Writes lines that the reader gives back as they were written. A line break or a
// Ctrl-Z inside a text would end its line, or the whole file, early and shift every
// field after it, so each such byte is written as a blank.
class TLineWriter {
public:
    explicit TLineWriter(TByteSink &out) : FOut(out) {}

    void operator()(std::string_view a, std::string_view b = {})
    {
        Text(a);
        Text(b);
        FOut.Write(kNewline);
    }

private:
    static bool Breaks(char c) { return c == '\r' || c == '\n' || c == '\x1A'; }

    void Text(std::string_view text)
    {
        // Control characters are rare in question texts: one cheap test over all bytes,
        // without an early exit so that it runs many bytes at a time, and the exact
        // test only where it finds one.
        bool control = false;
        for (const char c : text)
            control |= static_cast<unsigned char>(c) < 0x20;
        if (!control || std::none_of(text.begin(), text.end(), Breaks)) {
            FOut.Write(text);
            return;
        }
        std::string blanked(text);
        std::replace_if(blanked.begin(), blanked.end(), Breaks, ' ');
        FOut.Write(blanked);
    }

    TByteSink &FOut;
};

// A record's ten lines take at least their ten line ends.
constexpr std::size_t kMinRecordBytes = 10;
constexpr std::size_t kLinesPerRecord = 10;
// How far past its announced records a file is looked at to count what follows: a
// file extended by hand has a few records more, not gigabytes.
constexpr std::size_t kLookPastRecords = std::size_t(256) << 20;

// A header text keeps kMaxHeaderTextBytes: a longer line held whole could take all
// memory. Where a line is longer still, `notes` say so, as a save drops the rest.
std::string HeaderText(TLineReader &in, std::string_view prefix, std::string_view line, std::vector<std::string> &notes)
{
    std::string text = WithoutFirst(in.ReadLine(kMaxHeaderTextBytes + prefix.size() + 1), prefix);
    if (text.size() > kMaxHeaderTextBytes) {
        text.resize(kMaxHeaderTextBytes);
        const std::string limit = std::to_string(kMaxHeaderTextBytes);
        notes.push_back("Die " + std::string(line) + " ist länger als " + limit + " Bytes. Gelesen werden die ersten " +
                        limit + "; beim Speichern geht der Rest verloren.");
    }
    return text;
}

std::string RecordCount(std::size_t n)
{
    return std::to_string(n) + (n == 1 ? " Datensatz" : " Datensätze");
}

// A count that the records do not match is read as it stands, which a save makes
// final: the records after the announced ones are not kept, missing ones are empty.
std::string FewerRecordsNote(std::size_t announced, std::size_t found)
{
    return "Die Datei kündigt " + RecordCount(announced) + " an, enthält aber " +
           (found == 0 ? std::string("keinen") : "nur " + std::to_string(found)) +
           ". Die fehlenden werden als leere Datensätze gelesen und so gespeichert.";
}

std::string MoreRecordsNote(std::size_t announced, std::size_t found, bool counted)
{
    return "Die Datei kündigt " + RecordCount(announced) + " an, enthält aber " + (counted ? "" : "mindestens ") +
           std::to_string(found) + ". Gelesen werden nur die angekündigten; beim Speichern gehen die übrigen verloren.";
}

template <std::size_t N>
void ReadField(TLineReader &in, TShortString<N> &field)
{
    field = in.ReadLine(N);
}

char16_t CodeAt(std::string_view line, std::size_t pos, char16_t missing)
{
    return pos < line.size() ? char16_t(static_cast<unsigned char>(line[pos])) : missing;
}

}  // namespace

void TMirolaFile::ReadText(TByteSource &source)
{
    TLineReader in(source);

    // The title line may hold the marker before its 36 bytes run out.
    Title = WithoutMarker(in.ReadLine(decltype(Title)::Capacity + kFileMarker.size()));
    // Only its first character and the four digits after it are read. A count that is
    // no number ends the load here, before a byte more of the file is read.
    const std::int32_t n = ParseCount(std::string_view(StripFirstChar(in.ReadLine(1 + 4))).substr(0, 4));
    AutorInfo = HeaderText(in, kAuthorPrefix, "Autorenzeile", LoadNotes);
    CopyrightInfo = HeaderText(in, kCopyrightPrefix, "Copyright-Zeile", LoadNotes);
    Comments = HeaderText(in, {}, "Kommentarzeile der Datei", LoadNotes);

    // Room for no more records than the bytes left can hold: a short file may announce
    // thousands, which then come as empty records past its end.
    if (n > 0)
        Data.reserve(Data.size() + std::min(static_cast<std::size_t>(n), in.SizeHint() / kMinRecordBytes));
    std::size_t found = 0;  // records whose code line is in the file
    for (std::int32_t r = 0; r < n; ++r) {
        found += in.AtEnd() ? 0 : 1;
        // Built where it stays, so that its memory is written once.
        TMirolaDatensatz &record = Data.emplace_back();
        // The codes are its first and third byte.
        const std::string_view code = in.ReadLine(3);
        record.theletter = CodeAt(code, 0, u'x');
        record.level = CodeAt(code, 2, u'a');
        for (auto &line : record.Question)
            ReadField(in, line);
        AssignWithoutFirst(record.Comment, in.ReadLine(decltype(record.Comment)::Capacity + kCommentPrefix.size()),
                           kCommentPrefix);
        for (auto &answer : record.Answers)
            ReadField(in, answer);
    }
    if (n <= 0)
        return;
    const auto announced = static_cast<std::size_t>(n);
    if (found < announced) {
        LoadNotes.push_back(FewerRecordsNote(announced, found));
        return;
    }
    bool counted = false;
    const std::size_t linesLeft = in.LinesOfContentLeft(kLookPastRecords, counted);
    if (linesLeft > 0)
        LoadNotes.push_back(
            MoreRecordsNote(announced, announced + (linesLeft + kLinesPerRecord - 1) / kLinesPerRecord, counted));
}

void TMirolaFile::WriteText(TByteSink &out) const
{
    // A record takes ten line ends, its code line and its texts, mostly far shorter
    // than they may be.
    out.Expect(Data.size() * 128 + AutorInfo.size() + CopyrightInfo.size() + Comments.size() + 128);
    TLineWriter line(out);
    line((Title.str() + std::string(kFileMarker)).substr(0, 50));
    line(":", ZeroPadStr(4, Count()));
    line(kAuthorPrefix, AutorInfo);
    line(kCopyrightPrefix, CopyrightInfo);
    line(Comments);

    for (std::size_t i = 0; i < Data.size(); ++i) {
        const TMirolaDatensatz &record = Data[i];
        const char code[] = {CodeByte(record.theletter), ':', CodeByte(record.level), ':'};
        line(std::string_view(code, sizeof code), ZeroPadStr(3, static_cast<std::int32_t>(i + 1)));
        for (const auto &question : record.Question)
            line(question.view());
        line(kCommentPrefix, record.Comment.view());
        for (const auto &answer : record.Answers)
            line(answer.view());
    }
}
