#include "client/lobby/GlyphTables.h"

#include "common/AtomicFile.h"
#include "common/DataFiles.h"
#include "common/FileContents.h"

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

bool saveLearntGlyphs(const std::vector<GlyphTable::Entry>& entries,
                      const std::filesystem::path& target, bool fromCurrent, std::string* error) {
    std::error_code ec;
    const std::filesystem::path base =
        std::filesystem::exists(target, ec) || !fromCurrent ? target : findDataFile("ocr2.txt");
    FileContents contents = readWholeFile(base, GlyphTable::kMaxFileBytes);
    if (contents.failed()) {
        if (error != nullptr) {
            *error = contents.error;
        }
        return false;
    }
    std::string bytes = std::move(contents.bytes);
    if (!bytes.empty() && bytes.back() != '\n') {
        bytes += '\n';
    }
    for (const GlyphTable::Entry& entry : entries) {
        bytes += entry.signature + '\n' + entry.text + '\n';
    }
    return writeFileAtomically(target, bytes, error);
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
