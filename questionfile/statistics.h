#pragma once
// The figures of a question file that the file information shows.
#include <array>

class TMirolaFile;

struct TFileStatistics {
    int Questions = 0;
    std::array<int, 4> Levels{};  // leicht, mittel, schwer, ultraschwer
    int SchwarzePeter = 0;
};

// Counts the records of `doc`, the current one as its buffer holds it: the buffer
// may hold edits not yet posted into the list.
TFileStatistics CountQuestions(const TMirolaFile &doc);
