// Feeds arbitrary bytes to a reader, then writes what it read in every format, so
// that damaged files cannot crash loading or the saving that follows it. What the
// writers write must read back: the same number of records from the text format,
// and from the record format a document that writes the very same bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "errors.h"
#include "mirolafile.h"

#ifndef FUZZ_FORMAT
#error "FUZZ_FORMAT selects the reader: ftTXT or ftRAF"
#endif

namespace {

void ExpectReadsBack(const TMirolaFile &doc, const std::string &bytes, tMirolaFType type)
{
    TMirolaFile back;
    try {
        back.LoadFromBytes(bytes, type);
    } catch (const EMirolaError &) {
        std::abort();  // every document the writers accept holds at least one record
    }
    if (back.Count() != doc.Count())
        std::abort();
    if (type != ftTXT && back.SaveToString(type) != bytes)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TMirolaFile doc;
    try {
        doc.LoadFromBytes(std::string_view(reinterpret_cast<const char *>(data), size), FUZZ_FORMAT);
    } catch (const EMirolaError &) {
        return 0;
    }
    for (const tMirolaFType type : {ftTXT, ftRAF, ftWRAF}) {
        std::string bytes;
        try {
            bytes = doc.SaveToString(type);
        } catch (const EMirolaError &) {
            continue;
        }
        if (type != ftWRAF)
            ExpectReadsBack(doc, bytes, type);
    }
    doc.Next();
    doc.Add();
    doc.Delete();
    return 0;
}
