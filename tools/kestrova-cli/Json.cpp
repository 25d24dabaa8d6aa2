#include "Json.h"

#include <cmath>

namespace kestrova::cli {

std::string jsonText(const nlohmann::json& value, int indent) {
    return value.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string jsonText(const nlohmann::ordered_json& value, int indent) {
    return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

double rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

std::string jsonString(std::string_view text) {
    return jsonText(nlohmann::json(std::string(text)));
}

}  // namespace kestrova::cli
