// Makes the benchmarks' large files in a folder of their own and prints its name, for
// the start-up timing that runs outside the benchmark program.
#include <cstdio>
#include <filesystem>

#include "fixturefiles.h"

int main()
{
    const TFixtureFiles &files = Files();
    const std::string keep = files.Folder + "-start";
    std::filesystem::rename(files.Folder, keep);
    std::filesystem::create_directory(files.Folder);  // for the destructor to remove
    std::printf("%s\n", keep.c_str());
    return 0;
}
