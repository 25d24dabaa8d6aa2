#include "Commands.h"

#include "HeadlessSession.h"
#include "Json.h"
#include "PlayerColumns.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace kestrova::cli {

// scan --sim LOBBY.json | --x11 [--display NAME]: "Scan All Tables" exactly as the
// main window runs it (settings, db.conf, mofofish, profiles), its lists as JSON.
int runScanCommand(const ClientOptions& options, const std::filesystem::path& directory,
                   std::ostream& out, std::ostream& err) {
    const std::unique_ptr<HeadlessSession> headless =
        HeadlessSession::open(options, directory, err);
    if (!headless || !headless->finishPass(headless->session().scanAll()))
        return 1;
    Session& session = headless->session();

    nlohmann::ordered_json tables = nlohmann::ordered_json::array();
    for (const TableRow& row : session.tables().rows()) {
        nlohmann::ordered_json table = {
            {"columns", row.columnTexts()}, {"hidden", row.hidden}, {"ownSeat", row.ownSeat()}};
        if (row.evaluation)
            table["score"] = rounded(row.evaluation->score.score, 2);
        tables.push_back(std::move(table));
    }
    nlohmann::ordered_json players = nlohmann::ordered_json::array();
    for (const PlayerRow& row : session.players().rows()) {
        const PlayerStats& record = *row.record;
        const PlayerWeakness weakness = session.weakness(record);
        const PlayerCells cells{record, session.settings().autorate.label(record.icon),
                                weakness.weakness};
        players.push_back({{"columns", wholePlayerRowTexts(cells)},
                           {"hidden", row.hidden},
                           {"hands", vpipCountsOf(&record).hands},
                           {"vpip", record.hands == "0" ? 0.0 : rounded(weakness.vpipPercent, 2)},
                           {"weak", rounded(weakness.weakness, 3)},
                           {"vpipLow", rounded(weakness.lowPercent, 1)},
                           {"vpipHigh", rounded(weakness.highPercent, 1)}});
    }
    nlohmann::ordered_json alerts = nlohmann::ordered_json::array();
    for (const HistoryAlert& alert : session.passAlerts())
        alerts.push_back({{"table", alert.table},
                          {"player", alert.player},
                          {"rule", alert.rule},
                          {"text", alert.text}});
    const nlohmann::ordered_json result = {{"tables", tables},
                                           {"players", players},
                                           {"knownPlayers", session.knownPlayerLine()},
                                           {"alerts", alerts}};
    out << jsonText(result) << '\n';
    return 0;
}

}  // namespace kestrova::cli
