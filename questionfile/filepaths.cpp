#include "filepaths.h"

#include <algorithm>

#include "texthelpers.h"

std::string FolderOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileExtension(const std::string &FileName)
{
    const auto slash = FileName.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = FileName.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return {};
    return FileName.substr(dot);
}

std::string BaseNameOf(const std::string &path)
{
    const std::string name = NameOf(path);
    return name.substr(0, name.size() - FileExtension(name).size());
}

namespace {

struct TKindByExtension {
    std::string_view Extension;
    TFileKind Kind;
};

constexpr TKindByExtension kKindsByExtension[] = {
    {".mfd", TFileKind::Text}, {".dat", TFileKind::Text}, {".raf", TFileKind::Raf},
    {".csv", TFileKind::Csv},  {".txt", TFileKind::Txt},
};

}  // namespace

TFileKind FileKindOfExtension(std::string_view extension)
{
    for (const TKindByExtension &entry : kKindsByExtension) {
        if (std::equal(extension.begin(), extension.end(), entry.Extension.begin(), entry.Extension.end(),
                       [](char a, char b) { return AsciiLower(a) == b; }))
            return entry.Kind;
    }
    return TFileKind::Other;
}

TFileKind FileKindOf(const std::string &fileName)
{
    return FileKindOfExtension(FileExtension(fileName));
}

std::string TableTitle(const std::string &fileName)
{
    return BaseNameOf(fileName);
}
