#pragma once

#include "records/DatabaseEntry.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// Logs in to PostgreSQL databases as a test, off the GUI thread and all at
// once, each bounded by `timeout`: an unreachable host costs seconds, not the
// system's minutes of TCP retries. Meanwhile the windows keep painting but take
// no input, under a busy cursor. Per entry: nothing when the login worked,
// else "Connection to database failed: ..." with the password's characters
// hidden.
std::vector<std::optional<std::string>> testConnections(const std::vector<DatabaseEntry>& entries,
                                                        std::chrono::milliseconds timeout);

}  // namespace kestrova
