#include "PlayerColumns.h"

#include "common/TranslatableText.h"
#include "records/PlayerStats.h"
#include "settings/SettingKeys.h"

#include <charconv>
#include <iterator>

namespace kestrova {

namespace {

// The screen's readings as the record holds them.
template <std::string PlayerStats::*Field>
std::string field(const PlayerCells& cells) {
    return cells.record.*Field;
}

// The figures to the cent, "N/A" where there is none.
template <Figure PlayerStats::*Field>
std::string figure(const PlayerCells& cells) {
    return figureText(cells.record.*Field);
}

std::string hands(const PlayerCells& cells) {
    return handsText(cells.record);
}

std::string wonSd(const PlayerCells& cells) {
    return wonSdText(cells.record);
}

// A waiting player has no seat yet.
std::string seat(const PlayerCells& cells) {
    return cells.record.waiting ? "waiting" : cells.record.seat;
}

std::string autorate(const PlayerCells& cells) {
    return cells.autorateLabel;
}

std::string weak(const PlayerCells& cells) {
    return weaknessText(cells.weakness);
}

// The buddy box has no text, and "BB/100" is never filled.
std::string empty(const PlayerCells&) {
    return {};
}

constexpr PlayerColumn kColumns[] = {
    {KESTROVA_TEXT("Columns", "Seat"),
     seat,
     &keys::dpseat,
     0,
     {},
     KESTROVA_TEXT("Columns", "The seat at the table"),
     false,
     {SortKind::Integer}},
    {KESTROVA_TEXT("Columns", "Screenname"),
     field<&PlayerStats::name>,
     &keys::dpname,
     1,
     {},
     KESTROVA_TEXT("Columns", "The player's screen name"),
     false,
     {SortKind::Name}},
    {KESTROVA_TEXT("Columns", "Autorate"),
     autorate,
     &keys::dpicon,
     14,
     {},
     KESTROVA_TEXT("Columns",
                   "The player's type, as the tracker's autorate profiles call it (point at a code "
                   "for its meaning in the tracker)")},
    {KESTROVA_TEXT("Columns", "Buddy"),
     empty,
     &keys::dpbuddy,
     2,
     {},
     KESTROVA_TEXT("Columns", "Checked: the player is on your buddy list")},
    {KESTROVA_TEXT("Columns", "Stack"),
     field<&PlayerStats::stack>,
     &keys::dpstack,
     8,
     {},
     KESTROVA_TEXT("Columns", "His chips at the table"),
     true,
     {SortKind::Amount}},
    {KESTROVA_TEXT("Columns", "Hands"),
     hands,
     &keys::dphands,
     7,
     {},
     KESTROVA_TEXT("Columns", "His hands in your databases; coloured by the Hands profile"),
     true,
     {SortKind::Integer}},
    {KESTROVA_TEXT("Columns", "Won"),
     figure<&PlayerStats::won>,
     &keys::dpwon,
     13,
     {},
     KESTROVA_TEXT("Columns", "What he has won overall; the biggest losers come first"),
     false,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "BB/100"), empty, nullptr, -1, {}, {}, false, {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "VPIP"),
     figure<&PlayerStats::vpip>,
     &keys::dpvpip,
     3,
     {},
     KESTROVA_TEXT("Columns",
                   "How often he puts money in the pot voluntarily (%), with its 95 % credible "
                   "range in the cell's tooltip; coloured by the VPIP profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "PFR"),
     figure<&PlayerStats::pfr>,
     &keys::dppfr,
     4,
     {},
     KESTROVA_TEXT("Columns",
                   "How often he raises before the flop (%); coloured by the PFR profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "AF"),
     figure<&PlayerStats::af>,
     &keys::dpaf,
     5,
     {},
     KESTROVA_TEXT("Columns",
                   "His aggression factor (bets and raises per call); coloured by the AF profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "WTSD"),
     figure<&PlayerStats::wtsd>,
     &keys::dpwtsd,
     6,
     {},
     KESTROVA_TEXT(
         "Columns",
         "How often he goes to showdown after the flop (%); coloured by the WTSD profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Won SD"),
     wonSd,
     &keys::dpwonsd,
     12,
     {},
     KESTROVA_TEXT("Columns", "How often he wins at showdown (%)"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Flop AF"),
     figure<&PlayerStats::flopAf>,
     &keys::dpflopaf,
     9,
     {},
     KESTROVA_TEXT("Columns", "His aggression on the flop"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Turn AF"),
     figure<&PlayerStats::turnAf>,
     &keys::dpturnaf,
     10,
     {},
     KESTROVA_TEXT("Columns", "His aggression on the turn"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "River AF"),
     figure<&PlayerStats::riverAf>,
     &keys::dpriveraf,
     11,
     {},
     KESTROVA_TEXT("Columns", "His aggression on the river"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Att. Steal"),
     figure<&PlayerStats::attToSteal>,
     &keys::dpatts,
     15,
     {},
     KESTROVA_TEXT("Columns",
                   "How often he tries to steal the blinds (%); coloured by its profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Fold SB t.S."),
     figure<&PlayerStats::foldSbToSteal>,
     &keys::dpfoldsb,
     16,
     KESTROVA_TEXT("Columns", "Fold SB"),
     KESTROVA_TEXT("Columns",
                   "How often he folds his small blind to a steal (%); coloured by its profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Fold BB t.S."),
     figure<&PlayerStats::foldBbToSteal>,
     &keys::dpfoldbb,
     17,
     KESTROVA_TEXT("Columns", "Fold BB"),
     KESTROVA_TEXT("Columns",
                   "How often he folds his big blind to a steal (%); coloured by its profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Conti Bet Flop"),
     figure<&PlayerStats::contiBetFlop>,
     &keys::dpcbet,
     18,
     KESTROVA_TEXT("Columns", "Conti Bet"),
     KESTROVA_TEXT(
         "Columns",
         "How often he bets the flop after raising before it (%); coloured by its profile"),
     true,
     {SortKind::Number}},
    {KESTROVA_TEXT("Columns", "Weak"),
     weak,
     &keys::dpweak,
     19,
     {},
     KESTROVA_TEXT("Columns",
                   "The chance that his true VPIP is above the mark the Display page sets, judged "
                   "by his hands so far: what he adds to his table's score"),
     true,
     {SortKind::Number}},
};
static_assert(std::size(kColumns) == kPlayerColumnCount);

}  // namespace

std::span<const PlayerColumn, kPlayerColumnCount> playerColumns() {
    return kColumns;
}

std::vector<SortRule> playerSortRules(bool wholeList) {
    std::vector<SortRule> rules;
    if (wholeList)
        rules.push_back({SortKind::Name});
    const int shift = wholeList ? 1 : 0;
    for (const PlayerColumn& column : playerColumns()) {
        SortRule rule = column.sort;
        for (int& next : rule.thenBy)
            next = next < 0 ? next : next + shift;
        rules.push_back(rule);
    }
    return rules;
}

PlayerRowTexts playerRowTexts(const PlayerCells& cells) {
    PlayerRowTexts texts;
    for (std::size_t c = 0; c < kPlayerColumnCount; ++c)
        texts[c] = kColumns[c].text(cells);
    return texts;
}

WholePlayerRowTexts wholePlayerRowTexts(const PlayerCells& cells) {
    WholePlayerRowTexts texts;
    texts[0] = cells.record.table;
    for (std::size_t c = 0; c < kPlayerColumnCount; ++c)
        texts[c + 1] = kColumns[c].text(cells);
    return texts;
}

namespace {

std::string fixed(double value, int decimals) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

}  // namespace

std::string weaknessText(double weakness) {
    return fixed(weakness, 2);
}

}  // namespace kestrova
