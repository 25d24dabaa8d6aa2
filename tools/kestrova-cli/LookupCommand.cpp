#include "LookupCommand.h"

#include <algorithm>
#include <utility>

#include "Json.h"
#include "TrackerCliSupport.h"
#include "rating/BuddyList.h"
#include "records/DatabaseList.h"
#include "records/PlayerRecordList.h"
#include "settings/SettingsStore.h"
#include "trackers/TrackerLookup.h"

namespace kestrova {

namespace {

// "known": whether any database has a hand of the player; the figures of an
// unknown player are all zeros and would otherwise pass for a real record.
// "failed": the databases that could not be asked, when others answered.
void printRecord(std::ostream& out, const PlayerStats& r,
                 const std::vector<TrackerLookup::Failure>& failed) {
    nlohmann::ordered_json record;
    record["name"] = r.name;
    record["known"] = r.hands != "0";
    record["buddyIndex"] = r.buddyIndex;
    record["icon"] = r.icon;
    const std::pair<const char*, const std::string*> texts[] = {
        {"vpip", &r.vpip},
        {"af", &r.af},
        {"flopAf", &r.flopAf},
        {"turnAf", &r.turnAf},
        {"riverAf", &r.riverAf},
        {"hands", &r.hands},
        {"table", &r.table},
        {"wtsd", &r.wtsd},
        {"wonSd", &r.wonSd},
        {"won", &r.won},
        {"seat", &r.seat},
        {"pfr", &r.pfr},
        {"stack", &r.stack},
        {"attToSteal", &r.attToSteal},
        {"foldSbToSteal", &r.foldSbToSteal},
        {"foldBbToSteal", &r.foldBbToSteal},
        {"contiBetFlop", &r.contiBetFlop},
        {"threeBetCap", &r.threeBetCap},
    };
    for (const auto& [key, text] : texts) {
        record[key] = *text;
    }
    if (!failed.empty()) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const auto& failure : failed)
            list.push_back({{"database", failure.database}, {"reason", failure.reason}});
        record["failed"] = std::move(list);
    }
    out << cli::jsonText(record) << '\n';
}

}  // namespace

int runLookupCommand(const LookupArgs& args, const std::filesystem::path& directory,
                     const SettingsStore& settings, std::ostream& out, std::ostream& err) {
    const auto databases = cli::loadDatabases(directory, err);
    if (!databases)
        return 1;
    // Without a database every player would come out as an unknown one.
    if (std::none_of(databases->begin(), databases->end(),
                     [](const DatabaseEntry& entry) { return entry.active; })) {
        err << "kestrova-cli lookup: no active database in "
            << (directory / std::string(DatabaseList::kFileName)).string() << '\n';
        return 1;
    }
    cli::StreamMessageSink messages(err);
    // The buddy mark comes from "mofofish" as in the main window; a missing file
    // is an empty list, an unreadable one keeps the names before the damage.
    BuddyList buddies(directory);
    buddies.loadBuddies();
    PlayerRecordList records;
    TrackerLookup lookup(*databases, settings, &buddies, records, TraceLog::off());
    if (!lookup.connectDatabases(messages))
        return 1;
    const auto record = lookup.lookupPlayer(args.name, args.stack, args.seat, messages);
    const auto failed = lookup.failedDatabases();
    lookup.disconnectDatabases();
    // Databases that failed have said why on standard error. The record is
    // printed only when every other message was one of theirs and some
    // database answered: its "failed" list then names the ones left out.
    const auto active = static_cast<std::size_t>(std::count_if(
        databases->begin(), databases->end(), [](const DatabaseEntry& e) { return e.active; }));
    if (record == nullptr || static_cast<std::size_t>(messages.count()) != failed.size() || failed.size() >= active)
        return 1;
    printRecord(out, *record, failed);
    return 0;
}

}  // namespace kestrova
