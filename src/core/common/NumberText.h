#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// Figures travel as display texts; these turn them into numbers the same way
// everywhere, independent of the C locale (a German desktop must not turn
// "12.50" into 12).

// The whole text, white space around it allowed, as a decimal number; nullopt
// when it is not one (empty, "N/A", "12abc", inf or nan).
std::optional<double> parseNumber(std::string_view text);

// The shortest text that reads back as the same number, whatever the locale;
// a whole number keeps one decimal so that it reads as the decimal it is.
std::string decimalText(double value);

// parseNumber, with 0 for a text that is not a number.
double numberOrZero(std::string_view text);

// The whole text as a decimal integer, 0 when it is not one ("12.5" is not).
int integerOrZero(std::string_view text);

// A chip count as the screen or a list cell shows it: "$1,250.50", "1250.50",
// "€80". A leading currency sign is dropped only when it is not part of the
// number (so "1250.50" keeps its first digit), thousands commas are removed,
// and the leading number is taken; 0 when there is none.
double stackAmount(std::string_view text);

// The big blind of a stakes text: the part after its last "$" or "/"
// (whichever comes later; the whole text when it has neither) as a number.
// "$1/$2" gives 2, "NL $0.10/$0.25" 0.25. Nullopt when that part is not a
// number or is not above 0, so a stack-in-big-blinds test cannot divide by 0.
std::optional<double> bigBlindOf(std::string_view stakes);

}  // namespace kestrova

namespace kestrova {

// A figure with exactly two decimals ("23.50"), whatever the C locale. A value
// that rounds to zero is "0.00", never "-0.00"; inf and nan are "0.00" too.
std::string twoDecimals(double value);

// A number truncated towards zero, clamped to the int range (nan gives 0).
int truncatedInt(double value);

}  // namespace kestrova
