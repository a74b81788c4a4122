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

// The first character of `text` that the document cannot hold, as it stands in the
// text (a pair of surrogates for a character beyond the basic plane), and what it
// becomes when stored; both empty when every character comes back as typed.
struct TLostCharacter {
    QString Typed;
    QString Stored;
};
TLostCharacter FirstLostCharacter(const QString &text);
