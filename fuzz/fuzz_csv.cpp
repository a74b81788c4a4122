// Feeds arbitrary bytes to the spreadsheet reader. Whatever it took from them must
// survive the writer: written and read again, the same records come back with
// nothing to note, since the reader already made every row fit.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "csvformat.h"
#include "errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    TCsvReadResult read;
    try {
        read = ReadCsv(bytes);
    } catch (const EMirolaError &) {
        return 0;
    }
    if (read.Changes.empty() != CsvChangeSummary(read.Changes).empty())
        std::abort();
    // Notes on the header's columns name row 1, the others a row after it.
    for (const TCsvChange &change : read.Changes)
        if (change.Row < 1 || change.What.empty())
            std::abort();

    TMirolaFile doc;
    doc.InsertRecords(0, read.Records);
    const TCsvReadResult back = ReadCsv(WriteCsv(doc));
    if (back.Records != read.Records || !back.Changes.empty())
        std::abort();
    return 0;
}
