#pragma once

#include <filesystem>
#include <string_view>

namespace kestrova {

// Where a shipped data file (glyph tables, icons, pictures) is found: the working
// directory first, as the user may keep a table of his own there, then the folder
// named by $KESTROVA_DATA_DIR, then the installed data folder.
std::filesystem::path findDataFile(std::string_view name);

// The folder tried last: the data/ folder this build was made from.
std::filesystem::path builtInDataDir();

}  // namespace kestrova
