#include "lists/RowOrder.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace kestrova {

namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string withoutFirst(const std::string& text) { return text.empty() ? text : text.substr(1); }

}  // namespace

double leadingNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

long leadingInteger(const std::string& text) { return std::strtol(text.c_str(), nullptr, 10); }

bool rowLess(RowSortMode mode, int column, const CellText& a, const CellText& b)
{
    const int key = column + static_cast<int>(mode);
    switch (key) {
    case 0:
    case 2:
    case 100:
        return lessIgnoringCase(a(column), b(column));
    case 1:
    case 6:
        return leadingInteger(a(column)) < leadingInteger(b(column));
    case 5:
    case 104:
        return leadingNumber(withoutFirst(a(column))) < leadingNumber(withoutFirst(b(column)));
    case 101:
    case 102:
        return leadingInteger(withoutFirst(a(column))) < leadingInteger(withoutFirst(b(column)));
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
    if ((key >= 7 && key <= 20) || (key >= 105 && key <= 108) || key == 112)
        return leadingNumber(a(column)) < leadingNumber(b(column));
    return a(column) < b(column);
}

}  // namespace kestrova
