#include "scan/ScanResultFile.h"

#include "common/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace kestrova {

std::string ScanResultWrite::message() const {
    return "Unable to write the scan result to " + path + ": " + reason;
}

ScanResultWrite writeScanResult(const std::string& savedPath,
                                const std::vector<std::shared_ptr<PlayerStats>>& rows) {
    ScanResultWrite result;
    result.path = savedPath;
    if (savedPath.empty()) {
        result.path = "\"\"";
        result.reason = "no folder is saved in dir.conf";
        return result;
    }
    const std::filesystem::path folder(savedPath);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(folder, error);
    if (!std::filesystem::is_directory(status)) {
        result.reason = std::filesystem::exists(status) ? "not a folder"
                        : error && error != std::errc::no_such_file_or_directory
                            ? error.message()
                            : std::strerror(ENOENT);
        return result;
    }
    const std::filesystem::path file = folder / kScanResultFileName;
    result.path = file.string();
    std::string text;
    for (const std::shared_ptr<PlayerStats>& row : rows) {
        for (const std::string& field :
             {row->table, row->name, row->stack, handsText(*row), figureText(row->won),
              figureText(row->vpip), figureText(row->pfr), figureText(row->af),
              figureText(row->wtsd), wonSdText(*row)}) {
            text += field;
            text += ';';
        }
        text += '\n';
    }
    std::string why;
    result.written = writeFileAtomically(file, text, &why);
    if (!result.written) {
        // The path is in the message already.
        const std::string prefix = file.string() + ": ";
        result.reason = why.starts_with(prefix) ? why.substr(prefix.size()) : why;
    }
    return result;
}

}  // namespace kestrova
