#include "trackers/TrackerStatements.h"

namespace kestrova::trackerStatements {

namespace {

constexpr std::string_view kPokerTracker3PerHand =
    "SELECT count (hhps.id_player), SUM (hhps.amt_won), "
    "SUM(case when (hhps.flg_vpip) then 1 else 0 end), "
    "SUM(case when (hhps.cnt_p_raise > 0) then 1 else 0 end), "
    "SUM(hhps.cnt_f_raise) + SUM(case when (hhps.flg_f_bet) THEN 1 ELSE 0 END), "
    "SUM(hhps.cnt_t_raise) + SUM(case when (hhps.flg_t_bet) THEN 1 ELSE 0 END), "
    "SUM(hhps.cnt_r_raise) + SUM(case when (hhps.flg_r_bet) THEN 1 ELSE 0 END), "
    "SUM(hhps.cnt_f_call), SUM(hhps.cnt_t_call), SUM(hhps.cnt_r_call), "
    "SUM(case when (hhps.flg_showdown) THEN 1 ELSE 0 END), "
    "SUM(case when (hhps.flg_won_hand AND hhps.flg_showdown) THEN 1 ELSE 0 END), "
    "SUM(case when (hhps.flg_f_saw) THEN 1 ELSE 0 END) "
    "FROM holdem_hand_player_statistics hhps, player p WHERE hhps.id_player = p.id_player "
    "AND p.player_name LIKE '";

constexpr std::string_view kElephant =
    "SELECT SUM(c.num_games), SUM(c.vpip), SUM(c.preflop_raise), "
    "SUM(c.af_br_flop), SUM(c.af_br_turn), SUM(c.af_br_river), SUM(c.af_ca_flop), "
    "SUM(c.af_ca_turn), SUM(c.af_ca_river), SUM(c.seen_flop), SUM(c.seen_showdown), "
    "SUM(c.won_sd) FROM player p, playercache c WHERE c.player_ID=p.player_ID AND "
    "p.player_name LIKE '";

constexpr std::string_view kHoldemManagerSummaryMonthly =
    "Select sum(totalhands), sum(totalamountwon), sum(vpiphands), "
    "sum(pfrhands), sum(sawshowdown), sum(sawflop), sum(wonshowdown), "
    "sum(bigblindstealattempted), sum(bigblindstealdefended), sum(smallblindstealattempted), "
    "sum(smallblindstealdefended) from compiledplayerresults_month where "
    "compiledplayerresults_id IN (Select compiledplayerresults_id from compiledresults_month "
    "where player_id IN (Select player_id from players where playername ILIKE '";

constexpr std::string_view kHoldemManagerSummary =
    "Select sum(totalhands), sum(totalamountwon), sum(vpiphands), "
    "sum(pfrhands), sum(sawshowdown), sum(sawflop), sum(wonshowdown), "
    "sum(bigblindstealattempted), sum(bigblindstealdefended), sum(smallblindstealattempted), "
    "sum(smallblindstealdefended) from compiledplayerresults where "
    "compiledplayerresults_id IN (Select compiledplayerresults_id from compiledresults "
    "where player_id IN (Select player_id from players where playername LIKE '";

constexpr std::string_view kHoldemManagerStreetsMonthly =
    "Select streetactiontype_id, sum(totalbets), sum(totalcalls) "
    "from postflopactions_month where (streetactiontype_id=1 OR streetactiontype_id=2 OR "
    "streetactiontype_id=3) AND compiledplayerresults_id IN (Select compiledplayerresults_id "
    "from compiledresults_month where player_id IN (Select player_id from players where "
    "playername ILIKE '";

constexpr std::string_view kHoldemManagerStreets =
    "Select streetactiontype_id, sum(totalbets), sum(totalcalls) "
    "from postflopactions where (streetactiontype_id=1 OR streetactiontype_id=2 OR "
    "streetactiontype_id=3) AND compiledplayerresults_id IN (Select compiledplayerresults_id "
    "from compiledresults where player_id IN (Select player_id from players where "
    "playername LIKE '";

std::string joined(std::string_view head, std::string_view middle, std::string_view tail) {
    std::string text;
    text.reserve(head.size() + middle.size() + tail.size());
    text += head;
    text += middle;
    text += tail;
    return text;
}

}  // namespace

const std::string_view kPokerTracker3Aggregated =
    "SELECT sum (hhps.hands), SUM (won), SUM(vpip), SUM(pfr), "
    "SUM(faf), SUM(taf), SUM(raf), SUM(fcall), SUM(tcall), SUM(rcall), SUM(showdown), "
    "SUM(wonhand), SUM(sawflop) FROM hhps WHERE player_name LIKE $1";

const std::string_view kAggregatorCreate =
    "CREATE TABLE hhps (  player_name text,  hands bigint,  won numeric,  vpip bigint,  "
    "pfr bigint,  faf bigint,  taf bigint,  raf bigint,  fcall bigint,  tcall bigint,  "
    "rcall bigint,  showdown bigint,  wonhand bigint,  sawflop bigint)";

const std::string_view kAggregatorDeclare =
    "declare mycur cursor for (SELECT p.player_name, count (hhps.id_player) as hands, "
    "SUM (hhps.amt_won) as won, SUM(case when (hhps.flg_vpip) then 1 else 0 end) as vpip, "
    "SUM(case when (hhps.cnt_p_raise > 0) then 1 else 0 end) as pfr, "
    "SUM(hhps.cnt_f_raise) + SUM(case when (hhps.flg_f_bet) THEN 1 ELSE 0 END) as faf, "
    "SUM(hhps.cnt_t_raise) + SUM(case when (hhps.flg_t_bet) THEN 1 ELSE 0 END) as taf, "
    "SUM(hhps.cnt_r_raise) + SUM(case when (hhps.flg_r_bet) THEN 1 ELSE 0 END) as raf, "
    "SUM(hhps.cnt_f_call) as fcall, SUM(hhps.cnt_t_call) as tcall, "
    "SUM(hhps.cnt_r_call) as rcall, "
    "SUM(case when (hhps.flg_showdown) THEN 1 ELSE 0 END) as showdown, "
    "SUM(case when (hhps.flg_won_hand AND hhps.flg_showdown) THEN 1 ELSE 0 END) as wonhand, "
    "SUM(case when (hhps.flg_f_saw) THEN 1 ELSE 0 END) as sawflop "
    "FROM holdem_hand_player_statistics hhps, player p WHERE hhps.id_player = p.id_player "
    "group by p.player_name)";

// The cursor's sums computed and stored by the server in one statement. The
// name is altered as alteredTrackerName() alters it: the first character kept,
// every later one that is not an ASCII letter or digit, or is "l" or "I",
// replaced by "_" (the characters are listed, not given as ranges, so that no
// collation can widen them). An empty sum is stored as 0.
const std::string_view kAggregatorInsertSelect =
    "INSERT INTO hhps (player_name, hands, won, vpip, pfr, faf, taf, raf, fcall, tcall, "
    "rcall, showdown, wonhand, sawflop) "
    "SELECT left(coalesce(p.player_name, ''), 1) || "
    "regexp_replace(substr(coalesce(p.player_name, ''), 2), "
    "'[^ABCDEFGHJKLMNOPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz0123456789]', '_', 'g'), "
    "count (hhps.id_player), coalesce(SUM (hhps.amt_won), 0), "
    "coalesce(SUM(case when (hhps.flg_vpip) then 1 else 0 end), 0), "
    "coalesce(SUM(case when (hhps.cnt_p_raise > 0) then 1 else 0 end), 0), "
    "coalesce(SUM(hhps.cnt_f_raise) + SUM(case when (hhps.flg_f_bet) THEN 1 ELSE 0 END), 0), "
    "coalesce(SUM(hhps.cnt_t_raise) + SUM(case when (hhps.flg_t_bet) THEN 1 ELSE 0 END), 0), "
    "coalesce(SUM(hhps.cnt_r_raise) + SUM(case when (hhps.flg_r_bet) THEN 1 ELSE 0 END), 0), "
    "coalesce(SUM(hhps.cnt_f_call), 0), coalesce(SUM(hhps.cnt_t_call), 0), "
    "coalesce(SUM(hhps.cnt_r_call), 0), "
    "coalesce(SUM(case when (hhps.flg_showdown) THEN 1 ELSE 0 END), 0), "
    "coalesce(SUM(case when (hhps.flg_won_hand AND hhps.flg_showdown) THEN 1 ELSE 0 END), 0), "
    "coalesce(SUM(case when (hhps.flg_f_saw) THEN 1 ELSE 0 END), 0) "
    "FROM holdem_hand_player_statistics hhps, player p WHERE hhps.id_player = p.id_player "
    "group by p.player_name";

std::string pokerTracker2PlayerSearch(std::string_view quotedPattern) {
    return joined(
        "select player_id, treeview_icon from players where "
        "screen_name LIKE '",
        quotedPattern, "'");
}

std::string pokerTracker2Statistics(const std::vector<std::string>& idLiterals) {
    std::string text =
        "SELECT sum(fbet), sum(fraise), sum(fcall), sum(tbet), "
        "sum(traise), sum(tcall), sum(rbet), sum(rraise), sum(rcall), sum(fpossible_actions), "
        "sum(tpossible_actions), sum(rpossible_actions), sum(pre_flop_raise_n), "
        "sum(vol_put_money_in_pot), sum(went_to_showdown_n), sum(saw_flop_n), "
        "sum(case when went_to_showdown_n=1 then won_hand else 0 end), sum(total_bet), "
        "sum(total_won), count(1)  FROM game_players WHERE player_id=";
    for (std::size_t i = 0; i < idLiterals.size(); ++i) {
        if (i > 0)
            text += " or player_id=";
        text += idLiterals[i];
    }
    return text;
}

std::string pokerTracker3Statistics(std::string_view quotedPattern) {
    return joined(kPokerTracker3PerHand, quotedPattern, "'");
}

std::string elephantStatistics(std::string_view quotedPattern) {
    return joined(kElephant, quotedPattern, "' GROUP BY c.player_id");
}

std::string holdemManagerSummary(bool monthlyTables, std::string_view quotedPattern) {
    return joined(monthlyTables ? kHoldemManagerSummaryMonthly : kHoldemManagerSummary,
                  quotedPattern, "'))");
}

std::string holdemManagerStreets(bool monthlyTables, std::string_view quotedPattern) {
    return joined(monthlyTables ? kHoldemManagerStreetsMonthly : kHoldemManagerStreets,
                  quotedPattern, "')) group by streetactiontype_id");
}

namespace {
constexpr std::string_view kAggregatorInsertHead =
    "Insert into hhps (player_name,  hands,  won,  vpip,  pfr,  faf,  taf,  raf,  fcall,  "
    "tcall,  rcall,  showdown,  wonhand,  sawflop) values ";
}  // namespace

std::string aggregatorValues(std::string_view quotedName,
                             const std::vector<std::string>& sumLiterals) {
    std::string text = "('";
    text += quotedName;
    text += "',";
    for (std::size_t i = 0; i < sumLiterals.size(); ++i) {
        if (i > 0)
            text += ',';
        text += sumLiterals[i];
    }
    text += ')';
    return text;
}

std::string aggregatorInsert(std::string_view quotedName,
                             const std::vector<std::string>& sumLiterals) {
    return std::string(kAggregatorInsertHead) + aggregatorValues(quotedName, sumLiterals) + ";";
}

std::string aggregatorInsertRows(const std::vector<std::string>& valueRows) {
    std::string text(kAggregatorInsertHead);
    for (std::size_t i = 0; i < valueRows.size(); ++i) {
        if (i > 0)
            text += ',';
        text += valueRows[i];
    }
    text += ';';
    return text;
}

}  // namespace kestrova::trackerStatements
