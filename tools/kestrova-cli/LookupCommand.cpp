#include "LookupCommand.h"

#include <algorithm>
#include <utility>

#include "HeadlessSession.h"
#include "Json.h"

namespace kestrova {

namespace {

// "known": whether any database has a hand of the player; the figures of an
// unknown player are all zeros and would otherwise pass for a real record.
// "failed": the databases that could not be asked, when others answered.
void printRecord(std::ostream& out, const PlayerStats& r,
                 const std::vector<job_event::PlayerLookedUp::Failure>& failed) {
    nlohmann::ordered_json record;
    record["name"] = r.name;
    record["known"] = r.hands != 0;
    record["buddyIndex"] = r.buddyIndex;
    record["icon"] = r.icon;
    // The figures as the lists show them, texts as ever.
    const std::pair<const char*, std::string> texts[] = {
        {"vpip", figureText(r.vpip)},
        {"af", figureText(r.af)},
        {"flopAf", figureText(r.flopAf)},
        {"turnAf", figureText(r.turnAf)},
        {"riverAf", figureText(r.riverAf)},
        {"hands", handsText(r)},
        {"table", r.table},
        {"wtsd", figureText(r.wtsd)},
        {"wonSd", wonSdText(r)},
        {"won", figureText(r.won)},
        {"seat", r.seat},
        {"pfr", figureText(r.pfr)},
        {"stack", r.stack},
        {"attToSteal", figureText(r.attToSteal)},
        {"foldSbToSteal", figureText(r.foldSbToSteal)},
        {"foldBbToSteal", figureText(r.foldBbToSteal)},
        {"contiBetFlop", figureText(r.contiBetFlop)},
        {"threeBetCap", figureText(r.threeBetCap)},
    };
    for (const auto& [key, text] : texts) {
        record[key] = text;
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
    // The buddy mark comes from "mofofish" as in the main window; a missing file
    // is an empty list, an unreadable one keeps the names before the damage.
    const auto headless = cli::HeadlessSession::openFiles(directory, settings.path(), err);
    if (!headless)
        return 1;
    Session& session = headless->session();
    // Without a database every player would come out as an unknown one.
    const auto& databases = session.databases();
    const auto active = static_cast<std::size_t>(std::count_if(
        databases.begin(), databases.end(), [](const DatabaseEntry& e) { return e.active; }));
    if (active == 0) {
        err << "kestrova-cli lookup: no active database in "
            << (directory / std::string(DatabaseList::kFileName)).string() << '\n';
        return 1;
    }
    job_event::PlayerLookedUp lookedUp;
    headless->finishJob(session.passes().jobs().lookUpPlayer(args.name, args.stack, args.seat),
                        [&lookedUp](const JobEvent& event) {
                            if (const auto* done = std::get_if<job_event::PlayerLookedUp>(&event))
                                lookedUp = *done;
                        });
    // Databases that failed have said why on standard error. The record is
    // printed only when every other message was one of theirs and some
    // database answered: its "failed" list then names the ones left out.
    const std::size_t failed = lookedUp.failed.size();
    if (lookedUp.record == nullptr ||
        static_cast<std::size_t>(headless->messageCount()) != failed || failed >= active)
        return 1;
    printRecord(out, *lookedUp.record, lookedUp.failed);
    return 0;
}

}  // namespace kestrova
