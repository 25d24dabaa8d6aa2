#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

#include "records/DatabaseList.h"

namespace kestrova {

// What a change of "db.conf" came to: saved, or the reason nothing was.
struct DatabaseListEdit {
    bool saved = false;
    std::string problem;
    std::size_t size = 0;  // entries in the list saved
};

// Changes "db.conf" in `directory` while other programs may change it too: the
// list is read whole under the file's lock, changed, and saved whole before
// the lock is let go. `change` returns why it refuses, or empty; a refusal, a
// lock that cannot be taken or a damaged file saves nothing.
DatabaseListEdit editDatabaseList(const std::filesystem::path& directory,
                                  const std::function<std::string(DatabaseList&)>& change);

}  // namespace kestrova
