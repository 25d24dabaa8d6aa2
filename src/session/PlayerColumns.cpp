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
    {"Seat", field<&PlayerStats::seat>, &keys::dpseat, 0},
    {"Screenname", field<&PlayerStats::name>, &keys::dpname, 1},
    {"Autorate", autorate, &keys::dpicon, 14},
    {"Buddy", empty, &keys::dpbuddy, 2},
    {"Stack", field<&PlayerStats::stack>, &keys::dpstack, 8},
    {"Hands", field<&PlayerStats::hands>, &keys::dphands, 7},
    {"Won", field<&PlayerStats::won>, &keys::dpwon, 13},
    {"BB/100", empty, nullptr, -1},
    {"VPIP", field<&PlayerStats::vpip>, &keys::dpvpip, 3},
    {"PFR", field<&PlayerStats::pfr>, &keys::dppfr, 4},
    {"AF", field<&PlayerStats::af>, &keys::dpaf, 5},
    {"WTSD", field<&PlayerStats::wtsd>, &keys::dpwtsd, 6},
    {"Won SD", field<&PlayerStats::wonSd>, &keys::dpwonsd, 12},
    {"Flop AF", field<&PlayerStats::flopAf>, &keys::dpflopaf, 9},
    {"Turn AF", field<&PlayerStats::turnAf>, &keys::dpturnaf, 10},
    {"River AF", field<&PlayerStats::riverAf>, &keys::dpriveraf, 11},
    {"Att. Steal", field<&PlayerStats::attToSteal>, &keys::dpatts, 15},
    {"Fold SB t.S.", field<&PlayerStats::foldSbToSteal>, &keys::dpfoldsb, 16, "Fold SB"},
    {"Fold BB t.S.", field<&PlayerStats::foldBbToSteal>, &keys::dpfoldbb, 17, "Fold BB"},
    {"Conti Bet Flop", field<&PlayerStats::contiBetFlop>, &keys::dpcbet, 18, "Conti Bet"},
    {"Weak", weak, &keys::dpweak, 19},
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
