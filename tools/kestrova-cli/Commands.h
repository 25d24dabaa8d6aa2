#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrova {
class GlyphTable;
}

namespace kestrova::cli {

using Args = std::vector<std::string>;

// Each command returns the process exit status; errors go to err.
int runOcrCommand(const Args& args, std::ostream& out, std::ostream& err);
int runTablesCommand(const Args& args, std::ostream& out, std::ostream& err);
// The companion files (database list, buddies, profiles) are those in `directory`.
int runScanCommand(const Args& args, const std::filesystem::path& directory, std::ostream& out,
                   std::ostream& err);
int runOpenCommand(const Args& args, std::ostream& out, std::ostream& err);

// The glyph table of `file`, or the shipped tables when it is empty; nullopt
// after telling err why when the table came out empty. A file that could not
// be read is named on err and left out.
std::optional<GlyphTable> loadGlyphs(const std::string& file, std::ostream& err);

}  // namespace kestrova::cli
