#include "scan/ScanResultFile.h"

#include "common/AtomicFile.h"

#include <system_error>

namespace kestrova {

std::filesystem::path scanResultFile(const std::string& savedPath) {
    const std::filesystem::path path(savedPath);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return path / "scanresult.txt";
    return path;
}

bool writeScanResult(const std::filesystem::path& file,
                     const std::vector<WholePlayerRowTexts>& rows) {
    static constexpr int kColumns[] = {0, 2, 5, 6, 7, 9, 10, 11, 12, 13};
    std::string text;
    for (const WholePlayerRowTexts& row : rows) {
        for (int c : kColumns) {
            text += row[static_cast<std::size_t>(c)];
            text += ';';
        }
        text += '\n';
    }
    return writeFileAtomically(file, text);
}

}  // namespace kestrova
