#pragma once
// A question file: its header texts, its records and the cursor through which the
// window reaches the records. Every text is held as OEM bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shortstring.h"

struct TMirolaDatensatz {
    char16_t theletter = 0;  // right-answer code: a-e, r (all right), f (all wrong), x (Schwarzer Peter)
    char16_t level = 0;      // A to D; new records carry a small "a"
    std::int32_t Index = 0;  // position given by Add; nothing reads it
    TShortString<35> Comment;
    TShortString<50> Question[3];
    TShortString<34> Answers[5];

    friend bool operator==(const TMirolaDatensatz &, const TMirolaDatensatz &) = default;
};

// Room for many records at once. A large file's records fill fresh memory, which the
// kernel hands out a page at a time as it is first written: in 4 KB pages that is
// thousands of faults, which cost more than reading the file. Room of 2 MB and more
// is therefore placed on 2 MB boundaries and offered for large pages, which make it a
// few dozen. Smaller room comes as from any vector.
void *AllocateRecordRoom(std::size_t bytes);
void ReleaseRecordRoom(void *room, std::size_t bytes) noexcept;

template <class T>
struct TRecordAllocator {
    using value_type = T;

    TRecordAllocator() = default;
    template <class U>
    TRecordAllocator(const TRecordAllocator<U> &) noexcept  // NOLINT: as std::allocator
    {
    }
    T *allocate(std::size_t n) { return static_cast<T *>(AllocateRecordRoom(n * sizeof(T))); }
    void deallocate(T *p, std::size_t n) noexcept { ReleaseRecordRoom(p, n * sizeof(T)); }

    friend bool operator==(const TRecordAllocator &, const TRecordAllocator &) = default;
};

using TRecordList = std::vector<TMirolaDatensatz, TRecordAllocator<TMirolaDatensatz>>;

enum tMirolaFType { ftTXT = 0, ftRAF = 1, ftWRAF = 2, ftPMIROLA = 3 };

// The text format announces its record count in four digits.
constexpr std::size_t MaxTextRecords = 9999;
// The most the text reader keeps of the author, copyright and file-comment lines: far
// more than any author writes, and still a bound on what one endless line can take.
constexpr std::size_t kMaxHeaderTextBytes = std::size_t(64) << 10;

class TByteSource;
class TByteSink;

class TMirolaFile {
public:
    TRecordList Data;
    std::int32_t Index = 0;
    TShortString<36> Title;
    std::string AutorInfo;
    std::string CopyrightInfo;
    std::string Comments;
    TMirolaDatensatz DatRec;
    // What the last load had to tell the user, before a save makes it final: a header
    // line longer than the document keeps, a record count that the records after it do
    // not match. German sentences in UTF-8, in the order met; empty where the file read
    // as it stands. Every load sets it anew.
    std::vector<std::string> LoadNotes;

    // Appends the file's records to Data and puts the cursor on the first record, so it
    // is called on a fresh document. A name ending in .raf, in any case, is read as a
    // record file, any other name as a text file (FileKindOf).
    void LoadFromFile(const std::string &FileName);
    // The same for bytes already in memory. ftTXT reads them as a text file, ftRAF and
    // ftWRAF alike as a record file, ftPMIROLA reads nothing; errors and messages are
    // those of LoadFromFile. A record file tells its edition by its header filler, not
    // by the type passed: the Windows edition's converted texts come back as OEM.
    void LoadFromBytes(std::string_view Bytes, tMirolaFType Filetype);
    void SaveToFile(const std::string &FileName, tMirolaFType Filetype);
    // The bytes that SaveToFile writes, byte for byte; empty for ftPMIROLA. Posts the
    // buffer first, as SaveToFile does.
    std::string SaveToString(tMirolaFType Filetype);

    void First();
    void Prior();
    void Next();
    void Last();
    void MoveBy(std::int32_t Distance);
    // Appends NewRecord() and puts the cursor on it.
    void Add();
    // Removes the current record, unless it is the only one, and puts the cursor on
    // the last record, not on the neighbour of the removed one.
    void Delete();
    void Post();

