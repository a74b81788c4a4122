#pragma once
// The one crossing between the document's OEM bytes and the window's text. The
// controls work in the Windows ANSI code page (1252); everything the document holds
// passes through these two functions on its way in and out.
#include <QString>
#include <string>
#include <string_view>

QString OemToQString(std::string_view oem);

// Characters that code page 1252 cannot hold become '?', one byte each, so a text
// keeps its length in characters.
std::string QStringToOem(const QString &text);
