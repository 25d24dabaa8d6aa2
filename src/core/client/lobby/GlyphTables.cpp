#include "client/lobby/GlyphTables.h"

#include "common/DataFiles.h"

namespace kestrova {

GlyphTable loadGlyphTables(std::vector<std::string>* problems) {
    GlyphTable table;
    for (const char* name : {"ocr.txt", "ocr2.txt"}) {
        std::string problem;
        table.readFile(findDataFile(name), &problem);
        if (!problem.empty() && problems != nullptr) {
            problems->push_back(std::move(problem));
        }
    }
    return table;
}

std::string emptyGlyphTableReason(const std::vector<std::string>& problems,
                                  const std::filesystem::path& file) {
    std::string reason;
    for (const std::string& problem : problems) {
        reason += (reason.empty() ? "" : "; ") + problem;
    }
    if (!reason.empty()) {
        return reason;
    }
    const std::filesystem::path shown = file.empty() ? findDataFile("ocr.txt") : file;
    std::error_code error;
    return shown.string() +
           (std::filesystem::exists(shown, error) ? ": holds no glyph pairs" : ": no such file");
}

}  // namespace kestrova
