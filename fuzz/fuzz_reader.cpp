// Feeds arbitrary bytes to a reader, then writes what it read in every format, so
// that damaged files cannot crash loading or the saving that follows it.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "errors.h"
#include "mirolafile.h"

#ifndef FUZZ_EXTENSION
#error "FUZZ_EXTENSION selects the reader"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::string path = "/tmp/kelmor-fuzz-" + std::to_string(::getpid()) + FUZZ_EXTENSION;
    if (FILE *f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    TMirolaFile doc;
    try {
        doc.LoadFromFile(path);
    } catch (const EMirolaError &) {
        return 0;
    }
    for (const tMirolaFType type : {ftTXT, ftRAF, ftWRAF}) {
        try {
            doc.SaveToFile("/dev/null", type);
        } catch (const EMirolaError &) {
        }
    }
    doc.Next();
    doc.Add();
    doc.Delete();
    return 0;
}
