#pragma once

#include <string_view>

namespace kestrova {

// Section and key names of the INI file match ignoring ASCII case.
bool iniNamesEqual(std::string_view a, std::string_view b);

// The integer value of a stored text as the private-profile integer read and a
// C-style decimal conversion see it: optional blanks, an optional sign, then
// the leading decimal digits; 0 when there are none. Wraps like a 32-bit
// register on overflow.
int leadingInteger(std::string_view text);

// Without leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

}  // namespace kestrova
