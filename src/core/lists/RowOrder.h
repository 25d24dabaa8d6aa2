#pragma once

#include <array>
#include <functional>
#include <string>

namespace kestrova {

// How a list column orders its rows, by the texts the rows show.
enum class SortKind {
    Text,               // byte order
    Name,               // ignoring the case of ASCII letters
    Integer,            // the leading whole number
    Amount,             // stacks and pots: a currency sign in front is dropped, a digit is not
    IntegerAfterFirst,  // the whole number after the first character ("$2/$4" sorts as 2)
    Number,             // the leading number; texts that are not numbers count as 0
};

struct SortRule {
    SortKind kind = SortKind::Text;
    // Columns compared next, by the same kind, while the rows tie; -1: none.
    std::array<int, 2> thenBy{-1, -1};
};

using CellText = std::function<std::string(int column)>;

// Whether row a comes before row b when the list sorts by `column` under `rule`.
bool rowLess(const SortRule& rule, int column, const CellText& a, const CellText& b);

// The leading number of a text, as the C library reads it; 0 when there is none.
// (Whole numbers: leadingInteger in common/Text.h.)
double leadingNumber(const std::string& text);

}  // namespace kestrova
