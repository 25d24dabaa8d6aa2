#include "common/NumberText.h"

#include "common/Text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kestrova {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsNumber(char c) {
    return isDigit(c) || c == '.' || c == '-' || c == '+';
}

// Parses a number at the start of text; `used` tells how many characters it took.
std::optional<double> leadingDouble(std::string_view text, std::size_t& used) {
    used = 0;
    std::size_t start = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        start = 1;
    }
    // from_chars would also take "inf" and "nan", which no figure is.
    if (start >= text.size() || !(isDigit(text[start]) || text[start] == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    used = static_cast<std::size_t>(end - text.data());
    return negative ? -value : value;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    const std::string_view number = trimWhiteSpace(text);
    std::size_t used = 0;
    const std::optional<double> value = leadingDouble(number, used);
    if (!value || used != number.size()) {
        return std::nullopt;
    }
    return value;
}

double numberOrZero(std::string_view text) {
    return parseNumber(text).value_or(0.0);
}

int integerOrZero(std::string_view text) {
    const std::string_view number = trimWhiteSpace(text);
    const std::size_t start = number.starts_with('+') ? 1 : 0;
    if (start < number.size() && !isDigit(number[start]) && number[start] != '-') {
        return 0;
    }
    if (start == 1 && number.size() > 1 && number[1] == '-') {
        return 0;
    }
    int value = 0;
    const char* last = number.data() + number.size();
    const auto [end, error] = std::from_chars(number.data() + start, last, value);
    if (error != std::errc() || end != last || number.empty()) {
        return 0;
    }
    return value;
}

double stackAmount(std::string_view text) {
    std::string_view rest = trimWhiteSpace(text);
    // A currency sign (one byte like "$" or several like a UTF-8 "€") is not
    // part of the number; a digit, a point or a sign is.
    while (!rest.empty() && !startsNumber(rest.front())) {
        rest.remove_prefix(1);
    }
    std::string digits;
    digits.reserve(rest.size());
    for (char c : rest) {
        if (c != ',') {
            digits.push_back(c);
        }
    }
    std::size_t used = 0;
    return leadingDouble(digits, used).value_or(0.0);
}

std::optional<double> bigBlindOf(std::string_view stakes) {
    const std::size_t cut = stakes.find_last_of("$/");
    const std::string_view tail = cut == std::string_view::npos ? stakes : stakes.substr(cut + 1);
    const std::optional<double> blind = parseNumber(tail);
    if (!blind || *blind <= 0) {
        return std::nullopt;
    }
    return blind;
}

}  // namespace kestrova

namespace kestrova {

std::string twoDecimals(double value) {
    if (!std::isfinite(value)) {
        value = 0;
    }
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (error != std::errc()) {
        return "0.00";  // only for values too large for any figure
    }
    const std::string text(buffer, end);
    // A tiny loss or rounding error gives "-0.00"; nothing was lost there.
    return text == "-0.00" ? "0.00" : text;
}

int truncatedInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

std::string decimalText(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

}  // namespace kestrova
