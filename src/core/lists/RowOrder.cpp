#include "lists/RowOrder.h"

#include "common/NumberText.h"
#include "common/Text.h"

#include <charconv>

namespace kestrova {

namespace {

std::string withoutFirst(const std::string& text) {
    return text.empty() ? text : text.substr(1);
}

}  // namespace

// The C library's readers follow the desktop's locale, which Qt switches on:
// "12.50" would read as 12 on a German desktop. This reads the leading number
// the same way everywhere.
double leadingNumber(const std::string& text) {
    std::string_view v = trimWhiteSpace(text);
    if (v.starts_with('+'))
        v.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), value);
    (void)end;
    return error == std::errc() ? value : 0.0;
}

bool rowLess(RowSortMode mode, int column, const CellText& a, const CellText& b) {
    const int key = column + static_cast<int>(mode);
    switch (key) {
        case 0:
        case 2:
        case 100:
            return lessIgnoringAsciiCase(a(column), b(column));
        case 1:
        case 6:
            return leadingInteger(a(column)) < leadingInteger(b(column));
        case 5:
        case 104:
            // Stacks and pots: a currency sign in front is dropped, a leading digit is not.
            return stackAmount(a(column)) < stackAmount(b(column));
        case 101:
        case 102:
            return leadingInteger(withoutFirst(a(column))) <
                   leadingInteger(withoutFirst(b(column)));
        case 110:
            for (int c : {column, column + 1, column - 5}) {
                const double x = leadingNumber(a(c));
                const double y = leadingNumber(b(c));
                if (x != y)
                    return x < y;
            }
            return false;
        default:
            break;
    }
    if ((key >= 7 && key <= 21) || (key >= 105 && key <= 108) || key == 112 || key == 113)
        return leadingNumber(a(column)) < leadingNumber(b(column));
    return a(column) < b(column);
}

}  // namespace kestrova
