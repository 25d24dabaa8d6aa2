#include "PlayerColumns.h"

#include "records/PlayerStats.h"
#include "settings/SettingKeys.h"

#include <charconv>
#include <iterator>

namespace kestrova {

namespace {

// The figures as the record holds them.
template <std::string PlayerStats::*Field>
std::string field(const PlayerCells& cells) {
    return cells.record.*Field;
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
    {"Seat", field<&PlayerStats::seat>, &keys::dpseat, 0, {}, "The seat at the table"},
    {"Screenname", field<&PlayerStats::name>, &keys::dpname, 1, {}, "The player's screen name"},
    {"Autorate",
     autorate,
     &keys::dpicon,
     14,
     {},
     "The player's type, as the tracker's autorate profiles call it (point at a code for its "
     "meaning in the tracker)"},
    {"Buddy", empty, &keys::dpbuddy, 2, {}, "Checked: the player is on your buddy list"},
    {"Stack", field<&PlayerStats::stack>, &keys::dpstack, 8, {}, "His chips at the table", true},
    {"Hands",
     field<&PlayerStats::hands>,
     &keys::dphands,
     7,
     {},
     "His hands in your databases; coloured by the Hands profile",
     true},
    {"Won",
     field<&PlayerStats::won>,
     &keys::dpwon,
     13,
     {},
     "What he has won overall; the biggest losers come first"},
    {"BB/100", empty, nullptr, -1},
    {"VPIP",
     field<&PlayerStats::vpip>,
     &keys::dpvpip,
     3,
     {},
     "How often he puts money in the pot voluntarily (%), with its 95 % credible range in the "
     "cell's tooltip; coloured by the VPIP profile",
     true},
    {"PFR",
     field<&PlayerStats::pfr>,
     &keys::dppfr,
     4,
     {},
     "How often he raises before the flop (%); coloured by the PFR profile",
     true},
    {"AF",
     field<&PlayerStats::af>,
     &keys::dpaf,
     5,
     {},
     "His aggression factor (bets and raises per call); coloured by the AF profile",
     true},
    {"WTSD",
     field<&PlayerStats::wtsd>,
     &keys::dpwtsd,
     6,
     {},
     "How often he goes to showdown after the flop (%); coloured by the WTSD profile",
     true},
    {"Won SD",
     field<&PlayerStats::wonSd>,
     &keys::dpwonsd,
     12,
     {},
     "How often he wins at showdown (%)",
     true},
    {"Flop AF",
     field<&PlayerStats::flopAf>,
     &keys::dpflopaf,
     9,
     {},
     "His aggression on the flop",
     true},
    {"Turn AF",
     field<&PlayerStats::turnAf>,
     &keys::dpturnaf,
     10,
     {},
     "His aggression on the turn",
     true},
    {"River AF",
     field<&PlayerStats::riverAf>,
     &keys::dpriveraf,
     11,
     {},
     "His aggression on the river",
     true},
    {"Att. Steal",
     field<&PlayerStats::attToSteal>,
     &keys::dpatts,
     15,
     {},
     "How often he tries to steal the blinds (%); coloured by its profile",
     true},
    {"Fold SB t.S.", field<&PlayerStats::foldSbToSteal>, &keys::dpfoldsb, 16, "Fold SB",
     "How often he folds his small blind to a steal (%); coloured by its profile", true},
    {"Fold BB t.S.", field<&PlayerStats::foldBbToSteal>, &keys::dpfoldbb, 17, "Fold BB",
     "How often he folds his big blind to a steal (%); coloured by its profile", true},
    {"Conti Bet Flop", field<&PlayerStats::contiBetFlop>, &keys::dpcbet, 18, "Conti Bet",
     "How often he bets the flop after raising before it (%); coloured by its profile", true},
    {"Weak",
     weak,
     &keys::dpweak,
     19,
     {},
     "The chance that his true VPIP is above the mark the Display page sets, judged by his hands "
     "so far: what he adds to his table's score",
     true},
};
static_assert(std::size(kColumns) == kPlayerColumnCount);

}  // namespace

std::span<const PlayerColumn, kPlayerColumnCount> playerColumns() {
    return kColumns;
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

std::string vpipIntervalText(double vpipPercent, double lowPercent, double highPercent, int hands) {
    return fixed(vpipPercent, 1) + " % (" + fixed(lowPercent, 1) + "\u2013" +
           fixed(highPercent, 1) + " %, " + std::to_string(hands) +
           (hands == 1 ? " hand)" : " hands)");
}

}  // namespace kestrova
