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
    for (const TableRow& row : session.tables().rows())
        tables.push_back(
            {{"columns", row.columnTexts()}, {"hidden", row.hidden}, {"ownSeat", row.ownSeat()}});
    nlohmann::ordered_json players = nlohmann::ordered_json::array();
    for (const PlayerRow& row : session.players().rows()) {
        const PlayerStats& record = *row.record;
        players.push_back({{"columns", wholePlayerRowTexts(
                                           record, session.settings().autorate.label(record.icon))},
                           {"hidden", row.hidden}});
    }
    const nlohmann::ordered_json result = {
        {"tables", tables}, {"players", players}, {"knownPlayers", session.knownPlayerLine()}};
    out << jsonText(result) << '\n';
    return 0;
}

}  // namespace kestrova::cli
