#include "mirolafile.h"

#include "errors.h"

std::string FileExtension(const std::string &FileName)
{
    const auto slash = FileName.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = FileName.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return {};
    return FileName.substr(dot);
}

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

void TMirolaFile::Post() { PutRecord(Index); }

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

void TMirolaFile::Add()
{
    Post();
    TMirolaDatensatz record;
    record.theletter = u'x';
    record.level = u'a';
    record.Index = Count();
    Data.push_back(record);
    Index = Count() - 1;
    GetRecord(Index);
}

void TMirolaFile::Delete()
{
    Post();
    if (Data.size() <= 1)
        return;
    Data.erase(Data.begin() + Index);
    Index = Count() - 1;
    GetRecord(Index);
}

void TMirolaFile::LoadFromFile(const std::string &FileName)
{
    std::string ext = FileExtension(FileName);
    for (char &c : ext)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (ext == ".RAF")
        ReadRaf(FileName);
    else
        ReadText(FileName);
    Index = 0;
    GetRecord(0);
}

void TMirolaFile::SaveToFile(const std::string &FileName, tMirolaFType Filetype)
{
    Post();
    switch (Filetype) {
    case ftTXT: WriteText(FileName); break;
    case ftRAF: WriteDosRaf(FileName); break;
    case ftWRAF: WriteWinRaf(FileName); break;
    case ftPMIROLA: break;
    }
}
