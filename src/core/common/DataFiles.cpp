#include "common/DataFiles.h"

#include <cstdlib>
#include <system_error>

#ifndef KESTROVA_DATA_DIR
#define KESTROVA_DATA_DIR "data"
#endif

namespace kestrova {

std::filesystem::path builtInDataDir() {
    return std::filesystem::path(KESTROVA_DATA_DIR);
}

std::filesystem::path findDataFile(std::string_view name) {
    std::error_code ec;
    const std::filesystem::path local(name);
    if (std::filesystem::exists(local, ec))
        return local;
    if (const char* dir = std::getenv("KESTROVA_DATA_DIR"); dir && *dir) {
        const std::filesystem::path candidate = std::filesystem::path(dir) / name;
        if (std::filesystem::exists(candidate, ec))
            return candidate;
    }
    return builtInDataDir() / name;
}

}  // namespace kestrova
