#include "client/lobby/GlyphTables.h"

#include "common/AtomicFile.h"
#include "common/DataFiles.h"
#include "common/FileContents.h"

namespace kestrova {

namespace {

// Whether the table's records, read as the reader reads them (blank lines where
// a signature is due skipped), end with a signature that has no text.
bool endsInUnpairedSignature(std::string_view bytes) {
    bool signatureDue = true;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end;
        std::string_view line = bytes.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!signatureDue || !line.empty()) {
            signatureDue = !signatureDue;
        }
        start = end + 1;
    }
    return !signatureDue;
}

// The file a table's path names: a link is written through, not replaced
// (followed a few links deep, whether its file exists yet or not).
std::filesystem::path throughLinks(std::filesystem::path file) {
    for (int depth = 0; depth < 8; ++depth) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(file, ec)) {
            break;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(file, ec);
        if (ec) {
            break;
        }
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

}  // namespace

GlyphTable loadGlyphTables(const std::filesystem::path& userFolder,
                           std::vector<std::string>* problems) {
    GlyphTable table;
    std::vector<std::filesystem::path> files{findDataFile("ocr.txt"), findDataFile("ocr2.txt")};
    std::error_code ec;
    if (!userFolder.empty() && !std::filesystem::equivalent(files.back(), userFolder / "ocr2.txt", ec)) {
        files.push_back(userFolder / "ocr2.txt");
    }
    // A table drawn from the client's installed font knows every glyph of it;
    // another font's shapes would only make its touching glyphs ambiguous.
    // Only its settings are looked at first: a user's table may be large.
    std::string userProblem;
    if (GlyphTable::settingsIn(files.back(), &userProblem).font && userProblem.empty()) {
        return GlyphTable::load(files.back());
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
                      const std::filesystem::path& linkedTarget, bool fromCurrent,
                      std::string* error) {
    const std::filesystem::path target = throughLinks(linkedTarget);
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
    const std::string& bytes = contents.bytes;
    if (endsInUnpairedSignature(bytes)) {
        if (error != nullptr) {
            *error = target.string() + ": its last line is a signature without its text, so "
                                       "glyphs added after it would be read out of step; remove "
                                       "or complete that line; nothing was saved";
        }
        return false;
    }
    // The pairs go after the file's bytes as they are: a table of many MB is
    // not copied to add a few lines to it.
    std::string added;
    if (!bytes.empty() && bytes.back() != '\n') {
        added += '\n';
    }
    for (const GlyphTable::Entry& entry : entries) {
        added.append(entry.signature).append(1, '\n').append(entry.text).append(1, '\n');
    }
    if (bytes.size() + added.size() > GlyphTable::kMaxFileBytes) {
        if (error != nullptr) {
            *error = target.string() + ": the learnt glyphs would make the table larger than " +
                     std::to_string(GlyphTable::kMaxFileBytes / (1024 * 1024)) +
                     " MiB, more than can be read back; nothing was saved";
        }
        return false;
    }
    return writeFileAtomically(target, {bytes, added}, error);
}

bool saveFontTable(const std::vector<GlyphTable::Entry>& entries,
                   const std::filesystem::path& linkedTarget, std::string* error) {
    const std::filesystem::path target = throughLinks(linkedTarget);
    std::string bytes;
    for (const GlyphTable::Entry& entry : entries) {
        bytes += entry.signature + '\n' + entry.text + '\n';
    }
    const FileContents current = readWholeFile(target, GlyphTable::kMaxFileBytes);
    if (current.read() && current.bytes == bytes) {
        return true;
    }
    if (current.read() && !current.bytes.empty()) {
        if (!GlyphTable::settingsIn(target).font) {
            std::filesystem::path backup = target;
            backup += ".bak";
            if (!writeFileAtomically(backup, current.bytes, error)) {
                return false;
            }
        }
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
