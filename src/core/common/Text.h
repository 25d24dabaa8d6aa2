#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// Small text helpers every layer shares, independent of the C locale (Qt
// switches it to the desktop's, which would change tolower and the C library's
// number readers).

// Without leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

// Without leading and trailing white space (blanks, line breaks, vertical tabs
// and form feeds).
std::string_view trimWhiteSpace(std::string_view text);

// The integer a text starts with, as the private-profile integer read and a
// C-style decimal conversion see it: optional blanks, an optional sign, then
// the leading decimal digits; 0 when there are none. Wraps like a 32-bit
// register on overflow, so a garbled text never overflows.
int leadingInteger(std::string_view text);

char lowerAscii(char c);
// The text with its ASCII letters in lower case, as SQLite's NOCASE compares.
std::string lowerAsciiText(std::string_view text);

// Equal, or ordered, ignoring the case of ASCII letters; other bytes compare
// as they are.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);
bool lessIgnoringAsciiCase(std::string_view a, std::string_view b);

// Equal ignoring the case of every letter: UTF-8 texts compare by Unicode's
// simple case folding of each character ("Élan" equals "éLAN"); bytes that
// are no UTF-8 compare as they are.
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Whether the bytes are UTF-8 throughout (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view text);

}  // namespace kestrova
