#include "TableColumns.h"

#include "TableRow.h"
#include "common/NumberText.h"
#include "common/TranslatableText.h"
#include "settings/SettingKeys.h"

#include <charconv>
#include <iterator>

namespace kestrova {

namespace {

// The figures exist on scanned rows only.
template <std::optional<double> TableEvaluation::*Average>
std::string average(const TableRow& row) {
    return row.evaluation ? averageText((*row.evaluation).*Average) : std::string();
}

template <int TableEvaluation::*Count>
std::string count(const TableRow& row) {
    return row.evaluation ? std::to_string((*row.evaluation).*Count) : std::string();
}

std::string reads(const TableRow& row) {
    return row.evaluation ? readsText(*row.evaluation) : std::string();
}

std::string stacks(const TableRow& row) {
    return row.evaluation ? stacksText(*row.evaluation) : std::string();
}

// One decimal whatever the desktop's locale.
std::string scoreText(double score) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, score, std::chars_format::fixed, 1).ptr;
    return std::string(text, end);
}

std::string score(const TableRow& row) {
    return row.evaluation ? scoreText(row.evaluation->score.score) : std::string();
}

constexpr TableColumn kColumns[] = {
    {KESTROVA_TEXT("Columns", "Tablename"),
     [](const TableRow& r) { return r.name; },
     &keys::dtname,
     0,
     KESTROVA_TEXT("Columns",
                   "The table; green when you sit there yourself, grey while its figures are from "
                   "an earlier pass"),
     false,
     {SortKind::Name}},
    {KESTROVA_TEXT("Columns", "Limit"),
     [](const TableRow& r) { return r.stakes; },
     &keys::dtlimit,
     1,
     KESTROVA_TEXT("Columns", "The stakes: small blind / big blind"),
     false,
     {SortKind::IntegerAfterFirst}},
    {KESTROVA_TEXT("Columns", "WL"),
     [](const TableRow& r) { return std::to_string(r.waiting); },
     &keys::dtwl,
     8,
     KESTROVA_TEXT("Columns",
                   "The waiting list: players waiting for a seat, as the lobby counts them; point "
                   "at a number for their names"),
     false,
     {SortKind::Integer}},
    {KESTROVA_TEXT("Columns", "Player"),
     [](const TableRow& r) { return std::to_string(r.players); }, &keys::dtplayer, 2,
     KESTROVA_TEXT("Columns", "Players seated: the lobby's count, or the seats a scan read"), true},
    {KESTROVA_TEXT("Columns", "Avg. Pot"),
     [](const TableRow& r) { return r.averagePot; },
     &keys::dtavgpot,
     3,
     KESTROVA_TEXT("Columns", "The average pot as the lobby shows it"),
     true,
     {SortKind::Amount}},
    {KESTROVA_TEXT("Columns", "Avg. VPIP"),
     average<&TableEvaluation::averageVpip>,
     &keys::dtavgvpip,
     4,
     KESTROVA_TEXT("Columns",
                   "How often they put money in the pot voluntarily (%), averaged over the players "
                   "with more hands than the Profile page's minimum; coloured by the VPIP profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Avg. PFR"),
     average<&TableEvaluation::averagePfr>,
     &keys::dtavgpfr,
     5,
     KESTROVA_TEXT("Columns",
                   "How often they raise before the flop (%), averaged likewise; coloured by the "
                   "PFR profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Avg. AF"),
     average<&TableEvaluation::averageAf>,
     &keys::dtavgaf,
     9,
     KESTROVA_TEXT("Columns",
                   "Their aggression factor (bets and raises per call), averaged likewise"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Avg. WTSD"),
     average<&TableEvaluation::averageWtsd>,
     &keys::dtavgwtsd,
     10,
     KESTROVA_TEXT("Columns",
                   "How often they go to showdown after the flop (%), averaged likewise; coloured "
                   "by the WTSD profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "# Reads"), reads, &keys::dtreads, 6,
     KESTROVA_TEXT("Columns",
                   "R / K: players with more hands than the minimum / players the databases know"),
     true},
    {KESTROVA_TEXT("Columns", "# Buddies"),
     count<&TableEvaluation::buddies>,
     &keys::dtbuddies,
     7,
     KESTROVA_TEXT("Columns", "Players at the table who are on your buddy list"),
     true,
     {SortKind::Number, {11, 5}}},
    {KESTROVA_TEXT("Columns", "# Loser"), count<&TableEvaluation::losers>, nullptr, -1,
     KESTROVA_TEXT("Columns", "Players with hands in the databases who have lost money overall"),
     true},
    {KESTROVA_TEXT("Columns", "Tot.Stacks"),
     stacks,
     nullptr,
     -1,
     KESTROVA_TEXT("Columns", "The chips of every seated player together"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Score"),
     score,
     nullptr,
     -1,
     KESTROVA_TEXT("Columns",
                   "The expected number of weak players at the table: each player counts with the "
                   "chance that his true VPIP is above the mark the Display page sets, judged by "
                   "his hands so far (one without hands by the guess set there). Rows from the "
                   "score set there on are tinted green"),
     true,
     {SortKind::Number}},
};
static_assert(std::size(kColumns) == kTableColumnCount);

}  // namespace

std::span<const TableColumn, kTableColumnCount> tableColumns() {
    return kColumns;
}

double shownScore(double score) {
    // Read back from its text: rounding the number itself can land on the
    // other side of a half (1.95 is stored a little below it).
    const std::string text = scoreText(score);
    double shown = score;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

std::string averageText(const std::optional<double>& average) {
    return average ? twoDecimals(*average) : std::string("0");
}

std::string readsText(const TableEvaluation& evaluation) {
    return std::to_string(evaluation.reads) + " / " + std::to_string(evaluation.known);
}

std::string stacksText(const TableEvaluation& evaluation) {
    return twoDecimals(evaluation.stackSum);
}

std::vector<SortRule> tableSortRules() {
    std::vector<SortRule> rules;
    for (const TableColumn& column : tableColumns())
        rules.push_back(column.sort);
    return rules;
}

TableColumnTexts columnTextsOf(const TableRow& row) {
    TableColumnTexts texts;
    for (std::size_t c = 0; c < kTableColumnCount; ++c)
        texts[c] = tableColumns()[c].text(row);
    return texts;
}

}  // namespace kestrova
