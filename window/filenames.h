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

// A name in the system's bytes for showing only: bytes that are no valid text come
// out as replacement characters and cannot be turned back.
QString DisplayName(const std::string &localName);

// FullPathOf for a name in the system's bytes, which need not be valid text.
std::string FullLocalPathOf(const std::string &localName);

// The core's AsciiUpper and AsciiLower over a whole text: the letters A to Z only.
QString AsciiUpper(const QString &text);
QString AsciiLower(const QString &text);
