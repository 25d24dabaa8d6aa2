#pragma once

#include "SerialWorker.h"
#include "history/HistoryRecords.h"
#include "history/HistoryStore.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kestrova {

// A watched player or a rule met at a table a pass read.
struct HistoryAlert {
    std::string table;
    std::string player;  // empty for a table rule
    std::string rule;    // the rule met, empty for a watched player
    std::string text;    // "Ice_Man sat down at Aconcagua ($0.10/$0.25, 3 of 6 seats)"
    // False when it was told within the last ScanHistory::kAlertQuiet: the
    // table is marked again, but nobody is told again.
    bool notify = true;
};

// What the desktop is told of alerts: one notice for one alert, or one for
// several.
struct AlertNotice {
    std::string text;
    std::string table;  // empty for several alerts
};

// Keeps a pass's alerts from flooding the desktop: the first handful are
// told one by one as they come, the rest of the pass together once it ends
// (or at once when they come after its end).
class AlertNotices {
public:
    static constexpr std::size_t kHandful = 5;

    void passStarted();
    // What to tell now of alerts the history raised.
    std::vector<AlertNotice> add(const std::vector<HistoryAlert>& alerts);
    // The pass ended and the history wrote all it read: what is left to tell.
    std::vector<AlertNotice> passEnded();

private:
    std::vector<AlertNotice> flush();

    bool inPass_ = false;
    std::size_t told_ = 0;  // one by one in this pass
    std::vector<HistoryAlert> held_;
};

// The scan history as the session keeps it. A thread of its own opens the
// store when it is first used, writes every table a pass reads, checks the
// watch list and answers the front ends' questions, so that neither the front
// end nor the pass ever waits on the file. What it learns comes back through
// the poster, on the front end's thread. After a failure (a full disk, a
// read-only or damaged file) it says so once and the program goes on without
// history. A store another program keeps busy is kept: what could not be
// written while it was busy is left out, said once per busy spell.
class ScanHistory final {
public:
    using Poster = std::function<void(std::function<void()>)>;
    using Opener = std::function<std::unique_ptr<HistoryStore>(std::string* problem)>;
    using Now = std::function<HistoryTime()>;
    // At most one alert per player and table, or per rule and table, this often.
    static constexpr std::chrono::hours kAlertQuiet{1};

    struct Handlers {
        // Once when the store fails, and once for each spell it is busy.
        std::function<void(const std::string& problem)> failed;
        std::function<void(const std::vector<HistoryAlert>&)> alerts;
        std::function<void()> watchChanged;
    };
    // The end of a watch list edit, on the front end's thread: why nothing
    // was saved, or empty when it was.
    using Done = std::function<void(const std::string& problem)>;

    // How long closing waits for a store behind a network.
    static constexpr std::chrono::seconds kClosingWait{3};

    // `open` runs on the history thread; a null opener keeps no history.
    // `keepDays` > 0 prunes what is older before the first write, unless the
    // store keeps a time of its own (HistoryStore::keptDays).
    ScanHistory(Opener open, int keepDays, Now now, Poster post, Handlers handlers);
    // Closes without telling anybody.
    ~ScanHistory();
    ScanHistory(const ScanHistory&) = delete;
    ScanHistory& operator=(const ScanHistory&) = delete;

    // False once the store failed or could not be opened.
    bool available() const { return available_; }
    // Opens the store now rather than at its first use (loading the watch list).
    void open();

    // Writes the table, then alerts for the watched players and the rules it
    // meets: every one it meets, those told in the quiet time not to be told again.
    void record(TableVisit visit);

    // The watch list as last loaded, on the front end's thread.
    const std::vector<WatchedPlayer>& watched() const { return watched_; }
    const std::vector<StoredRule>& rules() const { return rules_; }
    bool isWatched(const std::string& name) const;
    // Edits: without `done`, a failure goes to the failed handler, and a
    // player or rule that is already gone is no failure.
    void watch(const std::string& name, const std::string& note, Done done = {});
    void unwatch(const std::string& name, Done done = {});
    // False, with the reason, for text that is no rule.
    bool addRule(const std::string& rule, const std::string& note, std::string* problem,
                 Done done = {});
    void removeRule(int id, Done done = {});

