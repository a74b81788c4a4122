#pragma once
// What the program remembers of files between runs, in its settings file: the files
// opened or saved last, and the folder the file dialogs start in.
#include <QString>
#include <string>
#include <vector>

inline constexpr int kMaxRecentFiles = 8;

// Full names in the system's bytes, newest first; a name need not be valid text, so
// it is kept as its bytes.
std::vector<std::string> RecentFiles();
// Puts the file at the top of the list, once, and makes its folder the one the file
// dialogs start in.
void NoteRecentFile(const std::string &fullLocalName);
void ForgetRecentFile(const std::string &fullLocalName);

// "&1 name" for the menu: the number is the item's access letter, an "&" in the name
// is shown as itself and a tab as a blank.
QString RecentFileCaption(int position, const std::string &fullLocalName);

// The folder the file dialogs start in when they propose no name; empty for none.
QString DialogFolder();
void SetDialogFolder(const QString &folder);
