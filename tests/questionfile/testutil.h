#pragma once
// Small fixtures shared by the core's tests: a scratch folder, file bytes, records.
#include <functional>
#include <string>

#include "mirolafile.h"

class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    std::string Path(const std::string &name) const { return FPath + "/" + name; }
    const std::string &Root() const { return FPath; }

private:
    std::string FPath;
};

void WriteBytes(const std::string &path, const std::string &bytes);
std::string ReadBytes(const std::string &path);
bool Exists(const std::string &path);
// Names in the folder, sorted; to show that no temporary file was left behind.
std::string ListFolder(const std::string &folder);

// A device node of the test's own folder, the same device as /dev/zero, for tests of
// what is done with a device: a faulty writer replaces this node and nothing of the
// machine's, and bytes written into it vanish. A link to /dev/zero itself would let
// a writer that follows links replace the machine's device when the suite runs as
// root. Only root may make a node; false where it may not.
bool MakeZeroDevice(const std::string &path);

TMirolaDatensatz MakeRecord(char16_t letter, char16_t level, const std::string &q1, const std::string &comment = {},
                            std::initializer_list<std::string> answers = {});

// Checks every field a file holds: codes, comment, question lines, answers.
void ExpectSameRecord(const TMirolaDatensatz &expected, const TMirolaDatensatz &actual);

// A document of `count` records numbered in their first question line.
TMirolaFile MakeDocument(int count);

// A document whose records differ in every field, non-ASCII texts and empty ones
// included, so that a record read from the wrong place shows.
TMirolaFile MakeMixedDocument(int count);

// What a load raises, or "" when it succeeds.
std::string LoadError(TMirolaFile &doc, const std::string &path);
std::string LoadBytesError(TMirolaFile &doc, const std::string &bytes, tMirolaFType type);
std::string SaveError(TMirolaFile &doc, const std::string &path, tMirolaFType type = ftTXT);

// Runs `work` in a forked child and returns what it returned; for tests that need a
// private mount or another user without touching the test process.
std::string InChild(const std::function<std::string()> &work);

// InChild with a deadline: a child still at work after `seconds` is killed and the
// result is "timed out", so that a test of something that must not block fails
// instead of hanging the suite. A child that ends abnormally adds "[child failed]".
std::string InChildWithin(int seconds, const std::function<std::string()> &work);
