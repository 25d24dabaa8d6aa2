#include "stats/SqlConnection.h"

#include "common/Text.h"

namespace kestrova {

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
