#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace kestrova {

class SettingsStore;

// "kestrova-cli lookup NAME [--stack TEXT] [--seat TEXT]": reads "db.conf" and
// the port files from `directory`, connects to every active PostgreSQL tracker,
// looks the name up as a scan does and prints the record as one JSON object:
//   {"name":"...","buddyIndex":-1,"icon":0,"vpip":"25.00",...,"threeBetCap":"0.00"}
// (every value a text but buddyIndex and icon; buddyIndex from the buddy list
// "mofofish" in `directory`). Stack and seat default to "-", as for a player not
// read from a table. Writes no trace file.
// Returns 0 with the record; 1 with the text of the message box on `err` when
// a database failed (or for a damaged "db.conf").
struct LookupArgs {
    std::string name;
    std::string stack = "-";
    std::string seat = "-";
};
int runLookupCommand(const LookupArgs& args, const std::filesystem::path& directory,
                     const SettingsStore& settings, std::ostream& out, std::ostream& err);

}  // namespace kestrova
