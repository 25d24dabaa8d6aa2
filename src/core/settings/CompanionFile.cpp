#include "settings/CompanionFile.h"

#include "common/AtomicFile.h"
#include "common/BinaryReader.h"

namespace kestrova {

std::optional<std::string> readCompanionFile(const std::filesystem::path& directory,
                                             std::string_view fileName) {
    return readFileBounded(companionPath(directory, fileName), kMaxCompanionFileBytes);
}

bool writeCompanionFile(const std::filesystem::path& directory, std::string_view fileName,
                        std::string_view bytes) {
    return writeFileAtomically(companionPath(directory, fileName), bytes);
}

}  // namespace kestrova
