#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace kestrova {

// "kestrova-cli db ...": `args` are the words after "db". Works on "db.conf"
// and the port files in `directory` (the working directory by default).
//   list       every entry as a JSON array, one object per line:
//              {"index":1,"kind":5,"host":"...","port":5432,"db":"...","user":"...","active":true}
//              (never the password); index is the 1-based list position
//   add --kind N --host H [--port P] --db D --user U [--password W | --password-stdin]
//       [--inactive]
//              appends an entry (kind 0..6, port 1..65535, default 5432; active
//              unless --inactive) and prints its index; no connection test.
//              --password-stdin reads the password as the first line of `in`,
//              so that it never shows in the process list
//   remove INDEX
//              removes the entry at that 1-based index; port files of entries
//              that no longer exist stay on disk, as the program leaves them
// Returns 0 on success. Returns 1 with a message on `err` for bad usage, a
// value the files cannot hold (a text over 99 bytes), a failed write, or a
// damaged "db.conf": list then still prints the entries before the damage,
// while add and remove change nothing, since saving would drop the rest.
// A read-modify-write holds the lock of DatabaseList::lockTarget throughout.
int runDbCommand(const std::vector<std::string>& args, const std::filesystem::path& directory,
                 std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kestrova
