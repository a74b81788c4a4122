#pragma once
// File names as the window handles them and as the question-file core takes them.
#include <QString>
#include <string>

// The extension from the last dot of the last path component on, dot included;
// empty when that component has no dot.
QString ExtensionOf(const QString &fileName);

// The name made absolute against the current directory, "." and ".." resolved, the
// file system not consulted.
QString FullPathOf(const QString &fileName);

// The name in the system's encoding of file names.
std::string LocalFileName(const QString &fileName);

// Capitals for the letters A to Z only.
QString AsciiUpper(const QString &text);
QString AsciiLower(const QString &text);
