// The history in an SQLite file (SQLiteCpp): WAL, so that a reader never
// blocks the pass writing, and one transaction per table, so that a killed
// program leaves every table it finished. Every write transaction takes the
// write lock as it begins (BEGIN IMMEDIATE): one that read first could not
// wait for another program's commit, whose changes it has not seen.
#include "history/HistoryStore.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <system_error>

namespace kestrova {

namespace {

constexpr int kApplicationId = 0x4b455354;  // "KEST"
constexpr int kSchemaVersion = 1;

constexpr const char* kSchema = R"sql(
CREATE TABLE visits(
  id INTEGER PRIMARY KEY,
  at INTEGER NOT NULL,
  name TEXT NOT NULL,
  stakes TEXT NOT NULL,
  seated INTEGER NOT NULL,
  seats INTEGER NOT NULL,
  average_pot TEXT NOT NULL,
  average_vpip TEXT NOT NULL,
  average_pfr TEXT NOT NULL,
  average_af TEXT NOT NULL,
  average_wtsd TEXT NOT NULL,
  reads TEXT NOT NULL,
  buddies TEXT NOT NULL,
  losers TEXT NOT NULL,
  total_stacks TEXT NOT NULL,
  score REAL NOT NULL,
  waiting INTEGER NOT NULL DEFAULT 0);
CREATE INDEX visits_by_name ON visits(name, at);
CREATE INDEX visits_by_time ON visits(at);
CREATE TABLE sightings(
  visit INTEGER NOT NULL,
  seat INTEGER NOT NULL,
  player TEXT NOT NULL COLLATE NOCASE,
  chips TEXT NOT NULL,
  hands INTEGER NOT NULL,
  vpip TEXT NOT NULL,
  pfr TEXT NOT NULL,
  af TEXT NOT NULL,
  wtsd TEXT NOT NULL,
  weak REAL NOT NULL,
  PRIMARY KEY(visit, seat)) WITHOUT ROWID;
CREATE INDEX sightings_by_player ON sightings(player);
CREATE TABLE watched(
  name TEXT PRIMARY KEY COLLATE NOCASE,
  note TEXT NOT NULL,
  added INTEGER NOT NULL);
CREATE TABLE rules(
  id INTEGER PRIMARY KEY,
  rule TEXT NOT NULL,
  note TEXT NOT NULL);
CREATE TABLE alerts(
  key TEXT PRIMARY KEY,
  at INTEGER NOT NULL);
)sql";

// The waiting count came after the first files: added to a file that lacks
// it where the file may be written. Files without it still read, as 0, and
// programs that do not know it still write, leaving it 0.
constexpr const char* kAddWaiting =
    "ALTER TABLE visits ADD COLUMN waiting INTEGER NOT NULL DEFAULT 0";

std::int64_t seconds(HistoryTime at) {
    return at.time_since_epoch().count();
}
HistoryTime timeOf(std::int64_t seconds) {
    return HistoryTime(std::chrono::seconds(seconds));
}

class WriteTransaction final : public SQLite::Transaction {
public:
    explicit WriteTransaction(SQLite::Database& db)
        : SQLite::Transaction(db, SQLite::TransactionBehavior::IMMEDIATE) {}
};

class SqliteHistoryStore final : public HistoryStore {
public:
    SqliteHistoryStore(std::filesystem::path file, SQLite::Database db, bool waitingColumn)
        : file_(std::move(file)), db_(std::move(db)), waitingColumn_(waitingColumn) {}

    void add(std::span<const TableVisit> visits) override {
        guarded([&] {
            WriteTransaction transaction(db_);
            for (const TableVisit& visit : visits)
                insert(visit);
            transaction.commit();
        });
    }

