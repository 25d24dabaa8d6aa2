#include "HistoryCommand.h"

#include "HeadlessSession.h"
#include "Json.h"

#include <nlohmann/json.hpp>

namespace kestrova::cli {

namespace {

using Json = nlohmann::ordered_json;

// The session of the user's files, with its history open; null after telling err why not.
std::unique_ptr<HeadlessSession> openHistory(const std::filesystem::path& directory,
                                             const std::filesystem::path& settingsFile,
                                             std::ostream& err) {
    std::unique_ptr<HeadlessSession> headless =
        HeadlessSession::openFiles(directory, settingsFile, err);
    if (!headless)
        return nullptr;
    headless->session().history().open();
    headless->settle();
    if (headless->failed())
        return nullptr;
    if (!headless->session().history().available()) {
        err << "kestrova-cli: no scan history to work on (historydays is 0, or the history "
               "cannot be used).\n";
        return nullptr;
    }
    return headless;
}

// Runs a query on the history thread and waits for its answer.
template <typename Result>
std::optional<Result> query(HeadlessSession& headless,
                            std::function<Result(HistoryStore&)> question, std::ostream& err) {
    std::optional<Result> answer;
    headless.session().history().ask<Result>(
        std::move(question), [&](Result result) { answer = std::move(result); },
        [&](const std::string& why) { err << why << '\n'; });
    headless.settle();
    return answer;
}

// Waits for an edit of the watch list to end; 1 after telling err why
// nothing was saved (`problem`: empty when it was, unset without an answer).
int finishEdit(HeadlessSession& headless, const std::optional<std::string>& problem,
               std::ostream& err) {
    headless.settle();
    const std::string why = problem.value_or("the watch list could not be saved");
    if (!why.empty()) {
        err << "kestrova-cli watch: " << why << '\n';
        return 1;
    }
    return headless.failed() ? 1 : 0;
}

Json visitJson(const TableVisit& visit) {
    return {{"at", isoTime(visit.at)},
            {"table", visit.table},
            {"stakes", visit.stakes},
            {"seated", visit.seated},
            {"seats", visit.seats},
            {"waiting", visit.waiting},
            {"averagePot", visit.averagePot},
            {"averageVpip", visit.averageVpip},
            {"averagePfr", visit.averagePfr},
            {"averageAf", visit.averageAf},
            {"averageWtsd", visit.averageWtsd},
            {"reads", visit.reads},
            {"buddies", visit.buddies},
            {"losers", visit.losers},
            {"totalStacks", visit.totalStacks},
            {"score", rounded(visit.score, 2)}};
}

Json sightingJson(const PlayerVisit& visit) {
    const PlayerSighting& seen = visit.sighting;
    Json sighting = {{"at", isoTime(visit.at)},
                     {"table", visit.table},
                     {"stakes", visit.stakes},
                     {"name", seen.name},
                     {"seat", seen.seat}};
    // Only a player on the waiting list says so; his seat is his place on it.
    if (seen.waiting)
        sighting["waiting"] = true;
    sighting["chips"] = seen.chips;
    sighting["hands"] = seen.hands;
    sighting["vpip"] = seen.vpip;
    sighting["pfr"] = seen.pfr;
    sighting["af"] = seen.af;
    sighting["wtsd"] = seen.wtsd;
    sighting["weak"] = rounded(seen.weak, 3);
    return sighting;
}

Json tableSummaryJson(const TableSummary& table) {
    return {{"table", table.table},
            {"stakes", table.stakes},
            {"visits", table.visits},
            {"firstSeen", isoTime(table.firstSeen)},
            {"lastSeen", isoTime(table.lastSeen)},
            {"averageSeated", rounded(table.averageSeated, 2)},
            {"averageScore", rounded(table.averageScore, 2)},
            {"lastScore", rounded(table.lastScore, 2)}};
}

}  // namespace

int runWatchAdd(const WatchArgs& args, const std::filesystem::path& directory,
                const std::filesystem::path& settingsFile, std::ostream& err) {
    const auto headless = openHistory(directory, settingsFile, err);
    if (!headless)
        return 1;
    ScanHistory& history = headless->session().history();
    std::optional<std::string> problem;
    const ScanHistory::Done done = [&problem](const std::string& why) { problem = why; };
    if (!args.rule.empty()) {
        std::string refused;
        if (!history.addRule(args.rule, args.note, &refused, done))
            problem = refused;
    } else {
        history.watch(args.name, args.note, done);
    }
    return finishEdit(*headless, problem, err);
}

int runWatchRemove(const WatchArgs& args, const std::filesystem::path& directory,
                   const std::filesystem::path& settingsFile, std::ostream& err) {
    const auto headless = openHistory(directory, settingsFile, err);
    if (!headless)
        return 1;
    ScanHistory& history = headless->session().history();
    const bool known = args.ruleId ? [&] {
        for (const StoredRule& rule : history.rules())
            if (rule.id == *args.ruleId)
                return true;
        return false;
    }()
                                   : history.isWatched(args.name);
    if (!known) {
        err << "kestrova-cli watch: "
            << (args.ruleId ? "no rule " + std::to_string(*args.ruleId)
                            : "\"" + args.name + "\" is not watched")
            << '\n';
        return 1;
    }
    std::optional<std::string> problem;
    const ScanHistory::Done done = [&problem](const std::string& why) { problem = why; };
    if (args.ruleId)
        history.removeRule(*args.ruleId, done);
    else
        history.unwatch(args.name, done);
    return finishEdit(*headless, problem, err);
}

int runWatchList(const std::filesystem::path& directory, const std::filesystem::path& settingsFile,
                 std::ostream& out, std::ostream& err) {
    const auto headless = openHistory(directory, settingsFile, err);
    if (!headless)
        return 1;
    const ScanHistory& history = headless->session().history();
    Json players = Json::array();
    for (const WatchedPlayer& player : history.watched())
        players.push_back(
            {{"name", player.name}, {"note", player.note}, {"added", isoTime(player.added)}});
    Json rules = Json::array();
    for (const StoredRule& rule : history.rules())
        rules.push_back({{"id", rule.id}, {"rule", rule.rule}, {"note", rule.note}});
    out << jsonText(Json{{"players", players}, {"rules", rules}}) << '\n';
    return 0;
}

int runHistoryKeep(int days, const std::filesystem::path& directory,
                   const std::filesystem::path& settingsFile, std::ostream& err) {
    const auto headless = openHistory(directory, settingsFile, err);
    if (!headless)
        return 1;
    const std::optional<bool> kept = query<bool>(
        *headless,
        [days](HistoryStore& store) {
            store.keepFor(days);
            return true;
        },
        err);
    return kept ? 0 : 1;
}

int runHistoryCommand(const HistoryArgs& args, const std::filesystem::path& directory,
                      const std::filesystem::path& settingsFile, std::ostream& out,
                      std::ostream& err) {
    HistoryTime since{};
    if (!args.since.empty()) {
        const std::optional<HistoryTime> parsed = parseIsoTime(args.since);
        if (!parsed) {
            err << "kestrova-cli history: \"" << args.since
                << "\" is no ISO 8601 time (such as 2026-12-07T21:04:00Z)\n";
            return 1;
        }
        since = *parsed;
    }
    const auto headless = openHistory(directory, settingsFile, err);
    if (!headless)
        return 1;
    std::optional<Json> result;
    const std::string name = args.name;
    switch (args.view) {
        case HistoryView::Tables:
            result = query<Json>(
                *headless,
                [since](HistoryStore& store) {
                    Json tables = Json::array();
                    for (const TableSummary& table : store.tables(since))
                        tables.push_back(tableSummaryJson(table));
                    return tables;
                },
                err);
            break;
        case HistoryView::Table:
            result = query<Json>(
                *headless,
                [since, name](HistoryStore& store) {
                    Json visits = Json::array();
                    for (const TableVisit& visit : store.table(name, since))
                        visits.push_back(visitJson(visit));
                    return Json{{"table", name}, {"visits", visits}};
                },
                err);
            break;
        case HistoryView::Player:
            result = query<Json>(
                *headless,
                [since, name](HistoryStore& store) {
                    Json sightings = Json::array();
                    for (const PlayerVisit& visit : store.player(name, since))
                        sightings.push_back(sightingJson(visit));
                    return Json{{"player", name}, {"sightings", sightings}};
                },
                err);
            break;
    }
    if (!result)
        return 1;
    out << jsonText(*result) << '\n';
    return 0;
}

}  // namespace kestrova::cli
