// The game's text format: five header lines, then ten lines for each question.
#include <algorithm>
#include <string_view>

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
class TLineReader {
public:
    explicit TLineReader(std::string_view data) : FRest(data.substr(0, data.find('\x1A'))) {}

    std::string ReadLine()
    {
        const auto end = FRest.find('\n');
        std::string_view line = FRest.substr(0, end);
        FRest.remove_prefix(end == std::string_view::npos ? FRest.size() : end + 1);
        std::string out(line);
        std::erase(out, '\r');
        return out;
    }

private:
    std::string_view FRest;
};

std::string WithoutFirst(std::string text, std::string_view part)
{
    const auto at = text.find(part);
    if (at != std::string::npos)
        text.erase(at, part.size());
    return text;
}

std::string WithoutMarker(std::string line)
{
    // Any letter case, so that titles of files written by other tools lose it too.
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const auto at = std::search(line.begin(), line.end(), kFileMarker.begin(), kFileMarker.end(),
                                [&](char a, char b) { return lower(a) == lower(b); });
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

char16_t CodeAt(const std::string &line, std::size_t pos, char16_t missing)
{
    return pos < line.size() ? char16_t(static_cast<unsigned char>(line[pos])) : missing;
}

}  // namespace

void TMirolaFile::ReadText(TByteSource &source)
{
    TLineReader in(source.ReadRest());

    Title = WithoutMarker(in.ReadLine());
    const std::string countLine = in.ReadLine();
    AutorInfo = WithoutFirst(in.ReadLine(), kAuthorPrefix);
    CopyrightInfo = WithoutFirst(in.ReadLine(), kCopyrightPrefix);
    Comments = in.ReadLine();
    const std::int32_t n = ParseCount(std::string_view(StripFirstChar(countLine)).substr(0, 4));

    if (n > 0)
        Data.reserve(Data.size() + static_cast<std::size_t>(n));
    for (std::int32_t r = 0; r < n; ++r) {
        TMirolaDatensatz record;
        const std::string code = in.ReadLine();
        record.theletter = CodeAt(code, 0, u'x');
        record.level = CodeAt(code, 2, u'a');
        for (auto &line : record.Question)
            line = in.ReadLine();
        record.Comment = WithoutFirst(in.ReadLine(), kCommentPrefix);
        for (auto &answer : record.Answers)
            answer = in.ReadLine();
        Data.push_back(record);
    }
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