    void insert(const TableVisit& visit) {
        SQLite::Statement& table =
            statement(addVisit_, waitingColumn_ ? "INSERT INTO visits(at, name, stakes, seated, "
                                                  "seats, average_pot, average_vpip, average_pfr, "
                                                  "average_af, average_wtsd, reads, buddies, "
                                                  "losers, total_stacks, score, waiting) "
                                                  "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"
                                                : "INSERT INTO visits(at, name, stakes, seated, "
                                                  "seats, average_pot, average_vpip, average_pfr, "
                                                  "average_af, average_wtsd, reads, buddies, "
                                                  "losers, total_stacks, score) "
                                                  "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        table.bind(1, static_cast<std::int64_t>(seconds(visit.at)));
        table.bind(2, visit.table);
        table.bind(3, visit.stakes);
        table.bind(4, visit.seated);
        table.bind(5, visit.seats);
        table.bind(6, visit.averagePot);
        table.bind(7, visit.averageVpip);
        table.bind(8, visit.averagePfr);
        table.bind(9, visit.averageAf);
        table.bind(10, visit.averageWtsd);
        table.bind(11, visit.reads);
        table.bind(12, visit.buddies);
        table.bind(13, visit.losers);
        table.bind(14, visit.totalStacks);
        table.bind(15, visit.score);
        if (waitingColumn_)
            table.bind(16, visit.waiting);
        table.exec();
        const std::int64_t id = db_.getLastInsertRowid();
        SQLite::Statement& seat = statement(addSighting_,
                                            "INSERT OR REPLACE INTO sightings(visit, seat, "
                                            "player, chips, hands, vpip, pfr, "
                                            "af, wtsd, weak) VALUES(?,?,?,?,?,?,?,?,?,?)");
        for (const PlayerSighting& player : visit.players) {
            seat.bind(1, id);
            seat.bind(2, storedSeat(player));
            seat.bind(3, player.name);
            seat.bind(4, player.chips);
            seat.bind(5, player.hands);
            seat.bind(6, player.vpip);
            seat.bind(7, player.pfr);
            seat.bind(8, player.af);
            seat.bind(9, player.wtsd);
            seat.bind(10, player.weak);
            seat.exec();
            seat.reset();
        }
    }

    void idle() override {
        guarded([&] { db_.exec("PRAGMA wal_checkpoint(PASSIVE)"); });
    }

    int prune(HistoryTime before) override {
        return guarded([&] {
            WriteTransaction transaction(db_);
            SQLite::Statement sightings(
                db_, "DELETE FROM sightings WHERE visit IN (SELECT id FROM visits WHERE at < ?)");
            sightings.bind(1, static_cast<std::int64_t>(seconds(before)));
            sightings.exec();
            SQLite::Statement visits(db_, "DELETE FROM visits WHERE at < ?");
            visits.bind(1, static_cast<std::int64_t>(seconds(before)));
            const int removed = visits.exec();
            SQLite::Statement alerts(db_, "DELETE FROM alerts WHERE at < ?");
            alerts.bind(1, static_cast<std::int64_t>(seconds(before)));
            alerts.exec();
            transaction.commit();
            return removed;
        });
    }

    std::vector<TableSummary> tables(HistoryTime since) override {
        return guarded([&] {
            SQLite::Statement query(
                db_,
                "SELECT name, COUNT(*), MIN(at), MAX(at), AVG(seated), AVG(score), "
                "(SELECT stakes FROM visits l WHERE l.name = v.name ORDER BY at DESC LIMIT 1), "
                "(SELECT score FROM visits l WHERE l.name = v.name ORDER BY at DESC LIMIT 1) "
                "FROM visits v WHERE at >= ? GROUP BY name ORDER BY MAX(at) DESC, name");
            query.bind(1, static_cast<std::int64_t>(seconds(since)));
            std::vector<TableSummary> found;
            while (query.executeStep()) {
                TableSummary table;
                table.table = query.getColumn(0).getString();
                table.visits = query.getColumn(1).getInt();
                table.firstSeen = timeOf(query.getColumn(2).getInt64());
                table.lastSeen = timeOf(query.getColumn(3).getInt64());
                table.averageSeated = query.getColumn(4).getDouble();
                table.averageScore = query.getColumn(5).getDouble();
                table.stakes = query.getColumn(6).getString();
                table.lastScore = query.getColumn(7).getDouble();
                found.push_back(std::move(table));
            }
            return found;
        });
    }

    std::vector<TableVisit> table(const std::string& name, HistoryTime since) override {
        return guarded([&] {
            SQLite::Statement query(
                db_,
                "SELECT at, name, stakes, seated, seats, average_pot, average_vpip, "
                "average_pfr, "
                "average_af, average_wtsd, reads, buddies, losers, total_stacks, score, " +
                    std::string(waitingColumn_ ? "waiting" : "0") +
                    " FROM visits WHERE name = ? COLLATE NOCASE AND at >= ? ORDER BY at, id");
            query.bind(1, name);
            query.bind(2, static_cast<std::int64_t>(seconds(since)));
            std::vector<TableVisit> visits;
            while (query.executeStep()) {
                TableVisit visit;
                visit.at = timeOf(query.getColumn(0).getInt64());
                visit.table = query.getColumn(1).getString();
                visit.stakes = query.getColumn(2).getString();
                visit.seated = query.getColumn(3).getInt();
                visit.seats = query.getColumn(4).getInt();
                visit.averagePot = query.getColumn(5).getString();
                visit.averageVpip = query.getColumn(6).getString();
                visit.averagePfr = query.getColumn(7).getString();
                visit.averageAf = query.getColumn(8).getString();
                visit.averageWtsd = query.getColumn(9).getString();
                visit.reads = query.getColumn(10).getString();
                visit.buddies = query.getColumn(11).getString();
                visit.losers = query.getColumn(12).getString();
                visit.totalStacks = query.getColumn(13).getString();
                visit.score = query.getColumn(14).getDouble();
                visit.waiting = query.getColumn(15).getInt();
                visits.push_back(std::move(visit));
            }
            return visits;
        });
    }

    std::vector<PlayerVisit> player(const std::string& name, HistoryTime since,
                                    std::size_t limit) override {
        return guarded([&] {
            SQLite::Statement query(
                db_,
                "SELECT v.at, v.name, v.stakes, s.player, s.seat, s.chips, s.hands, s.vpip, "
                "s.pfr, s.af, s.wtsd, s.weak FROM sightings s JOIN visits v ON v.id = s.visit "
                "WHERE s.player = ? AND v.at >= ? ORDER BY v.at DESC, v.id DESC LIMIT ?");
            query.bind(1, name);
            query.bind(2, static_cast<std::int64_t>(seconds(since)));
            query.bind(3, limit == 0 ? std::int64_t{-1} : static_cast<std::int64_t>(limit));
            std::vector<PlayerVisit> visits;
            while (query.executeStep()) {
                PlayerVisit visit;
                visit.at = timeOf(query.getColumn(0).getInt64());
                visit.table = query.getColumn(1).getString();
                visit.stakes = query.getColumn(2).getString();
                PlayerSighting& seen = visit.sighting;
                seen.name = query.getColumn(3).getString();
                readStoredSeat(seen, query.getColumn(4).getInt());
                seen.chips = query.getColumn(5).getString();
                seen.hands = query.getColumn(6).getInt();
                seen.vpip = query.getColumn(7).getString();
                seen.pfr = query.getColumn(8).getString();
                seen.af = query.getColumn(9).getString();
                seen.wtsd = query.getColumn(10).getString();
                seen.weak = query.getColumn(11).getDouble();
                visits.push_back(std::move(visit));
            }
            return visits;
        });
    }

    std::vector<WatchedPlayer> watchedPlayers() override {
        return guarded([&] {
            SQLite::Statement query(db_, "SELECT name, note, added FROM watched ORDER BY name");
            std::vector<WatchedPlayer> players;
            while (query.executeStep())
                players.push_back({query.getColumn(0).getString(), query.getColumn(1).getString(),
                                   timeOf(query.getColumn(2).getInt64())});
            return players;
        });
    }

    void watch(const WatchedPlayer& player) override {
        guarded([&] {
            SQLite::Statement insert(db_,
                                     "INSERT INTO watched(name, note, added) VALUES(?,?,?) "
                                     "ON CONFLICT(name) DO UPDATE SET note = excluded.note");
            insert.bind(1, player.name);
            insert.bind(2, player.note);
            insert.bind(3, static_cast<std::int64_t>(seconds(player.added)));
            insert.exec();
        });
    }

    bool unwatch(const std::string& name) override {
        return guarded([&] {
            SQLite::Statement remove(db_, "DELETE FROM watched WHERE name = ?");
            remove.bind(1, name);
            return remove.exec() > 0;
        });
    }

    std::vector<StoredRule> rules() override {
        return guarded([&] {
            SQLite::Statement query(db_, "SELECT id, rule, note FROM rules ORDER BY id");
            std::vector<StoredRule> rules;
            while (query.executeStep())
                rules.push_back({query.getColumn(0).getInt(), query.getColumn(1).getString(),
                                 query.getColumn(2).getString()});
            return rules;
        });
    }

    int addRule(const std::string& rule, const std::string& note) override {
        return guarded([&] {
            SQLite::Statement insert(db_, "INSERT INTO rules(rule, note) VALUES(?,?)");
            insert.bind(1, rule);
            insert.bind(2, note);
            insert.exec();
            return static_cast<int>(db_.getLastInsertRowid());
        });
    }

    bool removeRule(int id) override {
        return guarded([&] {
            SQLite::Statement remove(db_, "DELETE FROM rules WHERE id = ?");
            remove.bind(1, id);
            return remove.exec() > 0;
        });
    }

    std::vector<bool> claimAlerts(std::span<const std::string> keys, HistoryTime now,
                                  std::chrono::seconds quiet) override {
        return guarded([&] {
            WriteTransaction transaction(db_);
            SQLite::Statement last(db_, "SELECT at FROM alerts WHERE key = ?");
            SQLite::Statement claim(db_, "INSERT OR REPLACE INTO alerts(key, at) VALUES(?,?)");
            std::vector<bool> claimed;
            for (const std::string& key : keys) {
                last.reset();
                last.bind(1, key);
                claimed.push_back(!last.executeStep() ||
                                  now - timeOf(last.getColumn(0).getInt64()) >= quiet);
                if (!claimed.back())
                    continue;
                claim.reset();
                claim.bind(1, key);
                claim.bind(2, static_cast<std::int64_t>(seconds(now)));
                claim.exec();
            }
            transaction.commit();
            return claimed;
        });
    }

private:
    template <typename Work>
    auto guarded(Work work) -> decltype(work()) {
        try {
            return work();
        } catch (const SQLite::Exception& e) {
            // A statement left half-run would hold the file's lock. Resetting
            // it repeats the error just caught, so it must not throw again.
            if (addVisit_)
                addVisit_->tryReset();
            if (addSighting_)
                addSighting_->tryReset();
            const int code = e.getErrorCode() & 0xff;
            throw HistoryError(file_.string() + ": " + e.what(),
                               code == SQLITE_BUSY || code == SQLITE_LOCKED
                                   ? HistoryError::Kind::Busy
                                   : HistoryError::Kind::Failed);
        }
    }

    SQLite::Statement& statement(std::unique_ptr<SQLite::Statement>& cached, const char* sql) {
        if (!cached)
            cached = std::make_unique<SQLite::Statement>(db_, sql);
        else
            cached->reset();
        return *cached;
    }

    std::filesystem::path file_;
    SQLite::Database db_;
    std::unique_ptr<SQLite::Statement> addVisit_;
    std::unique_ptr<SQLite::Statement> addSighting_;
    bool waitingColumn_;
};

int pragma(SQLite::Database& db, const char* name) {
    return db.execAndGet(std::string("PRAGMA ") + name).getInt();
}

struct Header {
    int application = 0;
    int version = 0;
    int objects = 0;
    bool fresh() const { return application == 0 && version == 0 && objects == 0; }
};

Header header(SQLite::Database& db) {
    return {pragma(db, "application_id"), pragma(db, "user_version"),
            db.execAndGet("SELECT COUNT(*) FROM sqlite_master").getInt()};
}

// Creates the schema in a new file; says why an existing one cannot be used.
// Only a fresh file is written to.
std::string prepare(SQLite::Database& db) {
    Header found;
    {
        // One read: a file another program is making is seen before or after, never half made.
        SQLite::Transaction read(db);
        found = header(db);
        read.commit();
    }
    if (found.fresh()) {
        WriteTransaction transaction(db);
        // Another program may have made the file since the look above.
        found = header(db);
        if (found.fresh()) {
            db.exec(kSchema);
            db.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
            db.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
            found = {kApplicationId, kSchemaVersion, 1};
        }
        transaction.commit();
    }
    const int application = found.application;
    const int version = found.version;
    if (application != kApplicationId)
        return "it is no scan history of this program";
    if (version > kSchemaVersion)
        return "a newer version of the program wrote it (schema " + std::to_string(version) +
               ", this one knows " + std::to_string(kSchemaVersion) + ")";
    if (version < 1)
        return "it holds no schema version";
    return {};
}

bool hasColumn(SQLite::Database& db, const char* table, const char* column) {
    SQLite::Statement query(
        db, std::string("SELECT COUNT(*) FROM pragma_table_info('") + table + "') WHERE name = ?");
    query.bind(1, column);
    return query.executeStep() && query.getColumn(0).getInt() > 0;
}

// Adds the waiting count to a file that lacks it, where it may be written.
bool hasWaitingColumn(SQLite::Database& db) {
    if (hasColumn(db, "visits", "waiting"))
        return true;
    if (sqlite3_db_readonly(db.getHandle(), "main") != 0)
        return false;
    try {
        WriteTransaction transaction(db);
        // Another program may have added it since the look above.
        if (!hasColumn(db, "visits", "waiting"))
            db.exec(kAddWaiting);
        transaction.commit();
        return true;
    } catch (const SQLite::Exception&) {
        // Held by another writer for long, or not writable after all: the
        // history works without the count, and a later start adds it.
        return false;
    }
}

}  // namespace

std::unique_ptr<HistoryStore> openSqliteHistory(const std::filesystem::path& file,
                                                std::string* problem,
                                                std::chrono::milliseconds busyWait) {
    const auto refuse = [&](const std::string& why) -> std::unique_ptr<HistoryStore> {
        if (problem)
            *problem = "The scan history \"" + file.string() + "\" cannot be used: " + why +
                       ". Scanning goes on without history; the file is left as it is.";
        return nullptr;
    };
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return refuse("it is no regular file");
    try {
        SQLite::Database db(file.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE,
                            static_cast<int>(busyWait.count()));
        // Reading the header first: a damaged file fails here, before any write.
        if (const std::string why = prepare(db); !why.empty())
            return refuse(why);
        // The file keeps its mode: set where it may be written and is not in
        // WAL yet. Another program starting at the same moment may keep it
        // from switching; the file works all the same, and the next start sets it.
        if (db.execAndGet("PRAGMA journal_mode").getString() != "wal" &&
            sqlite3_db_readonly(db.getHandle(), "main") == 0)
            db.tryExec("PRAGMA journal_mode = WAL");
        db.exec("PRAGMA synchronous = NORMAL");
        // A checkpoint syncs the file: not every thousand pages in the middle
        // of a pass, but when the writer has nothing else to do (idle()).
        db.exec("PRAGMA wal_autocheckpoint = 20000");
        // Each table's players land at random places of the player index: a
        // cache that holds the index saves reading its pages back.
        db.exec("PRAGMA cache_size = -65536");
        return std::make_unique<SqliteHistoryStore>(file, std::move(db), hasWaitingColumn(db));
    } catch (const SQLite::Exception& e) {
        return refuse(e.what());
    }
}

}  // namespace kestrova
