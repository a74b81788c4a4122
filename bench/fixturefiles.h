#pragma once
// The large question files every benchmark works on, made once per run in a
// temporary folder: a text file of 9999 records (the most the text format holds) and
// a record file of 100000.
#include <string>

struct TFixtureFiles {
    std::string Folder, Text, Raf;

    TFixtureFiles();
    ~TFixtureFiles();
};

TFixtureFiles &Files();

// Runs a shell command the way a user would, for timing it beside the program.
void RunCommand(const std::string &command);
