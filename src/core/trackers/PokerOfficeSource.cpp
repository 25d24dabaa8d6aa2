#include "trackers/PokerOfficeSource.h"

#include <algorithm>
#include <charconv>
#include <chrono>

#include "sql/SqlDrivers.h"
#include "trackers/TrackerValues.h"

namespace kestrova {

namespace {

using trackerValues::add;
using trackerValues::toCounter;

constexpr unsigned kPostgresDefaultPort = 5432;
constexpr unsigned kMaxPort = 65535;

std::int32_t counter(const SqlRow& row, std::string_view column) {
    const auto value = row.value(column);
    return value ? toCounter(*value) : 0;
}

// Each letter of one street's actions: C a call, B a bet, R a raise.
void countStreet(const SqlRow& row, std::string_view column, std::int32_t& bets,
                 std::int32_t& raises, std::int32_t& calls) {
    const auto actions = row.value(column);
    if (!actions)
        return;
    for (const char action : *actions) {
        if (action == 'C')
            add(calls, 1);
        else if (action == 'B')
            add(bets, 1);
        else if (action == 'R')
            add(raises, 1);
    }
}

}  // namespace

unsigned PokerOfficeSource::serverPort(std::string_view port) {
    unsigned value = 0;
    const char* end = port.data() + port.size();
    const auto [ptr, error] = std::from_chars(port.data(), end, value);
    if (port.empty() || error != std::errc() || ptr != end || value > kMaxPort ||
        value == kPostgresDefaultPort)
        return 0;
    return value;
}

std::unique_ptr<SqlConnection> PokerOfficeSource::open(std::string& error) {
    const DatabaseEntry& e = entry();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(statementTimeout());
    return openMysql({e.host, serverPort(e.port), e.database, e.user, e.password},
                     static_cast<int>(std::max<std::chrono::seconds::rep>(seconds.count(), 1)),
                     error);
}

void PokerOfficeSource::fail(const std::string& reason, MessageSink& messages) {
    connection_.reset();
    const DatabaseEntry& e = entry();
    failForPass(MessageKind::DatabaseUnusable,
                "PokerOffice database \"" + e.database + "\" on " +
                    (e.host.empty() ? std::string("this computer") : e.host) +
                    " cannot be used in this pass: " + reason,
                reason, messages);
}

bool PokerOfficeSource::addCounters(const TrackerName& name, TrackerCounters& counters,
                                    MessageSink& messages) {
    std::optional<std::string> id;
    bool searched = false;
    for (int attempt = 0; attempt < 2 && !searched; ++attempt) {
        const bool kept = connection_ != nullptr;
        if (!kept) {
            std::string error;
            connection_ = open(error);
            if (!connection_) {
                fail(error, messages);
                return true;
            }
        }
        searched = connection_->query(kPlayerSearch, {name.pattern}, [&](const SqlRow& row) {
            if (const auto value = row.value("playerid"))
                id.emplace(*value);
            return false;  // the first row is the player
        });
        // A server silent on the kept connection is left out at once: a new
        // connection would cost another wait, for every player of the pass.
        if (!searched && (!kept || connection_->timedOut())) {
            fail(connection_->errorMessage(), messages);
            return true;
        }
        if (!searched)
            connection_.reset();
    }
    // No player, no second statement.
    if (!searched || !id)
        return true;
    const TrackerCounters before = counters;
    const bool read = connection_->query(kActions, {*id}, [&](const SqlRow& row) {
        add(counters.hands, 1);
        add(counters.flopsSeen, 1);
        const auto preflop = row.value("action1");
        if (preflop && preflop->find_first_of("CBR") != std::string_view::npos)
            add(counters.vpip, 1);
        countStreet(row, "action2", counters.flopBets, counters.flopRaises, counters.flopCalls);
        countStreet(row, "action3", counters.turnBets, counters.turnRaises, counters.turnCalls);
        countStreet(row, "action4", counters.riverBets, counters.riverRaises, counters.riverCalls);
        add(counters.pfr, counter(row, "raisedpreflop"));
        const std::int32_t showdown = counter(row, "showdown");
        add(counters.showdowns, showdown);
        if (showdown == 1)
            add(counters.showdownsWon, counter(row, "won"));
        return true;
    });
    // Part of a player's hands would pass for all of them.
    if (!read) {
        counters = before;
        fail(connection_->errorMessage(), messages);
    }
    return true;
}

}  // namespace kestrova
