#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrova::cli {

using Args = std::vector<std::string>;

// Each command returns the process exit status; errors go to err.
int runOcrCommand(const Args& args, std::ostream& out, std::ostream& err);
int runTablesCommand(const Args& args, std::ostream& out, std::ostream& err);
int runScanCommand(const Args& args, std::ostream& out, std::ostream& err);
int runOpenCommand(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace kestrova::cli
