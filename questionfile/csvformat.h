#pragma once
// Questions to and from spreadsheets. Kelmor writes CSV as spreadsheet programs take
// it best (UTF-8 with a byte order mark, commas, RFC 4180 quoting, CRLF) and reads
// what they write (with or without the mark, Windows-1252 where the bytes are no
// UTF-8, comma or semicolon, quoted line breaks, LF or CRLF, columns in any order).
// A spreadsheet holds only the records: the header texts of a question file are not
// in it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "mirolafile.h"

// The column names of the header row, in the order Kelmor writes them.
inline constexpr std::string_view CsvColumns[] = {"Nr",        "Code",      "Level",     "Frage 1",
                                                  "Frage 2",   "Frage 3",   "Kommentar", "Antwort a",
                                                  "Antwort b", "Antwort c", "Antwort d", "Antwort e"};

// The records of `doc` as a CSV file, its texts converted from code page 850 to UTF-8.
// The current record is written as its buffer holds it, edits not yet posted included.
std::string WriteCsv(const TMirolaFile &doc);
// The same into a named file, written as every file is: the old one survives a failure.
void WriteCsvFile(const TMirolaFile &doc, const std::string &fileName);

// Something the reader had to change to make a row fit a question file.
struct TCsvChange {
    std::size_t Row = 0;  // as the spreadsheet counts it: the header row is row 1
    std::string What;     // German, UTF-8

    friend bool operator==(const TCsvChange &, const TCsvChange &) = default;
};

struct TCsvReadResult {
    // One record per row, at most MaxTextRecords; texts in code page 850.
    TRecordList Records;
    // Every change, in the order of the rows; empty when every row fitted as it stood.
    std::vector<TCsvChange> Changes;
};

// Reads the records of a CSV file. A missing Code column gives "x", a missing Level
// column "A", a missing text column empty texts; Nr is ignored. What does not fit (a
// text longer than its field, a character code page 850 lacks, a line break inside a
// field, more than five answers, more than MaxTextRecords rows) is taken as far as it
// fits and noted in Changes, as is every other change: a typographic character given
// its stand-in, a column whose name is not known, cells without a column. A question
// cell too long for its line flows on into the next question lines where their cells
// are empty. A file without a header row of known column names is refused with an
// EMirolaError and a German message.
TCsvReadResult ReadCsv(std::string_view bytes);
// The same from a named file, which is read as the other formats are: regular files
// only, never blocking on a FIFO.
TCsvReadResult ReadCsvFile(const std::string &fileName);
// The same from any source, such as standard input.
TCsvReadResult ReadCsvFrom(TByteSource &source);

// A spreadsheet of 9999 full rows is a few megabytes; a file far beyond that is no
// question list, and reading it whole would only take the memory. The readers refuse
// a larger one without reading it whole.
inline constexpr std::size_t kMaxCsvBytes = std::size_t(256) << 20;

// A table's records as the records of `doc`, a fresh document, with its cursor on the
// first. A table of no rows gives one new record, as a new file has.
void TakeCsvRecords(TMirolaFile &doc, TRecordList records);

// One German summary of the changes for the user: the first ten with their rows, and
// how many more there are. Empty when there is none.
std::string CsvChangeSummary(const std::vector<TCsvChange> &changes);
