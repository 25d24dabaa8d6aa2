#include "LookupCommand.h"

#include "Json.h"
#include "TrackerCliSupport.h"
#include "rating/BuddyList.h"
#include "settings/SettingsStore.h"
#include "stats/PlayerRecordList.h"
#include "stats/TrackerLookup.h"

namespace kestrova {

namespace {

constexpr const char* kUsage = "usage: kestrova-cli lookup NAME [--stack TEXT] [--seat TEXT]\n";

void field(std::ostream& out, const char* key, const std::string& value, bool last = false) {
    out << '"' << key << "\":" << cli::jsonString(value) << (last ? "" : ",");
}

void printRecord(std::ostream& out, const PlayerStats& r) {
    out << '{';
    field(out, "name", r.name);
    out << "\"buddyIndex\":" << r.buddyIndex << ",\"icon\":" << r.icon << ',';
    field(out, "vpip", r.vpip);
    field(out, "af", r.af);
    field(out, "flopAf", r.flopAf);
    field(out, "turnAf", r.turnAf);
    field(out, "riverAf", r.riverAf);
    field(out, "hands", r.hands);
    field(out, "table", r.table);
    field(out, "wtsd", r.wtsd);
    field(out, "wonSd", r.wonSd);
    field(out, "won", r.won);
    field(out, "seat", r.seat);
    field(out, "pfr", r.pfr);
    field(out, "stack", r.stack);
    field(out, "attToSteal", r.attToSteal);
    field(out, "foldSbToSteal", r.foldSbToSteal);
    field(out, "foldBbToSteal", r.foldBbToSteal);
    field(out, "contiBetFlop", r.contiBetFlop);
    field(out, "threeBetCap", r.threeBetCap, true);
    out << "}\n";
}

}  // namespace

int runLookupCommand(const std::vector<std::string>& args, const std::filesystem::path& directory,
                     const SettingsStore& settings, std::ostream& out, std::ostream& err) {
    std::string name;
    bool haveName = false;
    std::string stack = "-";
    std::string seat = "-";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--stack" || args[i] == "--seat") && i + 1 < args.size()) {
            (args[i] == "--stack" ? stack : seat) = args[i + 1];
            ++i;
        } else if (!haveName && (args[i].rfind("--", 0) != 0 || args[i].size() == 2)) {
            name = args[i];
            haveName = true;
        } else {
            err << kUsage;
            return 1;
        }
    }
    if (!haveName) {
        err << kUsage;
        return 1;
    }
    const auto databases = cli::loadDatabases(directory, err);
    if (!databases)
        return 1;
    cli::StreamMessageSink messages(err);
    // The buddy mark comes from "mofofish" as in the main window; a missing file
    // is an empty list, an unreadable one keeps the names before the damage.
    BuddyList buddies(directory);
    buddies.loadBuddies();
    PlayerRecordList records;
    TrackerLookup lookup(*databases, settings, &buddies, records, TraceLog::off());
    if (!lookup.connectDatabases(messages))
        return 1;
    const auto record = lookup.lookupPlayer(name, stack, seat, messages);
    lookup.disconnectDatabases();
    if (record == nullptr || messages.count() > 0)
        return 1;
    printRecord(out, *record);
    return 0;
}

int runLookupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const SettingsStore settings(SettingsStore::defaultPath());
    return runLookupCommand(args, std::filesystem::current_path(), settings, out, err);
}

}  // namespace kestrova
