#pragma once

#include "SessionTypes.h"

#include <optional>
#include <string>

namespace kestrova::cli {

// A picture file (PNG, BMP, ...) as a capture; nothing when it cannot be read.
std::optional<Image> readImageFile(const std::string& path);

}  // namespace kestrova::cli
