#include "common/DataFiles.h"

#include <system_error>

namespace kestrova {

std::filesystem::path executablePath() {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
}

}  // namespace kestrova