    // The record Add appends: Schwarzer Peter, level "a", no texts, its Index the
    // place it takes at the end.
    TMirolaDatensatz NewRecord() const;

    // Changes of the record list. Each checks its arguments first: a position or
    // range outside the list raises the list-index error before anything changes.
    // Each then posts the buffer, as every cursor operation does, so that edits not
    // yet posted go with their record, and ends with the cursor on the place of the
    // change. An empty change (no records, a range of none) does nothing at all, as
    // Prior on the first record does: the buffer is not posted.

    // Inserts `Records` before position `Position`, 0 to Count(); Count() appends.
    // The cursor ends on the first inserted record.
    void InsertRecords(std::int32_t Position, TRecordList Records);
    // Removes the `Number` records from `First` on and gives them back as they were,
    // the buffer's edits included. The cursor ends on the record that followed them,
    // or on the last record when they ended the list. Removing every record leaves
    // an empty document: cursor 0 and the buffer a record with nothing set, as a
    // new document has.
    TRecordList RemoveRecords(std::int32_t First, std::int32_t Number);
    // Makes `Record` the record at `Position` as the window has it: the cursor goes
    // there as a cursor operation goes, posting the buffer, and the buffer takes the
    // record. It reaches the list with the next post, as every edit of the buffer
    // does: storing the window's form goes through here.
    void ReplaceRecord(std::int32_t Position, const TMirolaDatensatz &Record);
    // Moves the `Number` records from `First` on so that the first of them stands at
    // `To` afterwards, `To` being 0 to Count() - Number; their order stays, and so
    // does that of the others. The cursor ends on the first moved record at its new
    // place, also when `To` is `First` and nothing moves.
    void MoveRecords(std::int32_t First, std::int32_t Number, std::int32_t To);

    std::int32_t Count() const { return static_cast<std::int32_t>(Data.size()); }

private:
    void GetRecord(std::int32_t position);
    void PutRecord(std::int32_t position);
    // Raises the list-index error unless `First` to `First` + `Number` - 1 lie in the
    // list; it names the first position outside, or `Number` when that is negative.
    void CheckRange(std::int32_t First, std::int32_t Number) const;

    void Load(TByteSource &source, tMirolaFType Filetype);
    // Refuses, before anything is written, a document that the format cannot hold.
    void CheckSavable(tMirolaFType Filetype) const;
    void Write(TByteSink &out, tMirolaFType Filetype) const;

    void ReadText(TByteSource &source);
    void WriteText(TByteSink &out) const;
    void ReadRaf(TByteSource &source);
    void WriteDosRaf(TByteSink &out) const;
    void WriteWinRaf(TByteSink &out) const;
    void WriteRaf(TByteSink &out, bool windowsEdition) const;
};

// A code as one byte of a file; one that does not fit a byte shows as '?'.
inline char CodeByte(char16_t code)
{
    return code <= 0xFF ? static_cast<char>(code) : '?';
}

// The level as the form takes it, A to D in either case: 0 to 3, anything else -1.
inline int LevelNumber(char16_t level)
{
    if (level >= u'a' && level <= u'd')
        return level - u'a';
    if (level >= u'A' && level <= u'D')
        return level - u'A';
    return -1;
}

// The answer a right-answer code names, 0 to 4, or -1. A capital letter names the
// same answer as the small one, though the form writes only small ones.
inline int RightAnswerSlot(char16_t code)
{
    if (code >= u'a' && code <= u'e')
        return code - u'a';
    if (code >= u'A' && code <= u'E')
        return code - u'A';
    return -1;
}

// Record `i` as the window has it: the current one is the buffer, which may hold
// edits not yet posted into the list.
inline const TMirolaDatensatz &RecordAsEdited(const TMirolaFile &doc, std::size_t i)
{
    return static_cast<std::int32_t>(i) == doc.Index ? doc.DatRec : doc.Data[i];
}
