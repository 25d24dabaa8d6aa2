#include "records/DatabaseEntry.h"

namespace kestrova {

bool isPostgresKind(std::int32_t kind) {
    switch (static_cast<DatabaseKind>(kind)) {
        case DatabaseKind::PokerTracker2Postgres:
        case DatabaseKind::HoldemManager:
        case DatabaseKind::PokerTracker3:
        case DatabaseKind::Elephant:
        case DatabaseKind::HoldemManagerMonthly:
            return true;
        case DatabaseKind::PokermanagerFirebird:
        case DatabaseKind::PokerOfficeMysql:
        case DatabaseKind::PokerTracker2Access:
            return false;
    }
    return false;
}

}  // namespace kestrova
