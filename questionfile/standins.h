#pragma once
// Readable stand-ins for the typographic characters that office programs write and
// the DOS code page 850 lacks: curly quotes, primes, dashes, the ellipsis, the euro
// sign, single guillemets and the special blanks. Without them each would become "?".
// The no-break space needs none: code page 850 holds it (byte 255).
#include <string>
#include <string_view>

// The stand-in of one character ("…" gives "..."); empty where there is none, and for
// every character code page 850 holds.
std::string_view StandInFor(char32_t u);

// A text in code page 850 and what its conversion had to change.
struct TOemText {
    std::string Oem;          // longer than the text where a stand-in is ("€" is "EUR")
    std::u32string Replaced;  // characters given their stand-in, each once, in the order met
    std::u32string Lacking;   // characters stored as "?", each once, in the order met
};

// Text as a QString holds it (UTF-16; a surrogate pair is one character, a lone
// surrogate one lacking character) into code page 850, with stand-ins.
TOemText Utf16ToOem(std::u16string_view text);
// Windows-1252 into code page 850: as AnsiToOemStr, but with stand-ins where that page
// has them and code page 850 does not (0x80 to 0x9F).
TOemText AnsiToOemWithStandIns(std::string_view ansi);

// A character as a note quotes it, in German quotes and UTF-8: „€“; one that cannot be
// seen (a control character, a special blank) by its number: „U+0081“, „U+2009“.
std::string QuotedCharacter(char32_t u);

// The note on characters given their stand-in, UTF-8: "Zeichen „…“ „–“ als „...“ „-“
// gespeichert"; with `place` "Zeichen „…“ in Frage 1 als „...“ gespeichert". Empty
// where nothing was replaced.
std::string StandInNote(std::u32string_view replaced, std::string_view place = {});
