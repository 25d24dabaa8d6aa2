#include "client/lobby/GlyphTables.h"

#include "common/AtomicFile.h"
#include "common/DataFiles.h"
#include "common/FileContents.h"

namespace kestrova {

GlyphTable loadGlyphTables(const std::filesystem::path& userFolder,
                           std::vector<std::string>* problems) {
    GlyphTable table;
    std::vector<std::filesystem::path> files{findDataFile("ocr.txt"), findDataFile("ocr2.txt")};
    std::error_code ec;
    if (!userFolder.empty() && !std::filesystem::equivalent(files.back(), userFolder / "ocr2.txt", ec)) {
        files.push_back(userFolder / "ocr2.txt");
    }
    for (const std::filesystem::path& file : files) {
        std::string problem;
        table.readFile(file, &problem);
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
    if (bytes.size() > GlyphTable::kMaxFileBytes) {
        if (error != nullptr) {
            *error = target.string() + ": the learnt glyphs would make the table larger than " +
                     std::to_string(GlyphTable::kMaxFileBytes / (1024 * 1024)) +
                     " MiB, more than can be read back; nothing was saved";
        }
        return false;
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
