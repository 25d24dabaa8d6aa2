#include "sql/SqlConnection.h"

#include "common/Text.h"

namespace kestrova {

std::optional<std::string> withParametersWritten(
    std::string_view statement, const std::vector<std::string>& parameters,
    const std::function<std::optional<std::string>(const std::string&)>& literal) {
    std::string text;
    std::size_t next = 0;
    for (const char c : statement) {
        if (c != '?' || next >= parameters.size()) {
            text += c;
            continue;
        }
        const std::optional<std::string> written = literal(parameters[next++]);
        if (!written)
            return std::nullopt;
        text += *written;
    }
    return text;
}

std::string inBraces(const std::string& value) {
    std::string quoted = "{";
    for (const char c : value) {
        quoted += c;
        if (c == '}')
            quoted += '}';
    }
    return quoted + "}";
}

std::optional<std::string_view> SqlRow::value(std::size_t column) const {
    if (column >= values_.size() || !values_[column])
        return std::nullopt;
    return std::string_view(*values_[column]);
}

std::optional<std::string_view> SqlRow::value(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size() && i < values_.size(); ++i) {
        if (equalIgnoringAsciiCase(names_[i], name))
            return value(i);
    }
    return std::nullopt;
}

}  // namespace kestrova
