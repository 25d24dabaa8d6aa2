#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kestrova::hud {

// The ten statistics a layout places, in the layout's own order: the order in
// which boxes are created and painted and the dialog lists its check boxes.
enum class StatKind {
    VPip,
    PFR,
    Hands,
    AF,
    WentToShowdown,
    AttemptToSteal,
    FoldSmallBlind,
    FoldBigBlind,
    ThreeBet,
    ContinuationBet,
};

inline constexpr std::size_t kKindCount = 10;

struct StatKindInfo {
    std::string_view boxLabel;    // drawn in each box, before the seat number
    std::string_view checkLabel;  // the dialog's check box
    std::size_t filePosition;     // 0-based place of its entry in a file's seat record
};

const StatKindInfo& info(StatKind kind);

// Kinds in the layout's own order, for loops.
const std::array<StatKind, kKindCount>& allKinds();

// Kinds in the order of a file's seat record (not the layout's own order).
const std::array<StatKind, kKindCount>& fileOrder();

constexpr std::size_t indexOf(StatKind kind) {
    return static_cast<std::size_t>(kind);
}

}  // namespace kestrova::hud
