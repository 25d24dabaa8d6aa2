#include "hud/StatKinds.h"

namespace kestrova::hud {

namespace {

constexpr std::array<StatKindInfo, kKindCount> kInfo = {{
    {"VPip", "VPIP", 0},
    {"PFR", "PFR", 1},
    {"#H", "Hands", 2},
    {"AF", "AF", 3},
    {"WtSD", "Went to SD", 6},
    {"At.S", "Att. to Steal", 7},
    {"F.SB", "Fold SB t.S.", 5},
    {"F.BB", "Fold BB t.S.", 9},
    {"B/C", "3-bet/Cap", 4},
    {"CBF", "Cont. Bet Flop", 8},
}};

constexpr std::array<StatKind, kKindCount> kAll = {
    StatKind::VPip,           StatKind::PFR,
    StatKind::Hands,          StatKind::AF,
    StatKind::WentToShowdown, StatKind::AttemptToSteal,
    StatKind::FoldSmallBlind, StatKind::FoldBigBlind,
    StatKind::ThreeBet,       StatKind::ContinuationBet,
};

constexpr std::array<StatKind, kKindCount> makeFileOrder() {
    std::array<StatKind, kKindCount> order{};
    for (StatKind kind : kAll) {
        order[kInfo[indexOf(kind)].filePosition] = kind;
    }
    return order;
}

constexpr std::array<StatKind, kKindCount> kFileOrder = makeFileOrder();

}  // namespace

const StatKindInfo& info(StatKind kind) {
    return kInfo[indexOf(kind)];
}

const std::array<StatKind, kKindCount>& allKinds() {
    return kAll;
}

const std::array<StatKind, kKindCount>& fileOrder() {
    return kFileOrder;
}

}  // namespace kestrova::hud
