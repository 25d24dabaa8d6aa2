// The history on a PostgreSQL server that several scanners share: each writes
// its tables and reads everyone's, and all keep them as long as the store
// says. What is missing of the schema is made on first use, under a lock, so
// that two scanners starting at once do not both make it; a role that may
// not create tables uses those another made.
#include "history/HistoryStore.h"

#include "common/NumberText.h"
#include "common/Text.h"
#include "settings/SettingKeys.h"
#include "sql/postgres/PostgresConnection.h"

#include <charconv>

namespace kestrova {

namespace {

constexpr int kSchemaVersion = 1;
constexpr std::chrono::milliseconds kConnectTimeout{10'000};
constexpr std::chrono::milliseconds kStatementTimeout{10'000};
// What a store keeps when it names no time of its own.
constexpr int kKeepDays = 90;

// The count of the schema's tables and indexes that are missing.
constexpr const char* kMissing =
    "SELECT count(*) FROM unnest(ARRAY['kestrova_meta', 'kestrova_visits', "
    "'kestrova_visits_by_name', 'kestrova_visits_by_time', 'kestrova_sightings', "
    "'kestrova_sightings_by_player', 'kestrova_watched', 'kestrova_rules', "
    "'kestrova_alerts']) AS name WHERE to_regclass(name) IS NULL";

constexpr const char* kSchema = R"sql(
SELECT pg_advisory_xact_lock(4924005);
CREATE TABLE IF NOT EXISTS kestrova_meta(key text PRIMARY KEY, value text NOT NULL);
CREATE TABLE IF NOT EXISTS kestrova_visits(
  id bigserial PRIMARY KEY,
  at bigint NOT NULL,
  name text NOT NULL,
  stakes text NOT NULL,
  seated integer NOT NULL,
  seats integer NOT NULL,
  average_pot text NOT NULL,
  average_vpip text NOT NULL,
  average_pfr text NOT NULL,
  average_af text NOT NULL,
  average_wtsd text NOT NULL,
  reads text NOT NULL,
  buddies text NOT NULL,
  losers text NOT NULL,
  total_stacks text NOT NULL,
  score double precision NOT NULL,
  waiting integer NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS kestrova_visits_by_name ON kestrova_visits(name, at);
CREATE INDEX IF NOT EXISTS kestrova_visits_by_time ON kestrova_visits(at);
CREATE TABLE IF NOT EXISTS kestrova_sightings(
  visit bigint NOT NULL REFERENCES kestrova_visits(id) ON DELETE CASCADE,
  seat integer NOT NULL,
  player text NOT NULL,
  chips text NOT NULL,
  hands integer NOT NULL,
  vpip text NOT NULL,
  pfr text NOT NULL,
  af text NOT NULL,
  wtsd text NOT NULL,
  weak double precision NOT NULL,
  PRIMARY KEY(visit, seat));
CREATE INDEX IF NOT EXISTS kestrova_sightings_by_player ON kestrova_sightings(lower(player));
CREATE TABLE IF NOT EXISTS kestrova_watched(
  name_key text PRIMARY KEY, name text NOT NULL, note text NOT NULL, added bigint NOT NULL);
CREATE TABLE IF NOT EXISTS kestrova_rules(
  id serial PRIMARY KEY, rule text NOT NULL, note text NOT NULL);
CREATE TABLE IF NOT EXISTS kestrova_alerts(key text PRIMARY KEY, at bigint NOT NULL);
INSERT INTO kestrova_meta(key, value) VALUES('schema', '1') ON CONFLICT(key) DO NOTHING;
)sql";

// The waiting count came after the first stores: added where the role may,
// read as 0 and left out of writes where it may not.
constexpr const char* kHasWaiting =
    "SELECT count(*) FROM pg_attribute WHERE attrelid = to_regclass('kestrova_visits') "
    "AND attname = 'waiting' AND NOT attisdropped";
constexpr const char* kAddWaiting =
    "ALTER TABLE kestrova_visits ADD COLUMN IF NOT EXISTS waiting integer NOT NULL DEFAULT 0";

std::string number(std::int64_t value) {
    return std::to_string(value);
}

std::string number(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : "0";
}

std::string seconds(HistoryTime at) {
    return number(static_cast<std::int64_t>(at.time_since_epoch().count()));
}

std::int64_t integer(std::string_view text) {
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

HistoryTime timeOf(std::string_view text) {
    return HistoryTime(std::chrono::seconds(integer(text)));
}

// A text array as PostgreSQL reads it, every element quoted: the values go
// in as one parameter, apart from the statement.
std::string arrayText(const std::vector<std::string>& values) {
    std::string text = "{";
    for (const std::string& value : values) {
        if (text.size() > 1)
            text += ',';
        text += '"';
        for (const char c : value) {
            if (c == '"' || c == '\\')
                text += '\\';
            text += c;
        }
        text += '"';
    }
    return text + '}';
}

// A sighting from the row's columns, starting at `first`: the visit's time,
// table and stakes, then the player's.
PlayerVisit playerVisit(const PostgresResult& rows, int r, int first) {
    const auto cell = [&](int c) { return rows.value(r, first + c); };
    PlayerVisit visit;
    visit.at = timeOf(cell(0));
    visit.table = cell(1);
    visit.stakes = cell(2);
    PlayerSighting& seen = visit.sighting;
    seen.name = cell(3);
    readStoredSeat(seen, static_cast<int>(integer(cell(4))));
    seen.chips = cell(5);
    seen.hands = static_cast<int>(integer(cell(6)));
    seen.vpip = cell(7);
    seen.pfr = cell(8);
    seen.af = cell(9);
    seen.wtsd = cell(10);
    seen.weak = numberOrZero(cell(11));
    return visit;
}

// libpq's message without its line break, to go inside a sentence.
std::string reason(const PostgresConnection& db) {
    return std::string(trimWhiteSpace(db.errorMessage()));
}

class PostgresHistoryStore final : public HistoryStore {
public:
    PostgresHistoryStore(std::string name, PostgresConnection connection, int keepDays,
                         bool waitingColumn)
        : name_(std::move(name)),
          db_(std::move(connection)),
          keepDays_(keepDays),
          waitingColumn_(waitingColumn) {}

    std::optional<int> keptDays() override { return keepDays_; }
    void keepFor(int days) override {
        run("keep_for",
            "INSERT INTO kestrova_meta(key, value) VALUES('keep_days', $1) "
            "ON CONFLICT(key) DO UPDATE SET value = excluded.value",
            {number(std::int64_t{days})});
        keepDays_ = days;
    }

    // One statement for the whole batch: a round trip per row costs a pass
    // minutes behind a slow network. The visits' ids are drawn first, so that
    // their sightings can name them in the same statement.
    void add(std::span<const TableVisit> visits) override {
        if (visits.empty())
            return;
        std::vector<std::vector<std::string>> columns(26);
        for (std::size_t n = 0; n < visits.size(); ++n) {
            const TableVisit& visit = visits[n];
            const std::string values[] = {
                seconds(visit.at),   visit.table,       visit.stakes,
                number(std::int64_t{visit.seated}), number(std::int64_t{visit.seats}),
                visit.averagePot,    visit.averageVpip, visit.averagePfr,
                visit.averageAf,     visit.averageWtsd, visit.reads,
                visit.buddies,       visit.losers,      visit.totalStacks,
                number(visit.score)};
            for (std::size_t c = 0; c < std::size(values); ++c)
                columns[c].push_back(values[c]);
            columns[25].push_back(number(std::int64_t{visit.waiting}));
            for (const PlayerSighting& player : visit.players) {
                const std::string seen[] = {number(static_cast<std::int64_t>(n + 1)),
                                            number(std::int64_t{storedSeat(player)}),
                                            player.name,
                                            player.chips,
                                            number(std::int64_t{player.hands}),
                                            player.vpip,
                                            player.pfr,
                                            player.af,
                                            player.wtsd,
                                            number(player.weak)};
                for (std::size_t c = 0; c < std::size(seen); ++c)
                    columns[15 + c].push_back(seen[c]);
            }
        }
        std::vector<std::string> parameters;
        for (const std::vector<std::string>& column : columns)
            parameters.push_back(arrayText(column));
        const std::string waiting = waitingColumn_ ? ", waiting" : "";
        run(waitingColumn_ ? "add_visits" : "add_visits_without_waiting",
            "WITH visit AS (SELECT nextval(pg_get_serial_sequence('kestrova_visits', 'id')) AS id, "
            "v.* FROM unnest($1::bigint[], $2::text[], $3::text[], $4::integer[], "
            "$5::integer[], $6::text[], $7::text[], $8::text[], $9::text[], $10::text[], "
            "$11::text[], $12::text[], $13::text[], $14::text[], $15::float8[], $26::integer[]) "
            "WITH ORDINALITY AS v(at, name, stakes, seated, seats, average_pot, average_vpip, "
            "average_pfr, average_af, average_wtsd, reads, buddies, losers, total_stacks, score, "
            "waiting, n)), "
            "added AS (INSERT INTO kestrova_visits(id, at, name, stakes, seated, seats, "
            "average_pot, average_vpip, average_pfr, average_af, average_wtsd, reads, buddies, "
            "losers, total_stacks, score" +
                waiting +
                ") SELECT id, at, name, stakes, seated, "
                "seats, average_pot, average_vpip, average_pfr, average_af, average_wtsd, reads, "
                "buddies, losers, total_stacks, score" +
                waiting +
                " FROM visit) "
                "INSERT INTO kestrova_sightings(visit, seat, player, chips, hands, vpip, pfr, af, "
                "wtsd, weak) SELECT visit.id, s.seat, s.player, s.chips, s.hands, s.vpip, s.pfr, "
                "s.af, s.wtsd, s.weak FROM unnest($16::bigint[], $17::integer[], $18::text[], "
                "$19::text[], $20::integer[], $21::text[], $22::text[], $23::text[], $24::text[], "
                "$25::float8[]) AS s(n, seat, player, chips, hands, vpip, pfr, af, wtsd, weak) "
                "JOIN visit ON visit.n = s.n ON CONFLICT(visit, seat) DO NOTHING",
            parameters);
    }

    int prune(HistoryTime before) override {
        const PostgresResult removed =
            run("prune",
                "WITH gone AS (DELETE FROM kestrova_visits WHERE at < $1 RETURNING 1) "
                "SELECT count(*) FROM gone",
                {seconds(before)});
        run("prune_alerts", "DELETE FROM kestrova_alerts WHERE at < $1", {seconds(before)});
        return static_cast<int>(integer(removed.value(0, 0)));
    }

    std::vector<TableSummary> tables(HistoryTime since) override {
        const PostgresResult rows =
            run("tables",
                "SELECT name, count(*), min(at), max(at), avg(seated), avg(score), "
                "(array_agg(stakes ORDER BY at DESC, id DESC))[1], "
                "(array_agg(score ORDER BY at DESC, id DESC))[1] "
                "FROM kestrova_visits WHERE at >= $1 GROUP BY name ORDER BY max(at) DESC, name",
                {seconds(since)});
        std::vector<TableSummary> found;
        for (int r = 0; r < rows.rows(); ++r)
            found.push_back({std::string(rows.value(r, 0)), std::string(rows.value(r, 6)),
                             static_cast<int>(integer(rows.value(r, 1))), timeOf(rows.value(r, 2)),
                             timeOf(rows.value(r, 3)), numberOrZero(rows.value(r, 4)),
                             numberOrZero(rows.value(r, 5)), numberOrZero(rows.value(r, 7))});
        return found;
    }

    std::vector<TableVisit> table(const std::string& name, HistoryTime since) override {
        const PostgresResult rows =
            run("table",
                "SELECT at, name, stakes, seated, seats, average_pot, average_vpip, average_pfr, "
                "average_af, average_wtsd, reads, buddies, losers, total_stacks, score, " +
                    std::string(waitingColumn_ ? "waiting" : "0") +
                    " FROM kestrova_visits WHERE lower(name) = lower($1) AND at >= $2 ORDER BY "
                    "at, id",
                {name, seconds(since)});
        std::vector<TableVisit> visits;
        for (int r = 0; r < rows.rows(); ++r) {
            TableVisit visit;
            visit.at = timeOf(rows.value(r, 0));
            visit.table = rows.value(r, 1);
            visit.stakes = rows.value(r, 2);
            visit.seated = static_cast<int>(integer(rows.value(r, 3)));
            visit.seats = static_cast<int>(integer(rows.value(r, 4)));
            visit.averagePot = rows.value(r, 5);
            visit.averageVpip = rows.value(r, 6);
            visit.averagePfr = rows.value(r, 7);
            visit.averageAf = rows.value(r, 8);
            visit.averageWtsd = rows.value(r, 9);
            visit.reads = rows.value(r, 10);
            visit.buddies = rows.value(r, 11);
            visit.losers = rows.value(r, 12);
            visit.totalStacks = rows.value(r, 13);
            visit.score = numberOrZero(rows.value(r, 14));
            visit.waiting = static_cast<int>(integer(rows.value(r, 15)));
            visits.push_back(std::move(visit));
        }
        return visits;
    }

    std::vector<PlayerVisit> player(const std::string& name, HistoryTime since,
                                    std::size_t limit) override {
        const PostgresResult rows =
            run("player",
                "SELECT v.at, v.name, v.stakes, s.player, s.seat, s.chips, s.hands, s.vpip, s.pfr, "
                "s.af, s.wtsd, s.weak FROM kestrova_sightings s JOIN kestrova_visits v "
                "ON v.id = s.visit WHERE lower(s.player) = lower($1) AND v.at >= $2 "
                "ORDER BY v.at DESC, v.id DESC LIMIT $3",
                {name, seconds(since),
                 limit == 0 ? std::string("9223372036854775807") : std::to_string(limit)});
        std::vector<PlayerVisit> visits;
        for (int r = 0; r < rows.rows(); ++r)
            visits.push_back(playerVisit(rows, r, 0));
        return visits;
    }

    std::vector<std::optional<PlayerVisit>> lastSeen(std::span<const std::string> names) override {
        std::vector<std::optional<PlayerVisit>> found(names.size());
        if (names.empty())
            return found;
        const PostgresResult rows =
            run("last_seen",
                "SELECT n.i, last.* FROM unnest($1::text[]) WITH ORDINALITY AS n(name, i) "
                "CROSS JOIN LATERAL (SELECT v.at, v.name, v.stakes, s.player, s.seat, s.chips, "
                "s.hands, s.vpip, s.pfr, s.af, s.wtsd, s.weak FROM kestrova_sightings s "
                "JOIN kestrova_visits v ON v.id = s.visit WHERE lower(s.player) = lower(n.name) "
                "ORDER BY v.at DESC, v.id DESC LIMIT 1) AS last",
                {arrayText(std::vector<std::string>(names.begin(), names.end()))});
        for (int r = 0; r < rows.rows(); ++r) {
            const auto at = static_cast<std::size_t>(integer(rows.value(r, 0)));
            if (at >= 1 && at <= found.size())
                found[at - 1] = playerVisit(rows, r, 1);
        }
        return found;
    }

    std::vector<WatchedPlayer> watchedPlayers() override {
        const PostgresResult rows =
            run("watched", "SELECT name, note, added FROM kestrova_watched ORDER BY name_key", {});
        std::vector<WatchedPlayer> players;
        for (int r = 0; r < rows.rows(); ++r)
            players.push_back({std::string(rows.value(r, 0)), std::string(rows.value(r, 1)),
                               timeOf(rows.value(r, 2))});
        return players;
    }

    void watch(const WatchedPlayer& player) override {
        run("watch",
            "INSERT INTO kestrova_watched(name_key, name, note, added) VALUES($1,$2,$3,$4) "
            "ON CONFLICT(name_key) DO UPDATE SET note = excluded.note",
            {lowerAsciiText(player.name), player.name, player.note, seconds(player.added)});
    }

    bool unwatch(const std::string& name) override {
        return run("unwatch", "DELETE FROM kestrova_watched WHERE name_key = $1 RETURNING 1",
                   {lowerAsciiText(name)})
                   .rows() > 0;
    }

    std::vector<StoredRule> rules() override {
        const PostgresResult rows =
            run("rules", "SELECT id, rule, note FROM kestrova_rules ORDER BY id", {});
        std::vector<StoredRule> rules;
        for (int r = 0; r < rows.rows(); ++r)
            rules.push_back({static_cast<int>(integer(rows.value(r, 0))),
                             std::string(rows.value(r, 1)), std::string(rows.value(r, 2))});
        return rules;
    }

    int addRule(const std::string& rule, const std::string& note) override {
        return static_cast<int>(integer(
            run("add_rule", "INSERT INTO kestrova_rules(rule, note) VALUES($1,$2) RETURNING id",
                {rule, note})
                .value(0, 0)));
    }

    bool removeRule(int id) override {
        return run("remove_rule", "DELETE FROM kestrova_rules WHERE id = $1 RETURNING 1",
                   {std::to_string(id)})
                   .rows() > 0;
    }

    // One statement, so that two scanners never both claim the same alert.
    std::vector<bool> claimAlerts(std::span<const std::string> keys, HistoryTime now,
                                  std::chrono::seconds quiet) override {
        std::vector<bool> claimed(keys.size(), false);
        if (keys.empty())
            return claimed;
        const PostgresResult rows =
            run("claim_alerts",
                "INSERT INTO kestrova_alerts(key, at) SELECT key, $2 FROM unnest($1::text[]) "
                "AS key ON CONFLICT(key) DO UPDATE SET at = excluded.at "
                "WHERE kestrova_alerts.at <= $3 RETURNING key",
                {arrayText(std::vector<std::string>(keys.begin(), keys.end())), seconds(now),
                 seconds(now - quiet)});
        for (int r = 0; r < rows.rows(); ++r)
            for (std::size_t k = 0; k < keys.size(); ++k)
                if (keys[k] == rows.value(r, 0))
                    claimed[k] = true;
        return claimed;
    }

    std::function<void()> breaker() override { return db_.breaker(); }

private:
    PostgresResult run(const std::string& statementName, const std::string& statement,
                       const std::vector<std::string>& parameters) {
        PostgresResult result = db_.executePrepared(statementName, statement, parameters);
        if (!result.commandOk() && !result.tuplesOk())
            throw HistoryError(name_ + ": " + reason(db_));
        return result;
    }

    std::string name_;
    PostgresConnection db_;
    int keepDays_;
    bool waitingColumn_;
};

// "postgresql://user@host:port/database" without its password, for messages.
std::string shownName(const std::string& connection) {
    const std::size_t scheme = connection.find("://");
    const std::size_t at = connection.find('@');
    const std::size_t colon = connection.find(':', scheme == std::string::npos ? 0 : scheme + 3);
    const std::string shown = scheme != std::string::npos && at != std::string::npos && colon < at
                                  ? connection.substr(0, colon) + connection.substr(at)
                                  : connection;
    return connectionHoldsPassword(shown) ? "the shared history server" : shown;
}

}  // namespace

std::unique_ptr<HistoryStore> openPostgresHistory(const std::string& connection,
                                                  std::string* problem) {
    const std::string name = shownName(connection);
    const auto refuse = [&](const std::string& why) -> std::unique_ptr<HistoryStore> {
        if (problem)
            *problem = "The shared scan history " + name + " cannot be used: " + why +
                       ". Scanning goes on without history.";
        return nullptr;
    };
    PostgresConnection db({kConnectTimeout, kStatementTimeout});
    if (!db.open(connection))
        return refuse(reason(db));
    // The server's notices ("already exists, skipping") are nothing to tell.
    if (!db.execute("SET client_min_messages = warning").commandOk())
        return refuse(reason(db));
    const PostgresResult missing = db.execute(kMissing);
    if (!missing.tuplesOk())
        return refuse(reason(db));
    if (integer(missing.value(0, 0)) > 0) {
        // Made in one transaction, so that a second scanner sees all of it or none.
        const PostgresResult made = db.execute("BEGIN;" + std::string(kSchema) + "COMMIT;");
        if (!made.commandOk() && !made.tuplesOk())
            return refuse(reason(db));
    }
    const PostgresResult hasWaiting = db.execute(kHasWaiting);
    if (!hasWaiting.tuplesOk())
        return refuse(reason(db));
    const bool waitingColumn =
        integer(hasWaiting.value(0, 0)) > 0 || db.execute(kAddWaiting).commandOk();
    const PostgresResult meta = db.execute("SELECT key, value FROM kestrova_meta");
    if (!meta.tuplesOk())
        return refuse(reason(db));
    int keepDays = kKeepDays;
    for (int r = 0; r < meta.rows(); ++r) {
        if (meta.value(r, 0) == "schema" && integer(meta.value(r, 1)) > kSchemaVersion)
            return refuse("a newer version of the program made its tables (schema " +
                          std::string(meta.value(r, 1)) + ")");
        if (meta.value(r, 0) == "keep_days" && integer(meta.value(r, 1)) > 0)
            keepDays = static_cast<int>(integer(meta.value(r, 1)));
    }
    return std::make_unique<PostgresHistoryStore>(name, std::move(db), keepDays, waitingColumn);
}

}  // namespace kestrova
