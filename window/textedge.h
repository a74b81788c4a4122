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

// The text as OEM bytes, but `original` itself where the text is still what showing
// `original` gave: bytes that the window's code page lacks survive a record that was
// only looked at.
std::string QStringToOemKeeping(const QString &text, std::string_view original);
