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

bool rowLess(const SortRule& rule, int column, const CellText& a, const CellText& b) {
    const auto less = [&rule](const std::string& x, const std::string& y) {
        switch (rule.kind) {
            case SortKind::Text:
                return x < y;
            case SortKind::Name:
                return lessIgnoringAsciiCase(x, y);
            case SortKind::Integer:
                return leadingInteger(x) < leadingInteger(y);
            case SortKind::Amount:
                return stackAmount(x) < stackAmount(y);
            case SortKind::IntegerAfterFirst:
                return leadingInteger(withoutFirst(x)) < leadingInteger(withoutFirst(y));
            case SortKind::Number:
                return leadingNumber(x) < leadingNumber(y);
        }
        return false;
    };
    for (const int c : {column, rule.thenBy[0], rule.thenBy[1]}) {
        if (c < 0)
            break;
        const std::string x = a(c);
        const std::string y = b(c);
        if (less(x, y))
            return true;
        if (less(y, x))
            return false;
    }
    return false;
}

}  // namespace kestrova
