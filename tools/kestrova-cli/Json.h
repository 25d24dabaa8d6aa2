#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace kestrova::cli {

// The text of a JSON value as the command line prints it. Names and texts come
// from files and the screen and may hold any bytes; an invalid UTF-8 sequence
// becomes U+FFFD, so that strict parsers accept every output.
std::string jsonText(const nlohmann::json& value, int indent = -1);
// Objects keep the order their fields were added in.
std::string jsonText(const nlohmann::ordered_json& value, int indent = -1);

// A figure to a number of decimals, as the commands print it.
double rounded(double value, int decimals);

// A JSON string literal, quotes included (same replacement as jsonText).
std::string jsonString(std::string_view text);

}  // namespace kestrova::cli
