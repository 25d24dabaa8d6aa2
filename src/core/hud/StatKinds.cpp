#include "hud/StatKinds.h"

#include "common/TranslatableText.h"

namespace kestrova::hud {

namespace {

constexpr std::array<StatKindInfo, kKindCount> kInfo = {{
    {"VPip", KESTROVA_TEXT("HudStats", "VPIP"), 0},
    {"PFR", KESTROVA_TEXT("HudStats", "PFR"), 1},
    {"#H", KESTROVA_TEXT("HudStats", "Hands"), 2},
    {"AF", KESTROVA_TEXT("HudStats", "AF"), 3},
    {"WtSD", KESTROVA_TEXT("HudStats", "Went to SD"), 6},
    {"At.S", KESTROVA_TEXT("HudStats", "Att. to Steal"), 7},
    {"F.SB", KESTROVA_TEXT("HudStats", "Fold SB t.S."), 5},
    {"F.BB", KESTROVA_TEXT("HudStats", "Fold BB t.S."), 9},
    {"B/C", KESTROVA_TEXT("HudStats", "3-bet/Cap"), 4},
    {"CBF", KESTROVA_TEXT("HudStats", "Cont. Bet Flop"), 8},
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
