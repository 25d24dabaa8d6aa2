#include "RowFields.h"

#include <charconv>
#include <string>

namespace kestrova::cli {

namespace {

using Json = nlohmann::ordered_json;

Json countOrNull(int count) {
    return count > 0 ? Json(count) : Json(nullptr);
}

}  // namespace

Json figureOf(std::string_view text) {
    // "$1,234.50", "€12", "-3.5": the lobby's and the trackers' ways of writing one.
    std::size_t start = 0;
    while (start < text.size() &&
           (text[start] == '$' || static_cast<unsigned char>(text[start]) >= 0x80))
        ++start;
    std::string digits;
    for (const char c : text.substr(start))
        if (c != ',')
            digits += c;
    const char* end = digits.data() + digits.size();
    // A count stays a whole number.
    if (digits.find('.') == std::string::npos) {
        long long whole = 0;
        const auto [stop, error] = std::from_chars(digits.data(), end, whole);
        if (!digits.empty() && error == std::errc() && stop == end)
            return whole;
    }
    double value = 0;
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || stop != end)
        return nullptr;
    return value;
}

void addListedFields(Json& table, const ScanState& state, const TableRow& row) {
    const LobbyEntry* entry = state.lobbyEntries.find(row.name);
    table["name"] = row.name;
    table["stakes"] = row.stakes;
    table["players"] = row.players;
    table["seats"] = countOrNull(entry ? entry->seats : 0);
    table["waiting"] = row.waiting;
    table["avgPot"] = figureOf(row.averagePot);
}

void addScannedFields(Json& table, const TableRow& row) {
    if (!row.evaluation)
        return;
    const TableEvaluation& figures = *row.evaluation;
    // Without a player known well enough nothing is known; a figure is the
    // number the list shows.
    auto average = [](const std::optional<double>& value) {
        return value ? figureOf(averageText(value)) : Json(nullptr);
    };
    table["avgVpip"] = average(figures.averageVpip);
    table["avgPfr"] = average(figures.averagePfr);
    table["avgAf"] = average(figures.averageAf);
    table["avgWtsd"] = average(figures.averageWtsd);
    table["reads"] = figures.reads;
    table["known"] = figures.known;
    table["buddies"] = figures.buddies;
    table["losers"] = figures.losers;
    table["totalStacks"] = figureOf(stacksText(figures));
    // The seat area showed only part of the waiting list.
    table["waitingCut"] = row.waitingListCut;
}

void addPlayerFields(Json& player, const Session& session, const PlayerStats& record) {
    player["table"] = record.table;
    player["seat"] = figureOf(record.seat);
    if (record.waiting)
        player["waiting"] = true;
    player["name"] = record.name;
    player["autorate"] = session.settings().autorate.label(record.icon);
    player["buddy"] = session.isBuddy(record.name);
    player["stack"] = figureOf(record.stack);
    // A player the databases have no hands of shows zeros: nothing is known of him.
    const bool known = vpipCountsOf(&record).hands > 0;
    auto stat = [known](const std::string& text) { return known ? figureOf(text) : Json(nullptr); };
    auto figure = [&stat](const Figure& value) { return stat(figureText(value)); };
    player["won"] = figure(record.won);
    player["pfr"] = figure(record.pfr);
    player["af"] = figure(record.af);
    player["wtsd"] = figure(record.wtsd);
    player["wonSd"] = stat(wonSdText(record));
    player["flopAf"] = figure(record.flopAf);
    player["turnAf"] = figure(record.turnAf);
    player["riverAf"] = figure(record.riverAf);
    player["attSteal"] = figure(record.attToSteal);
    player["foldSbToSteal"] = figure(record.foldSbToSteal);
    player["foldBbToSteal"] = figure(record.foldBbToSteal);
    player["contiBetFlop"] = figure(record.contiBetFlop);
}

}  // namespace kestrova::cli
