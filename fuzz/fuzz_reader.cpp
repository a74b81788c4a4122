// Feeds arbitrary bytes to a reader, checks the questions it read, then writes them
// in every format, so that damaged files cannot crash loading, the check or the
// saving that follows. What the writers write must read back: the same number of
// records from the text format, and from the record format a document that writes
// the very same bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "errors.h"
#include "mirolafile.h"
#include "questioncheck.h"

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

// The record count that a text file announces in its second line, read as the text
// reader reads it (a few texts it refuses read as numbers here; they are only skipped).
long AnnouncedCount(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\x1A'));
    const auto firstLineEnd = bytes.find('\n');
    if (firstLineEnd == std::string_view::npos)
        return 0;
    std::string field;
    for (const char c : bytes.substr(firstLineEnd + 1)) {
        if (c == '\n' || field.size() == 5)
            break;
        if (c != '\r')
            field += c;
    }
    return field.size() < 2 ? 0 : std::strtol(field.c_str() + 1, nullptr, 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    // Records announced beyond what the bytes can fill (ten line ends each) come as
    // empty records past the end: a short input announcing thousands costs a thousand
    // times as much and shows nothing that a few of them do not.
    if (FUZZ_FORMAT == ftTXT && AnnouncedCount(bytes) > static_cast<long>(size / 10))
        return 0;
    TMirolaFile doc;
    try {
        doc.LoadFromBytes(bytes, FUZZ_FORMAT);
    } catch (const EMirolaError &) {
        return 0;
    }
    // The question check reads whatever a file held: any level or code, texts of any
    // bytes. Every finding names a record of the document.
    for (const TCheckFinding &finding : CheckQuestions(doc)) {
        if (finding.Record < 1 || finding.Record > doc.Count() || finding.Reason.empty())
            std::abort();
    }
    for (const tMirolaFType type : {ftTXT, ftRAF, ftWRAF}) {
        std::string written;
        try {
            written = doc.SaveToString(type);
        } catch (const EMirolaError &) {
            continue;
        }
        if (type != ftWRAF)
            ExpectReadsBack(doc, written, type);
    }
    doc.Next();
    doc.Add();
    doc.Delete();
    return 0;
}
