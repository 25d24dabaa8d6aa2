#include "ScanHistory.h"

#include "common/NumberText.h"
#include "common/Text.h"
#include "history/WatchRule.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>
#include <utility>

namespace kestrova {

namespace {

std::optional<double> playerFigure(const PlayerSighting& player, std::string_view figure) {
    if (figure == "vpip")
        return parseNumber(player.vpip);
    if (figure == "pfr")
        return parseNumber(player.pfr);
    if (figure == "af")
        return parseNumber(player.af);
    if (figure == "wtsd")
        return parseNumber(player.wtsd);
    if (figure == "hands")
        return player.hands;
    if (figure == "weak")
        return player.weak;
    return std::nullopt;
}

std::optional<double> tableFigure(const TableVisit& table, std::string_view figure) {
    if (figure == "score")
        return table.score;
    if (figure == "seated")
        return table.seated;
    if (figure == "waiting")
        return table.waiting;
    return std::nullopt;
}

// "Aconcagua ($0.10/$0.25, 3 of 6 seats)", "… 6 of 6 seats, 3 waiting)"
std::string tablePlace(const TableVisit& visit) {
    std::string seats = visit.seats > 0 ? std::to_string(visit.seated) + " of " +
                                              std::to_string(visit.seats) + " seats"
                                        : std::to_string(visit.seated) + " seated";
    if (visit.waiting > 0)
        seats += ", " + std::to_string(visit.waiting) + " waiting";
    return visit.table + " (" + visit.stakes + ", " + seats + ")";
}

// Why the texts cannot be stored, or empty: a shared server refuses bytes
// that are no UTF-8, and a name stored anyway could not be typed again.
std::string invalidText(const std::string& name, const std::string& note) {
    if (!isValidUtf8(name))
        return "the name is no valid UTF-8 text";
    if (!isValidUtf8(note))
        return "the note is no valid UTF-8 text";
    return {};
}

}  // namespace

void AlertNotices::passStarted() {
    inPass_ = true;
    told_ = 0;
}

std::vector<AlertNotice> AlertNotices::add(const std::vector<HistoryAlert>& alerts) {
    std::vector<AlertNotice> notices;
    for (const HistoryAlert& alert : alerts) {
        if (!alert.notify)
            continue;
        if (told_ < kHandful) {
            ++told_;
            notices.push_back({alert.text, alert.table});
        } else {
            held_.push_back(alert);
        }
    }
    if (!inPass_)
        for (AlertNotice& notice : flush())
            notices.push_back(std::move(notice));
    return notices;
}

std::vector<AlertNotice> AlertNotices::passEnded() {
    inPass_ = false;
    return flush();
}

// "12 more alerts in this scan: Ice_Man, Fish, Nit and 9 others"
std::vector<AlertNotice> AlertNotices::flush() {
    std::vector<HistoryAlert> held = std::exchange(held_, {});
    if (held.size() <= 1) {
        std::vector<AlertNotice> notices;
        for (const HistoryAlert& alert : held)
            notices.push_back({alert.text, alert.table});
        return notices;
    }
    constexpr std::size_t kNamed = 3;
    std::string text = std::to_string(held.size()) + " more alerts in this scan: ";
    for (std::size_t i = 0; i < held.size() && i < kNamed; ++i) {
        if (i > 0)
            text += i + 1 == held.size() ? " and " : ", ";
        text += held[i].player.empty() ? held[i].table : held[i].player;
    }
    if (held.size() > kNamed)
        text += " and " + std::to_string(held.size() - kNamed) +
                (held.size() - kNamed == 1 ? " other" : " others");
    return {{text + ". The Watch List shows them all.", {}}};
}

struct ScanHistory::WatchState {
    std::unordered_set<std::string> players;  // lower case
    std::vector<std::pair<int, WatchRule>> rules;
    // As last loaded, to tell a reload that changed something.
    std::vector<WatchedPlayer> listed;
    std::vector<StoredRule> stored;
};

ScanHistory::ScanHistory(Opener open, int keepDays, Now now, Poster post, Handlers handlers)
    : opener_(std::move(open)),
      keepDays_(keepDays),
      now_(std::move(now)),
      // What comes back after the history is gone (a front end's queue may
      // outlive it) is dropped.
      post_(
          [post = std::move(post), alive = std::weak_ptr<int>(alive_)](std::function<void()> work) {
              post([alive, work = std::move(work)] {
                  if (alive.lock())
                      work();
              });
          }),
      handlers_(std::move(handlers)),
      watch_(std::make_unique<WatchState>()) {
    if (!opener_) {
        available_ = false;
        problem_ = "No scan history is kept.";
    }
}

void ScanHistory::open() {
    if (!opener_)
        return;
    enqueue([this, open = std::exchange(opener_, nullptr)](HistoryStore*) {
        std::string problem;
        store_ = open(&problem);
        if (!store_) {
            // Without a reason the build keeps no history: nothing to tell.
            fail(problem.empty() ? "No scan history is kept." : problem, !problem.empty());
            return;
        }
        {
            const std::lock_guard lock(mutex_);
            breaker_ = store_->breaker();
        }
        try {
            reloadWatchList(*store_);
        } catch (const HistoryError& e) {
            fail(std::string("The scan history cannot be used: ") + e.what() +
                 ". Scanning goes on without history.");
        }
    });
}

ScanHistory::~ScanHistory() {
    close();
}

void ScanHistory::keepOnClosing(Opener local, std::string localName,
                                std::chrono::milliseconds wait) {
    local_ = std::move(local);
    localName_ = std::move(localName);
    closingWait_ = wait;
}

std::string ScanHistory::close() {
    if (std::exchange(closed_, true))
        return {};
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    // What was handed over is done before the end: a pass's last tables are
    // written when the window closes right after it. A slow server is waited
    // for only so long, and then broken off.
    std::vector<TableVisit> left;
    std::function<void()> breaker;
    const bool ended = writer_.stop(SerialWorker::Queued::Run,
                                    local_ ? std::optional(closingWait_) : std::nullopt);
    if (!ended) {
        const std::lock_guard lock(mutex_);
        abandoned_ = true;
        left = std::exchange(writing_, {});
        left.insert(left.end(), std::make_move_iterator(pending_.begin()),
                    std::make_move_iterator(pending_.end()));
        pending_.clear();
        breaker = breaker_;
    }
    if (breaker)
        breaker();
    writer_.join();
    return left.empty() ? std::string() : keepLocally(left);
}

std::string ScanHistory::keepLocally(const std::vector<TableVisit>& visits) {
    const std::string count = visits.size() == 1 ? std::string("the last table read is")
                                                 : "the last " + std::to_string(visits.size()) +
                                                       " tables read are";
    const std::string late = "The scan history did not answer within " +
                             std::to_string(closingWait_.count()) + " ms of closing: ";
    std::string problem;
    std::unique_ptr<HistoryStore> local = local_(&problem);
    try {
        if (local) {
            local->add(visits);
            return late + count + " kept in " + localName_ + " instead.";
        }
    } catch (const HistoryError& e) {
        problem = e.what();
    }
    return late + count + " lost (" + localName_ + ": " + problem + ").";
}

void ScanHistory::run(std::function<void(HistoryStore*)> work) {
    open();
    enqueue(std::move(work));
}

void ScanHistory::enqueue(std::function<void(HistoryStore*)> work) {
    writer_.post([this, work = std::move(work)] { work(store_.get()); });
}

void ScanHistory::storeIdle() {
    if (!store_)
        return;
    try {
        store_->idle();
    } catch (const HistoryError&) {
        // The next write tells what is wrong.
    }
}

void ScanHistory::whenDone(std::function<void()> done) {
    enqueue([this, done = std::move(done)](HistoryStore*) { post_(done); });
}

void ScanHistory::waitUntilIdle() {
    writer_.waitUntilIdle();
}

void ScanHistory::fail(const std::string& problem, bool tell) {
    store_.reset();
    problem_ = problem;
    {
        // A store broken off at closing is no news.
        const std::lock_guard lock(mutex_);
        tell = tell && !abandoned_;
    }
    post_([this, problem, tell] {
        available_ = false;
        if (tell && handlers_.failed)
            handlers_.failed(problem);
    });
}

void ScanHistory::busy(const std::string& what) {
    if (std::exchange(busyTold_, true))
        return;
    post_([this, problem = "The scan history is busy: " + what +
                           " (another program holds its write lock). Scanning goes on; what is "
                           "read while it stays busy is left out of the history."] {
        if (handlers_.failed)
            handlers_.failed(problem);
    });
}

namespace {

bool sameWatchList(const std::vector<WatchedPlayer>& players, const std::vector<StoredRule>& rules,
                   const std::vector<WatchedPlayer>& players2,
                   const std::vector<StoredRule>& rules2) {
    const auto samePlayer = [](const WatchedPlayer& a, const WatchedPlayer& b) {
        return a.name == b.name && a.note == b.note && a.added == b.added;
    };
    const auto sameRule = [](const StoredRule& a, const StoredRule& b) {
        return a.id == b.id && a.rule == b.rule && a.note == b.note;
    };
    return std::equal(players.begin(), players.end(), players2.begin(), players2.end(),
                      samePlayer) &&
           std::equal(rules.begin(), rules.end(), rules2.begin(), rules2.end(), sameRule);
}

}  // namespace

void ScanHistory::reloadWatchList(HistoryStore& store, bool onlyChanges) {
    auto players = store.watchedPlayers();
    auto rules = store.rules();
    if (onlyChanges && sameWatchList(players, rules, watch_->listed, watch_->stored))
        return;
    watch_->listed = players;
    watch_->stored = rules;
    watch_->players.clear();
    for (const WatchedPlayer& player : players)
        watch_->players.insert(lowerAsciiText(player.name));
    watch_->rules.clear();
    for (const StoredRule& stored : rules)
        if (std::optional<WatchRule> rule = WatchRule::parse(stored.rule, nullptr))
            watch_->rules.emplace_back(stored.id, std::move(*rule));
    post_([this, players = std::move(players), rules = std::move(rules)]() mutable {
        watched_ = std::move(players);
        rules_ = std::move(rules);
        if (handlers_.watchChanged)
            handlers_.watchChanged();
    });
}

void ScanHistory::reload() {
    if (!available_)
        return;
    run([this](HistoryStore* store) {
        if (!store)
            return;
        try {
            reloadWatchList(*store, true);
        } catch (const HistoryError&) {
            // Busy or failing, the store tells so at its next write; the list
            // in use stays until then.
        }
    });
}

void ScanHistory::record(TableVisit visit) {
    bool first = false;
    {
        const std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        first = pending_.empty();
        pending_.push_back(std::move(visit));
    }
    if (first)
        run([this](HistoryStore* store) { writePending(store); });
}

// Each table is committed as it comes; tables that came faster than they
// could be written go in together, in one transaction, with a round trip or
// two for all of them.
void ScanHistory::writePending(HistoryStore* store) {
    std::vector<TableVisit> visits;
    {
        const std::lock_guard lock(mutex_);
        visits.swap(pending_);
        writing_ = visits;
    }
    if (store && !visits.empty())
        write(*store, visits);
    const std::lock_guard lock(mutex_);
    writing_.clear();
}

void ScanHistory::write(HistoryStore& store, const std::vector<TableVisit>& visits) {
    try {
        // Before the first write, not at the start: reading never deletes.
        if (!pruned_) {
            if (const int days = store.keptDays().value_or(keepDays_); days > 0)
                store.prune(now_() - std::chrono::days(days));
            pruned_ = true;
        }
        std::vector<std::string> names;
        for (const TableVisit& visit : visits)
            for (const PlayerSighting& player : visit.players)
                names.push_back(player.name);
        std::vector<std::optional<PlayerVisit>> found = store.lastSeen(names);
        std::vector<std::pair<std::string, PlayerVisit>> seen;
        for (std::size_t i = 0; i < names.size() && i < found.size(); ++i)
            if (found[i])
                seen.emplace_back(lowerAsciiText(names[i]), std::move(*found[i]));
        store.add(visits);
        busyTold_ = false;
        std::vector<HistoryAlert> alerts = alertsFor(visits, store);
        post_([this, seen = std::move(seen), alerts = std::move(alerts)]() mutable {
            for (auto& [name, last] : seen)
                lastSeen_.insert_or_assign(name, std::move(last));
            if (!alerts.empty() && handlers_.alerts)
                handlers_.alerts(alerts);
        });
    } catch (const HistoryError& e) {
        if (e.busy())
            busy(e.what());
        else
            fail(std::string("The scan history could not be written: ") + e.what() +
                 ". Scanning goes on without history.");
    }
}

// Claims kept busy are tried once more; still busy, the alerts go out
// unclaimed: a second alert is better than none.
std::vector<bool> ScanHistory::claim(HistoryStore& store, const std::vector<std::string>& keys,
                                     HistoryTime now) {
    if (keys.empty())
        return {};
    for (int attempt = 0;; ++attempt) {
        try {
            return store.claimAlerts(keys, now, kAlertQuiet);
        } catch (const HistoryError& e) {
            if (!e.busy())
                throw;
            if (attempt > 0) {
                busy(e.what());
                return std::vector<bool>(keys.size(), true);
            }
        }
    }
}

std::vector<HistoryAlert> ScanHistory::alertsFor(const std::vector<TableVisit>& visits,
                                                 HistoryStore& store) {
    std::vector<HistoryAlert> alerts;
    std::vector<std::string> keys;  // each alert's
    for (const TableVisit& visit : visits) {
        const std::string place = tablePlace(visit);
        for (const PlayerSighting& player : visit.players) {
            HistoryAlert alert{visit.table, player.name, {}, {}};
            const std::string where = player.waiting ? " is waiting for " : " sat down at ";
            if (watch_->players.contains(lowerAsciiText(player.name))) {
                alert.text = player.name + where + place;
            } else {
                for (const auto& [id, rule] : watch_->rules) {
                    if (rule.subject() == WatchRule::Subject::Player &&
                        rule.matches([&](std::string_view f) { return playerFigure(player, f); })) {
                        alert.rule = rule.text();
                        alert.text = player.name + " (" + alert.rule + ")" + where + place;
                        break;
                    }
                }
            }
            if (!alert.text.empty()) {
                // Waiting and then sitting down are two things to tell.
                keys.push_back("player:" + lowerAsciiText(player.name) + "@" + visit.table +
                               (player.waiting ? "/waiting" : ""));
                alerts.push_back(std::move(alert));
            }
        }
        for (const auto& [id, rule] : watch_->rules) {
            if (rule.subject() != WatchRule::Subject::Table ||
                !rule.matches([&](std::string_view f) { return tableFigure(visit, f); }))
                continue;
            keys.push_back("rule:" + std::to_string(id) + "@" + visit.table);
            alerts.push_back({visit.table, {}, rule.text(), place + " meets " + rule.text()});
        }
    }
    // A key met twice in one batch (a table read twice) is told once.
    std::vector<std::string> distinct;
    std::unordered_map<std::string, std::size_t> index;
    for (const std::string& key : keys)
        if (index.emplace(key, distinct.size()).second)
            distinct.push_back(key);
    std::vector<bool> claimed = claim(store, distinct, now_());
    for (std::size_t a = 0; a < alerts.size(); ++a) {
        const std::size_t k = index.at(keys[a]);
        alerts[a].notify = claimed[k];
        claimed[k] = false;
    }
    return alerts;
}

bool ScanHistory::isWatched(const std::string& name) const {
    const std::string wanted = lowerAsciiText(name);
    for (const WatchedPlayer& player : watched_)
        if (lowerAsciiText(player.name) == wanted)
            return true;
    return false;
}

void ScanHistory::editWatchList(std::function<std::string(HistoryStore&)> edit, Done done) {
    run([this, edit = std::move(edit), done = std::move(done)](HistoryStore* store) {
        std::string problem = store ? std::string() : problem_;
        if (store) {
            try {
                problem = edit(*store);
                reloadWatchList(*store);
            } catch (const HistoryError& e) {
                problem = std::string("The watch list could not be saved: ") + e.what();
                // A busy store is whole: the next edit may well be saved.
                if (!e.busy())
                    fail(problem, !done);
                else if (!done)
                    post_([this, problem] {
                        if (handlers_.failed)
                            handlers_.failed(problem);
                    });
            }
        }
        if (done)
            post_([done, problem] { done(problem); });
    });
}

void ScanHistory::watch(const std::string& name, const std::string& note, Done done) {
    if (const std::string bad = invalidText(name, note); !bad.empty()) {
        if (done)
            post_([done, bad] { done(bad); });
        else if (handlers_.failed)
            handlers_.failed("The watch list could not be saved: " + bad);
        return;
    }
    editWatchList(
        [this, name, note](HistoryStore& store) {
            store.watch({name, note, now_()});
            return std::string();
        },
        std::move(done));
}

void ScanHistory::unwatch(const std::string& name, Done done) {
    editWatchList(
        [name](HistoryStore& store) {
            return store.unwatch(name) ? std::string() : "\"" + name + "\" is not watched";
        },
        std::move(done));
}

bool ScanHistory::addRule(const std::string& text, const std::string& note, std::string* problem,
                          Done done) {
    const std::optional<WatchRule> rule = WatchRule::parse(text, problem);
    if (!rule)
        return false;
    if (const std::string bad = invalidText({}, note); !bad.empty()) {
        if (problem)
            *problem = bad;
        return false;
    }
    editWatchList(
        [text = rule->text(), note](HistoryStore& store) {
            store.addRule(text, note);
            return std::string();
        },
        std::move(done));
    return true;
}

void ScanHistory::removeRule(int id, Done done) {
    editWatchList(
        [id](HistoryStore& store) {
            return store.removeRule(id) ? std::string() : "no rule " + std::to_string(id);
        },
        std::move(done));
}

const PlayerVisit* ScanHistory::lastSeen(const std::string& name) const {
    const auto found = lastSeen_.find(lowerAsciiText(name));
    return found == lastSeen_.end() ? nullptr : &found->second;
}

}  // namespace kestrova
