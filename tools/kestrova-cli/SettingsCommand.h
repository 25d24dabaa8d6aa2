#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrova {

class SettingsStore;

// "kestrova-cli settings ...": `args` are the words after "settings".
//   get KEY          the value as the main window reads it (integer or text,
//                    with the start-up default)
//   set KEY VALUE    stores the value; flags take 0 or 1, integer keys a decimal
//                    integer, typed numbers and texts anything on one line
//   list             every key of the key table as KEY=VALUE, in table order
// Returns 0 on success; 1 with a message on `err` for an unknown key, a value
// the key cannot take, bad usage or a failed write.
int runSettingsCommand(const std::vector<std::string>& args, SettingsStore& store,
                       std::ostream& out, std::ostream& err);

// The same over the user's settings file.
int runSettingsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kestrova
