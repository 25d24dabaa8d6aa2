#pragma once

#include "common/AtomicFile.h"

#include <filesystem>
#include <string>

namespace kestrova {

// A rewrite's temporary file is ".NAME." plus this many characters, beside NAME.
inline constexpr std::size_t kTemporarySuffixLength = 6;

inline std::string temporaryPrefix(const std::filesystem::path& file) {
    return "." + file.filename().string() + ".";
}

// What the installed probe says about the next step: 0 when it may run.
int probeAtomicWrite(AtomicWriteStep step);

}  // namespace kestrova
