#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace kestrova {

// Where a shipped data file (glyph tables, icons, pictures, default layouts) is
// found: the working directory first, as the user may keep a table of his own
// there, then the folder named by $KESTROVA_DATA_DIR, then the data folder that
// belongs to the running program (see dataFolders()). When no folder has the
// file, the path in the first data folder is returned, so that an error names
// the place the file was expected.
std::filesystem::path findDataFile(std::string_view name);

// The folders shipped data is looked for in after the working directory and
// $KESTROVA_DATA_DIR: "share/kestrova" in the executable's folder or up to
// three folders above it. That is <prefix>/share/kestrova for an installed
// program in <prefix>/bin, and <build>/share/kestrova for every program and
// test of a build tree (the build links it to the source tree's data folder).
std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& executable);

// The running program's executable; empty when the platform cannot tell.
std::filesystem::path executablePath();

}  // namespace kestrova
