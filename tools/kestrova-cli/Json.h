#pragma once

#include <string>
#include <string_view>

namespace kestrova::cli {

// A JSON string literal, quotes included; bytes from the screen may be anything,
// so control characters are escaped and invalid UTF-8 is passed through as Latin-1.
std::string jsonString(std::string_view text);

}  // namespace kestrova::cli
