#pragma once
// The large question files every benchmark works on, made once per run in a
// temporary folder: a text file of 9999 records (the most the text format holds) and
// a record file of 100000.
#include <string>
#include <vector>

struct TFixtureFiles {
    std::string Folder, Text, Raf;

    TFixtureFiles();
    ~TFixtureFiles();
};

TFixtureFiles &Files();

// Runs a shell command the way a user would, for timing it beside the program.
void RunCommand(const std::string &command);
// Runs a program with its output thrown away, without a shell in between: a
// program's own time, as `hyperfine -N` takes it.
void RunProgram(const std::vector<std::string> &arguments);
