#include "mirolafile.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <sys/mman.h>

#include "errors.h"
#include "filepaths.h"
#include "filestreams.h"
#include "safefilewriter.h"

void TMirolaFile::GetRecord(std::int32_t position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= Data.size())
        RaiseListIndexError(position, Data.size());
    DatRec = Data[static_cast<std::size_t>(position)];
}

void TMirolaFile::PutRecord(std::int32_t position)
{
    if (Data.empty())
        return;
    if (position < 0 || static_cast<std::size_t>(position) >= Data.size())
        RaiseListIndexError(position, Data.size());
    Data[static_cast<std::size_t>(position)] = DatRec;
}

void TMirolaFile::Post()
{
    PutRecord(Index);
}

void TMirolaFile::First()
{
    Post();
    Index = 0;
    GetRecord(Index);
}

void TMirolaFile::Prior()
{
    if (Index <= 0)
        return;
    Post();
    --Index;
    GetRecord(Index);
}

void TMirolaFile::Next()
{
    if (Index >= Count() - 1)
        return;
    Post();
    ++Index;
    GetRecord(Index);
}

void TMirolaFile::Last()
{
    Post();
    Index = Count() - 1;
    GetRecord(Index);
}

void TMirolaFile::MoveBy(std::int32_t Distance)
{
    Post();
    // Widened so that a far jump cannot overflow before it is held inside the list.
    long long target = static_cast<long long>(Index) + Distance;
    if (target < 0)
        target = 0;
    if (target > Count() - 1)
        target = Count() - 1;
    Index = static_cast<std::int32_t>(target);
    GetRecord(Index);
}

namespace {

constexpr std::size_t kLargePage = std::size_t(2) << 20;

}  // namespace

void *AllocateRecordRoom(std::size_t bytes)
{
    if (bytes < kLargePage)
        return ::operator new(bytes);
    // Whole large pages, so that none is shared with other data.
    const std::size_t whole = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void *room = ::operator new(whole, std::align_val_t(kLargePage));
#ifdef MADV_HUGEPAGE
    // Advice only: the kernel may give small pages all the same.
    ::madvise(room, whole, MADV_HUGEPAGE);
#endif
    return room;
}

void ReleaseRecordRoom(void *room, std::size_t bytes) noexcept
{
    if (bytes < kLargePage)
        ::operator delete(room);
    else
        ::operator delete(room, std::align_val_t(kLargePage));
}

TMirolaDatensatz TMirolaFile::NewRecord() const
{
    TMirolaDatensatz record;
    record.theletter = u'x';
    record.level = u'a';
    record.Index = Count();
    return record;
}

void TMirolaFile::Add()
{
    InsertRecords(Count(), TRecordList{NewRecord()});
}

void TMirolaFile::Delete()
{
    Post();
    if (Data.size() <= 1)
        return;
    RemoveRecords(Index, 1);
    Last();
}

void TMirolaFile::CheckRange(std::int32_t First, std::int32_t Number) const
{
    if (First < 0 || First > Count())
        RaiseListIndexError(First, Data.size());
    if (Number < 0)
        RaiseListIndexError(Number, Data.size());
    if (static_cast<long long>(First) + Number > Count())
        RaiseListIndexError(Count(), Data.size());
}

void TMirolaFile::InsertRecords(std::int32_t Position, TRecordList Records)
{
    CheckRange(Position, 0);
    if (Records.empty())
        return;
    Post();
    // A reader's records fill a fresh document without being copied.
    if (Data.empty())
        Data = std::move(Records);
    else
        Data.insert(Data.begin() + Position, std::make_move_iterator(Records.begin()),
                    std::make_move_iterator(Records.end()));
    Index = Position;
    GetRecord(Index);
}

TRecordList TMirolaFile::RemoveRecords(std::int32_t First, std::int32_t Number)
{
    CheckRange(First, Number);
    if (Number == 0)
        return {};
    Post();
    const auto begin = Data.begin() + First;
    TRecordList removed(std::make_move_iterator(begin), std::make_move_iterator(begin + Number));
    Data.erase(begin, begin + Number);
    if (Data.empty()) {
        Index = 0;
        DatRec = {};
        return removed;
    }
    Index = std::min(First, Count() - 1);
    GetRecord(Index);
    return removed;
}

void TMirolaFile::ReplaceRecord(std::int32_t Position, const TMirolaDatensatz &Record)
{
    if (Position < 0 || Position >= Count())
        RaiseListIndexError(Position, Data.size());
    Post();
    Index = Position;
    DatRec = Record;
}

void TMirolaFile::MoveRecords(std::int32_t First, std::int32_t Number, std::int32_t To)
{
    CheckRange(First, Number);
    if (To < 0 || To > Count() - Number)
        RaiseListIndexError(To, Data.size());
    if (Number == 0)
        return;
    Post();
    const auto at = [this](std::int32_t position) { return Data.begin() + position; };
    if (To < First)
        std::rotate(at(To), at(First), at(First + Number));
    else
        std::rotate(at(First), at(First + Number), at(To + Number));
    Index = To;
    GetRecord(Index);
}

void TMirolaFile::LoadFromFile(const std::string &FileName)
{
    TFileReader file(FileName);
    Load(file, FileKindOf(FileName) == TFileKind::Raf ? ftRAF : ftTXT);
}

void TMirolaFile::LoadFromBytes(std::string_view Bytes, tMirolaFType Filetype)
{
    TMemorySource bytes(Bytes);
    Load(bytes, Filetype);
}

void TMirolaFile::Load(TByteSource &source, tMirolaFType Filetype)
{
    LoadNotes.clear();
    switch (Filetype) {
    case ftTXT: ReadText(source); break;
    case ftRAF:
    case ftWRAF: ReadRaf(source); break;
    case ftPMIROLA: break;
    }
    Index = 0;
    GetRecord(0);
}

void TMirolaFile::CheckSavable(tMirolaFType Filetype) const
{
    if (Filetype == ftTXT && Data.size() > MaxTextRecords)
        throw EMirolaError(
            "Die Datei enthält mehr als 9999 Datensätze und kann nicht im Textformat gespeichert werden");
}

void TMirolaFile::Write(TByteSink &out, tMirolaFType Filetype) const
{
    switch (Filetype) {
    case ftTXT: WriteText(out); break;
    case ftRAF: WriteDosRaf(out); break;
    case ftWRAF: WriteWinRaf(out); break;
    case ftPMIROLA: break;
    }
}

void TMirolaFile::SaveToFile(const std::string &FileName, tMirolaFType Filetype)
{
    Post();
    // No file is created or changed when nothing is to be written.
    if (Filetype == ftPMIROLA)
        return;
    CheckSavable(Filetype);
    TSafeFileWriter file(FileName);
    Write(file, Filetype);
    file.Commit();
}

std::string TMirolaFile::SaveToString(tMirolaFType Filetype)
{
    Post();
    CheckSavable(Filetype);
    std::string bytes;
    TStringSink sink(bytes);
    Write(sink, Filetype);
    return bytes;
}