    // Loads the watch list anew: another program may have changed it. The
    // front end is told only when it did.
    void reload();

    // Where the player was seen before the last pass read him; null when never.
    const PlayerVisit* lastSeen(const std::string& name) const;

    // Runs `query` on the history thread and hands its result to `done` on
    // the front end's; `failed` gets the reason when the store cannot answer.
    template <typename Result>
    void ask(std::function<Result(HistoryStore&)> query, std::function<void(Result)> done,
             std::function<void(const std::string&)> failed) {
        run([this, query = std::move(query), done = std::move(done),
             failed = std::move(failed)](HistoryStore* store) mutable {
            if (!store) {
                post_([failed, why = problem_] { failed(why); });
                return;
            }
            try {
                post_([done, result = query(*store)]() mutable { done(std::move(result)); });
            } catch (const HistoryError& e) {
                post_([failed, why = std::string(e.what())] { failed(why); });
            }
        });
    }

    // Returns once everything handed over so far is done (the command line).
    void waitUntilIdle();
    // Calls `done` on the front end's thread once everything handed over so
    // far is done and its alerts are told.
    void whenDone(std::function<void()> done);

    // Closing waits at most `wait` for the store; the tables it has not taken
    // by then go to the store `local` opens (`localName` in the message).
    // Without this, closing waits until everything is written.
    void keepOnClosing(Opener local, std::string localName,
                       std::chrono::milliseconds wait = kClosingWait);
    // Ends the history thread. Empty when everything handed over was written;
    // else what became of the tables the store did not take in time. Later
    // tables are not written.
    std::string close();

private:
    struct WatchState;
    void run(std::function<void(HistoryStore*)> work);
    void enqueue(std::function<void(HistoryStore*)> work);
    // Between writes, on the history thread: the store may let go of its lock.
    void storeIdle();
    void fail(const std::string& problem, bool tell = true);
    // Tells once per spell that the store is busy; `what` is the store's error.
    void busy(const std::string& what);
    void writePending(HistoryStore* store);
    void write(HistoryStore& store, const std::vector<TableVisit>& visits);
    std::vector<bool> claim(HistoryStore& store, const std::vector<std::string>& keys,
                            HistoryTime now);
    // Keeps the tables in the local store; says what became of them.
    std::string keepLocally(const std::vector<TableVisit>& visits);
    // Changes the stored watch list, then loads it anew for the alerts and the
    // front end. The edit returns why nothing changed, or empty.
    void editWatchList(std::function<std::string(HistoryStore&)> edit, Done done);
    // `onlyChanges`: the front end is not told of a list that stayed as it was.
    void reloadWatchList(HistoryStore& store, bool onlyChanges = false);
    std::vector<HistoryAlert> alertsFor(const std::vector<TableVisit>& visits, HistoryStore& store);

    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    Opener opener_;  // until the store is opened
    int keepDays_;
    Now now_;
    Poster post_;
    Handlers handlers_;
    bool available_ = true;  // the front end's view

    // The history thread's alone.
    std::unique_ptr<HistoryStore> store_;
    std::string problem_;
    bool pruned_ = false;
    bool busyTold_ = false;
    std::unique_ptr<WatchState> watch_;

    Opener local_;
    std::string localName_;
    std::chrono::milliseconds closingWait_{0};
    bool closed_ = false;

    // The front end's copies.
    std::vector<WatchedPlayer> watched_;
    std::vector<StoredRule> rules_;
    std::unordered_map<std::string, PlayerVisit> lastSeen_;  // by lower-case name

    std::mutex mutex_;                 // guards what follows, shared with the history thread
    std::vector<TableVisit> pending_;  // handed over, not yet written
    std::vector<TableVisit> writing_;  // being written now
    std::function<void()> breaker_;    // the store's, once it is open
    bool stopping_ = false;
    bool abandoned_ = false;  // closing stopped waiting for the store
    // Last: it ends before what its closures use goes.
    SerialWorker writer_{[this] { storeIdle(); }};
};

}  // namespace kestrova
