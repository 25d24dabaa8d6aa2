#include "PlayerColumns.h"

#include "records/PlayerStats.h"
#include "settings/SettingKeys.h"

#include <iterator>

namespace kestrova {

namespace {

// The figures as the record holds them.
template <std::string PlayerStats::*Field>
std::string field(const PlayerStats& record, const std::string&) {
    return record.*Field;
}

std::string autorate(const PlayerStats&, const std::string& label) {
    return label;
}

// The buddy box has no text, and "BB/100" is never filled.
std::string empty(const PlayerStats&, const std::string&) {
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
};
static_assert(std::size(kColumns) == kPlayerColumnCount);

}  // namespace

std::span<const PlayerColumn, kPlayerColumnCount> playerColumns() {
    return kColumns;
}

PlayerRowTexts playerRowTexts(const PlayerStats& record, const std::string& autorateLabel) {
    PlayerRowTexts texts;
    for (std::size_t c = 0; c < kPlayerColumnCount; ++c)
        texts[c] = kColumns[c].text(record, autorateLabel);
    return texts;
}

WholePlayerRowTexts wholePlayerRowTexts(const PlayerStats& record,
                                        const std::string& autorateLabel) {
    WholePlayerRowTexts texts;
    texts[0] = record.table;
    for (std::size_t c = 0; c < kPlayerColumnCount; ++c)
        texts[c + 1] = kColumns[c].text(record, autorateLabel);
    return texts;
}

}  // namespace kestrova
