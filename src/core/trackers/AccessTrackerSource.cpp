#include "trackers/AccessTrackerSource.h"

#include "common/MessageSink.h"
#include "common/Text.h"
#include "sql/SqlDrivers.h"
#include "trackers/TrackerValues.h"

namespace kestrova {

namespace {

using trackerValues::add;
using trackerValues::addCounts;
using trackerValues::toCounter;
using trackerValues::toMoney;

constexpr std::string_view kStatisticsHead =
    "SELECT sum(fbet) as sfbet, sum(fraise) as sfraise, sum(fcall) as sfcall, sum(tbet) as "
    "stbet, sum(traise) as straise, sum(tcall) as stcall, sum(rbet) as srbet, sum(rraise) as "
    "srraise, sum(rcall) as srcall, sum(fpossible_actions) as sfpossible_actions, "
    "sum(tpossible_actions) as stpossible_actions, sum(rpossible_actions) as "
    "srpossible_actions, sum(pre_flop_raise_n) as spre_flop_raise_n, sum(vol_put_money_in_pot) "
    "as vol_put_money_in, sum(went_to_showdown_n) as swent_to_showdown_n, sum(saw_flop_n) as "
    "ssaw_flop_n, sum(iif(game_players.went_to_showdown_n = 1, game_players.won_hand, 0)) as "
    "swon_hand, sum(total_bet) as stotal_bet, sum(total_won) as stotal_won, count(*) as "
    "total_hands FROM game_players WHERE player_id=";

// The plain rows for drivers without sums, one id at a time (the simplest
// statement any driver runs).
constexpr std::string_view kGameRows =
    "SELECT fbet, fraise, fcall, tbet, traise, tcall, rbet, rraise, rcall, pre_flop_raise_n, "
    "vol_put_money_in_pot, went_to_showdown_n, saw_flop_n, won_hand, total_bet, total_won "
    "FROM game_players WHERE player_id=";

bool isWholeNumber(std::string_view text) {
    return trackerValues::isDecimalInteger(text);
}

bool startsWithKey(std::string_view text, std::string_view key) {
    return text.size() >= key.size() && equalIgnoringAsciiCase(text.substr(0, key.size()), key);
}

// Adds the field when the row has it and it is not NULL.
void addField(const SqlRow& row, std::string_view field, std::int32_t& counter) {
    if (const auto value = row.value(field))
        add(counter, toCounter(*value));
}

void addMoney(const SqlRow& row, std::string_view field, float& sum) {
    if (const auto value = row.value(field))
        sum += toMoney(*value);
}

}  // namespace

std::string AccessTrackerSource::namePattern(std::string_view name) {
    std::string pattern(trimBlanks(name));
    for (char& c : pattern) {
        if (c == '\'' || c == 'l' || c == 'I')
            c = '_';
    }
    return pattern;
}

std::string AccessTrackerSource::statisticsStatement(const std::vector<std::string>& ids,
                                                     std::vector<std::string>& bound) {
    std::string text(kStatisticsHead);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i > 0)
            text += " or player_id=";
        if (isWholeNumber(ids[i])) {
            text += ids[i];
        } else {
            text += '?';
            bound.push_back(ids[i]);
        }
    }
    return text;
}

std::unique_ptr<SqlConnection> AccessTrackerSource::open(std::string& error) {
    const std::string& database = entry().database;
    const bool connectionString =
        startsWithKey(database, "Driver=") || startsWithKey(database, "DSN=");
    return openOdbc(connectionString ? database : accessConnectionString(database), error);
}

void AccessTrackerSource::fail(const std::string& reason, MessageSink& messages) {
    failForPass(MessageKind::DatabaseFileUnreadable,
                "The PokerTracker database \"" + entry().database +
                    "\" cannot be read in this pass: " + reason,
                reason, messages);
}

bool AccessTrackerSource::addCounters(const TrackerName& name, TrackerCounters& counters,
                                      MessageSink& messages) {
    std::string error;
    const auto connection = open(error);
    if (!connection) {
        fail(error, messages);
        return true;
    }
    std::vector<std::string> ids;
    std::int32_t icon = 0;
    const bool searched =
        connection->query(kPlayerSearch, {namePattern(name.name)}, [&](const SqlRow& row) {
            if (const auto id = row.value("player_id"))
                ids.emplace_back(*id);
            if (const auto value = row.value("treeview_icon"))
                icon = toCounter(*value);
            return true;
        });
    if (!searched) {
        fail(connection->errorMessage(), messages);
        return true;
    }
    if (icon != 0)
        counters.icon = icon;
    if (ids.empty())
        return true;

    if (sums_ == Sums::ByDriver) {
        std::vector<std::string> bound;
        TrackerCounters sums;
        const bool summed =
            connection->query(statisticsStatement(ids, bound), bound, [&](const SqlRow& row) {
                addField(row, "total_hands", sums.hands);
                addField(row, "sfbet", sums.flopBets);
                addField(row, "sfraise", sums.flopRaises);
                addField(row, "sfcall", sums.flopCalls);
                addField(row, "stbet", sums.turnBets);
                addField(row, "straise", sums.turnRaises);
                addField(row, "stcall", sums.turnCalls);
                addField(row, "srbet", sums.riverBets);
                addField(row, "srraise", sums.riverRaises);
                addField(row, "srcall", sums.riverCalls);
                addField(row, "spre_flop_raise_n", sums.pfr);
                addField(row, "vol_put_money_in", sums.vpip);
                addField(row, "swent_to_showdown_n", sums.showdowns);
                addField(row, "ssaw_flop_n", sums.flopsSeen);
                addField(row, "swon_hand", sums.showdownsWon);
                addMoney(row, "stotal_won", sums.won);
                addMoney(row, "stotal_bet", sums.totalBet);
                return true;
            });
        if (summed) {
            addCounts(counters, sums);
            return true;
        }
    }
    return sumInProgram(*connection, ids, counters, messages);
}

bool AccessTrackerSource::sumInProgram(SqlConnection& connection,
                                       const std::vector<std::string>& ids,
                                       TrackerCounters& counters, MessageSink& messages) {
    TrackerCounters sums;
    for (const std::string& id : ids) {
        const bool whole = isWholeNumber(id);
        const std::string statement = std::string(kGameRows) + (whole ? id : "?");
        const bool read = connection.query(
            statement, whole ? std::vector<std::string>{} : std::vector<std::string>{id},
            [&](const SqlRow& row) {
                const auto at = [&](std::size_t column) {
                    const auto value = row.value(column);
                    return value ? toCounter(*value) : 0;
                };
                add(sums.hands, 1);
                add(sums.flopBets, at(0));
                add(sums.flopRaises, at(1));
                add(sums.flopCalls, at(2));
                add(sums.turnBets, at(3));
                add(sums.turnRaises, at(4));
                add(sums.turnCalls, at(5));
                add(sums.riverBets, at(6));
                add(sums.riverRaises, at(7));
                add(sums.riverCalls, at(8));
                add(sums.pfr, at(9));
                add(sums.vpip, at(10));
                add(sums.showdowns, at(11));
                add(sums.flopsSeen, at(12));
                if (at(11) == 1)
                    add(sums.showdownsWon, at(13));
                if (const auto bet = row.value(std::size_t{14}))
                    sums.totalBet += toMoney(*bet);
                if (const auto won = row.value(std::size_t{15}))
                    sums.won += toMoney(*won);
                return true;
            });
        if (!read) {
            // Sums over part of the games would pass for the player's figures.
            fail(connection.errorMessage(), messages);
            return true;
        }
    }
    addCounts(counters, sums);
    return true;
}

}  // namespace kestrova
