#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace kestrova {

// "kestrova-cli buddies ...": works on "mofofish" in `directory`, through the
// same code as the "Buddylist" menu.
//   list              every buddy, one per line, in list order
//   add NAME          appends NAME unless it is a buddy already (ignoring case)
//   remove NAME       removes the first buddy equal to NAME ignoring case
//   import FILE.csv   appends every name of the file not in the list yet and
//                     prints "<count> buddies successfully imported."
//   export FILE.csv   writes one name per line (".csv" appended when missing)
enum class BuddiesVerb { List, Add, Remove, Import, Export };

// `argument` is the NAME or FILE.csv (empty for list).
// Returns 0 on success. Returns 1 with a message on `err` for a name already
// there (add) or missing (remove), a file that cannot be read or written, or a
// damaged "mofofish": list then still prints the names before the damage,
// while the other commands change nothing, since saving would drop the rest.
int runBuddiesCommand(BuddiesVerb verb, const std::string& argument,
                      const std::filesystem::path& directory, std::ostream& out, std::ostream& err);

}  // namespace kestrova
