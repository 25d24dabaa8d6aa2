#pragma once

#include <cstdint>
#include <string>

namespace kestrova {

// Which tracking program wrote a database; the number is stored in "db.conf".
enum class DatabaseKind : std::int32_t {
    PokerTracker2Postgres = 0,
    PokermanagerFirebird = 1,
    PokerOfficeMysql = 2,
    PokerTracker2Access = 3,
    HoldemManager = 4,
    PokerTracker3 = 5,
    Elephant = 6,
    HoldemManagerMonthly = 7,  // found at connect time, never stored
};

bool isPostgresKind(std::int32_t kind);

// One configured tracking database.
struct DatabaseEntry {
    std::string host;
    std::string port = "5432";
    std::string database;  // database name, or the path of an .mdb/.fdb file
    std::string user;
    std::string password;
    std::string position;  // 1-based position in the list, as text
    bool active = true;
    std::int32_t kind = static_cast<std::int32_t>(DatabaseKind::PokerTracker3);

    bool operator==(const DatabaseEntry&) const = default;
};

}  // namespace kestrova
