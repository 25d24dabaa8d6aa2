#include "common/DataFiles.h"

#include <cstdlib>
#include <system_error>

namespace kestrova {

namespace {

// <prefix>/bin holds the installed programs; a build tree keeps them up to
// three folders deep (build/tests/core/records).
constexpr int kLevelsAboveExecutable = 3;

bool isFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& executable) {
    std::vector<std::filesystem::path> folders;
    if (executable.empty())
        return folders;
    std::filesystem::path dir = executable.parent_path();
    for (int level = 0; level <= kLevelsAboveExecutable && !dir.empty(); ++level) {
        const std::filesystem::path candidate = dir / "share" / "kestrova";
        if (std::error_code ec; std::filesystem::is_directory(candidate, ec))
            folders.push_back(candidate);
        if (dir == dir.root_path())
            break;
        dir = dir.parent_path();
    }
    return folders;
}

std::filesystem::path findDataFile(std::string_view name) {
    const std::filesystem::path local(name);
    if (isFile(local))
        return local;
    if (const char* dir = std::getenv("KESTROVA_DATA_DIR"); dir && *dir) {
        const std::filesystem::path candidate = std::filesystem::path(dir) / name;
        if (isFile(candidate))
            return candidate;
    }
    static const std::vector<std::filesystem::path> folders = dataFolders(executablePath());
    for (const std::filesystem::path& folder : folders) {
        if (isFile(folder / name))
            return folder / name;
    }
    return folders.empty() ? local : folders.front() / name;
}

}  // namespace kestrova
