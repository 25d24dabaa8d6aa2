#pragma once

#include "PostgresServer.h"
#include "records/DatabaseEntry.h"

#include <string>

namespace kestrova::test {

// An active database entry that logs into `database` on the test server.
inline DatabaseEntry trackerEntry(const PostgresServer& server, const std::string& database,
                                  DatabaseKind kind) {
    DatabaseEntry entry;
    entry.host = std::string(PostgresServer::kHost);
    entry.port = server.portText();
    entry.database = database;
    entry.user = std::string(PostgresServer::kUser);
    entry.password = std::string(PostgresServer::kPassword);
    entry.kind = static_cast<std::int32_t>(kind);
    entry.active = true;
    return entry;
}

}  // namespace kestrova::test
