#include "Commands.h"

#include "HeadlessSession.h"
#include "Json.h"
#include "PlayerColumns.h"
#include "RowFields.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>

namespace kestrova::cli {

namespace {

// Whether an active database answered besides those the pass left out.
bool othersAnswered(const Session& session, std::size_t leftOut) {
    const auto& databases = session.databases();
    const auto active = std::count_if(databases.begin(), databases.end(),
                                      [](const DatabaseEntry& e) { return e.active; });
    return static_cast<std::size_t>(active) > leftOut;
}

}  // namespace

// scan --sim LOBBY.json | --x11 [--display NAME]: "Scan All Tables" exactly as the
// main window runs it (settings, db.conf, mofofish, profiles), its lists as JSON.
int runScanCommand(const ClientOptions& options, const std::filesystem::path& directory,
                   std::ostream& out, std::ostream& err) {
    const std::unique_ptr<HeadlessSession> headless =
        HeadlessSession::open(options, directory, err);
    if (!headless)
        return 1;
    const bool finished = headless->finishPass(headless->session().passes().scanAll());
    // Databases left out of the pass have said why on standard error, once
    // each: what the others answered is printed, naming them in "failed".
    const auto& leftOut = headless->leftOut();
    const bool onlyLeftOut =
        !leftOut.empty() && static_cast<std::size_t>(headless->messageCount()) == leftOut.size();
    if (!finished && !headless->partial() && !onlyLeftOut)
        return 1;
    Session& session = headless->session();

    nlohmann::ordered_json tables = nlohmann::ordered_json::array();
    for (const TableRow& row : session.lists().tables().rows()) {
        nlohmann::ordered_json table = {
            {"columns", columnTextsOf(row)}, {"hidden", row.hidden}, {"ownSeat", row.ownSeat()}};
        if (row.evaluation)
            table["score"] = rounded(row.evaluation->score.score, 2);
        addListedFields(table, session.passes().scanState(), row);
        addScannedFields(table, row);
        tables.push_back(std::move(table));
    }
    nlohmann::ordered_json players = nlohmann::ordered_json::array();
    for (const PlayerRow& row : session.lists().players().rows()) {
        const PlayerStats& record = *row.record;
        const PlayerWeakness weakness = session.lists().weakness(record);
        const PlayerCells cells{record, session.settings().autorate.label(record.icon),
                                weakness.weakness};
        nlohmann::ordered_json player = {
            {"columns", wholePlayerRowTexts(cells)},
            {"hidden", row.hidden},
            {"hands", vpipCountsOf(&record).hands},
            {"vpip", record.hands == 0 ? 0.0 : rounded(weakness.vpipPercent, 2)},
            {"weak", rounded(weakness.weakness, 3)},
            {"vpipLow", rounded(weakness.lowPercent, 1)},
            {"vpipHigh", rounded(weakness.highPercent, 1)}};
        addPlayerFields(player, session, record);
        // Only where the lobby's font draws glyphs alike and nothing decided the name.
        if (!record.alike.empty())
            player["alike"] = record.alike;
        players.push_back(std::move(player));
    }
    nlohmann::ordered_json alerts = nlohmann::ordered_json::array();
    for (const HistoryAlert& alert : session.lists().passAlerts())
        alerts.push_back({{"table", alert.table},
                          {"player", alert.player},
                          {"rule", alert.rule},
                          {"text", alert.text}});
    nlohmann::ordered_json result = {{"tables", tables},
                                     {"players", players},
                                     {"knownPlayers", session.lists().knownPlayerLine()},
                                     {"alerts", alerts}};
    // The client stopped answering mid-list: what was read, and that it is not all.
    if (headless->partial())
        result["partial"] = true;
    if (!leftOut.empty()) {
        nlohmann::ordered_json failed = nlohmann::ordered_json::array();
        for (const scan_event::LeftOutDatabase& database : leftOut)
            failed.push_back({{"database", database.database}, {"reason", database.reason}});
        result["failed"] = std::move(failed);
    }
    out << jsonText(result) << '\n';
    return finished || (onlyLeftOut && othersAnswered(session, leftOut.size())) ? 0 : 1;
}

}  // namespace kestrova::cli
