// The game's record format: records of 435 bytes, ten length-prefixed slots each;
// a header record first, then one record per question.
#include <algorithm>
#include <array>
#include <cstring>
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

    void Put(int slot, std::string_view text)
    {
        const TSlot s = kSlots[slot];
        text = text.substr(0, s.Capacity);
        FBytes[s.Offset] = static_cast<char>(text.size());
        std::memcpy(FBytes.data() + s.Offset + 1, text.data(), text.size());
    }
    std::string_view Bytes() const { return {FBytes.data(), FBytes.size()}; }

private:
    std::array<char, kRecordSize> FBytes;
};

}  // namespace

void TMirolaFile::ReadRaf(const std::string &FileName)
{
    const std::string content = ReadWholeFile(FileName);
    if (content.size() < kRecordSize)
        RaiseInOutError(ioReadBeyondEnd);

    const std::string_view header(content.data(), kRecordSize);
    Title = SlotText(header, 1, 36);
    AutorInfo = SlotText(header, 2, 255);
    CopyrightInfo = SlotText(header, 3, 255);
    Comments = SlotText(header, 5, 255);

    const std::size_t count = content.size() / kRecordSize - 1;
    Data.reserve(Data.size() + count);
    for (std::size_t r = 1; r <= count; ++r) {
        const std::string_view raw(content.data() + r * kRecordSize, kRecordSize);
        TMirolaDatensatz record;
        record.theletter = static_cast<unsigned char>(raw[1]);
        record.level = static_cast<unsigned char>(raw[3]);
        for (int q = 0; q < 3; ++q)
            record.Question[q] = SlotText(raw, 1 + q, 50);
        record.Comment = StripFirstChar(SlotText(raw, 4, 255));
        for (int a = 0; a < 5; ++a)
            record.Answers[a] = SlotText(raw, 5 + a, 34);
        Data.push_back(record);
    }
}

void TMirolaFile::WriteDosRaf(const std::string &FileName) const { WriteRaf(FileName, false); }

void TMirolaFile::WriteWinRaf(const std::string &FileName) const { WriteRaf(FileName, true); }

void TMirolaFile::WriteRaf(const std::string &FileName, bool windowsEdition) const
{
    auto text = [windowsEdition](std::string_view oem) {
        return windowsEdition ? OemToAnsiStr(oem) : std::string(oem);
    };

    TSafeFileWriter file(FileName);

    TRecordBuilder header;
    header.Put(0, kMagic);
    header.Put(1, Title.view());
    header.Put(2, AutorInfo);
    header.Put(3, CopyrightInfo);
    header.Put(4, ":" + ZeroPadStr(4, Count()));
    header.Put(5, text(Comments.substr(0, 35)));
    const std::string filler = text(std::string(kFillerLength, static_cast<char>(kFillerByte)));
    for (int slot = 6; slot < 10; ++slot)
        header.Put(slot, filler);
    file.Write(header.Bytes());

    for (std::size_t i = 0; i < Data.size(); ++i) {
        const TMirolaDatensatz &record = Data[i];
        TRecordBuilder raf;
        const char code[] = {CodeByte(record.theletter), ':', CodeByte(record.level), ':', ' '};
        raf.Put(0, std::string(code, sizeof code) + ZeroPadStr(3, static_cast<std::int32_t>(i + 1)));
        for (int q = 0; q < 3; ++q)
            raf.Put(1 + q, text(record.Question[q].view()));
        raf.Put(4, "-" + text(record.Comment.view()));
        for (int a = 0; a < 5; ++a)
            raf.Put(5 + a, text(record.Answers[a].view()));
        file.Write(raf.Bytes());
    }
    file.Commit();
}
