// The game's record format: records of 435 bytes, ten length-prefixed slots each;
// a header record first, then one record per question.
#include <algorithm>
#include <array>
#include <string_view>

#include "errors.h"
#include "filestreams.h"
#include "mirolafile.h"
#include "texthelpers.h"

namespace {

constexpr std::size_t kRecordSize = 435;

struct TSlot {
    std::size_t Offset;
    std::size_t Capacity;
};
constexpr TSlot kSlots[10] = {{0, 50},   {51, 50},  {102, 50}, {153, 50}, {204, 50},
                              {255, 35}, {291, 35}, {327, 35}, {363, 35}, {399, 35}};

constexpr std::string_view kMagic = "- MIROLA-Datei";
constexpr std::size_t kFillerLength = 34;
constexpr unsigned char kFillerByte = 250;
constexpr int kFirstFillerSlot = 6;

// The Windows writer runs the filler through the same conversion as its texts, which
// turns it into 34 bytes of 183; that is the one mark of the Windows edition a file
// carries.
std::string Filler(bool windowsEdition)
{
    const std::string oem(kFillerLength, static_cast<char>(kFillerByte));
    return windowsEdition ? OemToAnsiStr(oem) : oem;
}

// Only an exact Windows filler counts: a file whose filler is damaged or written by
// some other tool is read as the DOS edition, byte for byte, as it always was.
bool IsWindowsEdition(std::string_view header)
{
    const std::size_t at = kSlots[kFirstFillerSlot].Offset;
    return static_cast<unsigned char>(header[at]) == kFillerLength &&
           header.substr(at + 1, kFillerLength) == Filler(true);
}

// Back to OEM what the Windows writer converted: the question lines, the comment and
// the answers. The codes it left alone.
void WindowsTextsToOem(TMirolaDatensatz &record)
{
    for (auto &line : record.Question)
        line = AnsiToOemStr(line.view());
    record.Comment = AnsiToOemStr(record.Comment.view());
    for (auto &answer : record.Answers)
        answer = AnsiToOemStr(answer.view());
}

// The slot's text as its length byte gives it, at most `limit` bytes, and never past
// the end of the record (a damaged length byte can point there).
std::string_view SlotText(std::string_view record, int slot, std::size_t limit)
{
    const std::size_t at = kSlots[slot].Offset;
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(record[at]), limit);
    return record.substr(at + 1, std::min(length, kRecordSize - at - 1));
}

class TRecordBuilder {
public:
    TRecordBuilder() { FBytes.fill(0); }

    // The slot holds `prefix` followed by `text`, cut to its capacity.
    void Put(int slot, std::string_view prefix, std::string_view text = {})
    {
        const TSlot s = kSlots[slot];
        prefix = prefix.substr(0, s.Capacity);
        text = text.substr(0, s.Capacity - prefix.size());
        FBytes[s.Offset] = static_cast<char>(prefix.size() + text.size());
        char *out = std::copy(prefix.begin(), prefix.end(), FBytes.data() + s.Offset + 1);
        std::copy(text.begin(), text.end(), out);
    }
    std::string_view Bytes() const { return {FBytes.data(), FBytes.size()}; }

private:
    std::array<char, kRecordSize> FBytes;
};

}  // namespace

void TMirolaFile::ReadRaf(TByteSource &source)
{
    const std::string_view header = source.Read(kRecordSize);
    if (header.size() < kRecordSize)
        RaiseInOutError(ioReadBeyondEnd);
    Title = SlotText(header, 1, 36);
    AutorInfo = SlotText(header, 2, 255);
    CopyrightInfo = SlotText(header, 3, 255);
    Comments = SlotText(header, 5, 255);
    // Title, author and copyright were never converted by the Windows writer, so they
    // are OEM in both editions.
    const bool windowsEdition = IsWindowsEdition(header);
    if (windowsEdition)
        Comments = AnsiToOemStr(Comments);

    // Records are read a batch at a time, so a large file never sits in memory twice.
    constexpr std::size_t kBatchSize = kRecordSize * 150;
    Data.reserve(Data.size() + source.SizeHint() / kRecordSize);
    for (;;) {
        const std::string_view batch = source.Read(kBatchSize);
        for (std::size_t at = 0; at + kRecordSize <= batch.size(); at += kRecordSize) {
            const std::string_view raw = batch.substr(at, kRecordSize);
            TMirolaDatensatz &record = Data.emplace_back();
            record.theletter = static_cast<unsigned char>(raw[1]);
            record.level = static_cast<unsigned char>(raw[3]);
            for (int q = 0; q < 3; ++q)
                record.Question[q] = SlotText(raw, 1 + q, 50);
            // The comment comes after a mark of one byte; a slot of that mark alone
            // holds no comment.
            const std::string_view comment = SlotText(raw, 4, 255);
            record.Comment = comment.size() < 2 ? std::string_view() : comment.substr(1);
            for (int a = 0; a < 5; ++a)
                record.Answers[a] = SlotText(raw, 5 + a, 34);
            if (windowsEdition)
                WindowsTextsToOem(record);
        }
        // Bytes after the last whole record are not a record.
        if (batch.size() < kBatchSize)
            break;
    }
}

void TMirolaFile::WriteDosRaf(TByteSink &out) const
{
    WriteRaf(out, false);
}

void TMirolaFile::WriteWinRaf(TByteSink &out) const
{
    WriteRaf(out, true);
}

void TMirolaFile::WriteRaf(TByteSink &out, bool windowsEdition) const
{
    auto text = [windowsEdition](std::string_view oem) {
        return windowsEdition ? OemToAnsiStr(oem) : std::string(oem);
    };

    out.Expect(kRecordSize * (Data.size() + 1));
    TRecordBuilder header;
    header.Put(0, kMagic);
    header.Put(1, Title.view());
    header.Put(2, AutorInfo);
    header.Put(3, CopyrightInfo);
    header.Put(4, ":", ZeroPadStr(4, Count()));
    header.Put(5, text(Comments.substr(0, 35)));
    const std::string filler = Filler(windowsEdition);
    for (int slot = kFirstFillerSlot; slot < 10; ++slot)
        header.Put(slot, filler);
    out.Write(header.Bytes());

    for (std::size_t i = 0; i < Data.size(); ++i) {
        const TMirolaDatensatz &record = Data[i];
        TRecordBuilder raf;
        const char code[] = {CodeByte(record.theletter), ':', CodeByte(record.level), ':', ' '};
        raf.Put(0, std::string_view(code, sizeof code), ZeroPadStr(3, static_cast<std::int32_t>(i + 1)));
        for (int q = 0; q < 3; ++q)
            raf.Put(1 + q, text(record.Question[q].view()));
        raf.Put(4, "-", text(record.Comment.view()));
        for (int a = 0; a < 5; ++a)
            raf.Put(5 + a, text(record.Answers[a].view()));
        out.Write(raf.Bytes());
    }
}
