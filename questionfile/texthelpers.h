#pragma once
// Small text helpers shared by the file formats and the window.
#include <cstdint>
#include <string>
#include <string_view>

// DOS code page 850 <-> Windows-1252, byte for byte: the result is as long as the
// argument, and a character the other page lacks becomes '?'.
std::string OemToAnsiStr(std::string_view text);
std::string AnsiToOemStr(std::string_view text);

// The two 256-byte tables behind the conversions, for checking them.
const unsigned char *OemToAnsiTable();
const unsigned char *AnsiToOemTable();

// OEM text as UTF-8, for messages printed outside the window.
std::string OemToUtf8(std::string_view text);
// One character as UTF-8 at the end of `out`.
void AppendUtf8(std::string &out, char32_t u);

// One character between code page 850, Windows-1252 and Unicode. Every byte of both
// pages has its character (the control bytes stand for themselves); UnicodeToOem
// gives -1 for a character code page 850 lacks.
char32_t OemToUnicode(unsigned char b);
int UnicodeToOem(char32_t u);
char32_t AnsiToUnicode(unsigned char b);

// The letters A to Z in the other case and every other character as it is, in
// whatever character type: the program's own words (extensions, column names,
// switches, the file marker) are ASCII whatever code page surrounds them.
template <class TChar>
constexpr TChar AsciiUpper(TChar c)
{
    return c >= 'a' && c <= 'z' ? static_cast<TChar>(c - 'a' + 'A') : c;
}
template <class TChar>
constexpr TChar AsciiLower(TChar c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<TChar>(c - 'A' + 'a') : c;
}

// The small letter of an OEM byte, for comparing texts without regard to case: the
// ASCII letters and those of code page 850 that it holds in both cases (Ä, É, Ø, ...);
// any other byte as it is.
char OemLowerCase(char c);

// The decimal text of n brought to exactly `width` characters: zeros in front of a
// shorter text, only the last `width` characters of a longer one.
std::string ZeroPadStr(int width, std::int32_t n);

// The text without its first character; empty for a text shorter than two characters.
// Only the first 255 characters of the argument take part, as the game's own tools did.
std::string StripFirstChar(std::string_view text);
