#include "trackers/TrackerSource.h"

#include "common/MessageSink.h"
#include "trackers/AccessTrackerSource.h"
#include "trackers/ElephantSource.h"
#include "trackers/HoldemManagerSource.h"
#include "trackers/PokerOfficeSource.h"
#include "trackers/PokerTracker2Source.h"
#include "trackers/PokerTracker3Source.h"
#include "trackers/PokermanagerSource.h"

namespace kestrova {

void TrackerSource::failForPass(MessageKind kind, const std::string& message,
                                const std::string& reason, MessageSink& messages) {
    messages.showError(kind, message);
    passFailure_ = reason;
}

std::string_view trackerKindName(DatabaseKind kind) {
    switch (kind) {
        case DatabaseKind::PokerTracker2Postgres:
            return "PokerTracker 2";
        case DatabaseKind::PokermanagerFirebird:
            return "Pokermanager";
        case DatabaseKind::PokerOfficeMysql:
            return "PokerOffice";
        case DatabaseKind::PokerTracker2Access:
            return "PokerTracker 2 (Access)";
        case DatabaseKind::HoldemManager:
        case DatabaseKind::HoldemManagerMonthly:
            return "Holdem Manager";
        case DatabaseKind::PokerTracker3:
            return "PokerTracker 3";
        case DatabaseKind::Elephant:
            return "Elephant";
    }
    return {};
}

std::unique_ptr<TrackerSource> makeTrackerSource(DatabaseEntry entry,
                                                 const TrackerSourceContext& context) {
    switch (static_cast<DatabaseKind>(entry.kind)) {
        case DatabaseKind::PokerTracker2Postgres:
            return std::make_unique<PokerTracker2Source>(std::move(entry));
        case DatabaseKind::PokermanagerFirebird:
            return std::make_unique<PokermanagerSource>(std::move(entry));
        case DatabaseKind::PokerOfficeMysql:
            return std::make_unique<PokerOfficeSource>(std::move(entry));
        case DatabaseKind::PokerTracker2Access:
            return std::make_unique<AccessTrackerSource>(std::move(entry));
        case DatabaseKind::HoldemManager:
        case DatabaseKind::HoldemManagerMonthly:
            return std::make_unique<HoldemManagerSource>(std::move(entry), context.trace);
        case DatabaseKind::PokerTracker3:
            return std::make_unique<PokerTracker3Source>(std::move(entry), context.options);
        case DatabaseKind::Elephant:
            return std::make_unique<ElephantSource>(std::move(entry));
    }
    return nullptr;
}

}  // namespace kestrova
