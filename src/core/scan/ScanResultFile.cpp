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
                     const std::vector<std::shared_ptr<PlayerStats>>& rows) {
    std::string text;
    for (const std::shared_ptr<PlayerStats>& row : rows) {
        for (const std::string* field :
             {&row->table, &row->name, &row->stack, &row->hands, &row->won, &row->vpip, &row->pfr,
              &row->af, &row->wtsd, &row->wonSd}) {
            text += *field;
            text += ';';
        }
        text += '\n';
    }
    return writeFileAtomically(file, text);
}

}  // namespace kestrova
