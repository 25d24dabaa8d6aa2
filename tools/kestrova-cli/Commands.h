#pragma once

#include "sim/LobbyLayout.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace kestrova {
class GlyphTable;
}

namespace kestrova::cli {

struct ClientOptions;

// "ocr lobby|seats IMAGE [--glyphs FILE] [--child-top N]"
struct OcrArgs {
    bool seats = false;  // the seat names and chips, not the selected lobby row
    std::string image;
    std::string glyphFile;
    int childTop = sim::layout::kListWindowTop;  // the list window's top in the capture
};

// Each command returns the process exit status; errors go to err.
int runOcrCommand(const OcrArgs& args, std::ostream& out, std::ostream& err);
// The commands on the lobby run a session on the companion files (database
// list, buddies, profiles) in `directory`.
int runTablesCommand(const ClientOptions& options, const std::filesystem::path& directory,
                     std::ostream& out, std::ostream& err);
int runScanCommand(const ClientOptions& options, const std::filesystem::path& directory,
                   std::ostream& out, std::ostream& err);
int runOpenCommand(const std::string& name, const ClientOptions& options,
                   const std::filesystem::path& directory, std::ostream& out, std::ostream& err);

// The glyph table of `file`, or the shipped tables when it is empty; nullopt
// after telling err why when the table came out empty. A file that could not
// be read is named on err and left out.
std::optional<GlyphTable> loadGlyphs(const std::string& file, std::ostream& err);

}  // namespace kestrova::cli
