#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>

namespace kestrova {

// "kestrova-cli db ...": works on "db.conf" and the port files in `directory`.
// Each returns 0 on success; 1 with a message on `err` for a value the files
// cannot hold (a text over 99 bytes), a failed write, or a damaged "db.conf":
// list then still prints the entries before the damage, while add and remove
// change nothing, since saving would drop the rest. Add and remove change the
// list under its lock (editDatabaseList).

// Every entry as a JSON array, one object per line:
//   {"index":1,"kind":5,"host":"...","port":5432,"db":"...","user":"...","active":true}
// (never the password); index is the 1-based list position.
int runDbList(const std::filesystem::path& directory, std::ostream& out, std::ostream& err);

// "add --kind N --host H [--port P] --db D --user U [--password W | --password-stdin]
// [--inactive]": appends an entry and prints its index; no connection test.
struct DbAddArgs {
    int kind = 0;  // 0..6
    std::string host;
    int port = 5432;
    std::string database;
    std::string user;
    std::string password;
    // The password is the first line of `in`, so that it never shows in the process list.
    bool passwordFromInput = false;
    bool active = true;
};
int runDbAdd(const DbAddArgs& args, const std::filesystem::path& directory, std::istream& in,
             std::ostream& out, std::ostream& err);

// "remove INDEX": removes the entry at that 1-based index; port files of
// entries that no longer exist stay on disk, as the program leaves them.
int runDbRemove(int index, const std::filesystem::path& directory, std::ostream& err);

}  // namespace kestrova
