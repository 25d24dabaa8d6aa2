#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "hud/StatKinds.h"

namespace kestrova::hud {

// Rooms: 0 FullTiltPoker, 1 PartyPoker. Table sizes: 0 is 9 max, 1 is 6 max,
// 2 is 2 max. A layout's index is 3 x room + size.
inline constexpr int kRoomCount = 2;
inline constexpr int kSizeCount = 3;
inline constexpr int kLayoutCount = kRoomCount * kSizeCount;

inline constexpr int kCanvasWidth = 800;
inline constexpr int kCanvasHeight = 565;
inline constexpr int kBoxWidth = 50;
inline constexpr int kBoxHeight = 15;

constexpr int layoutIndex(int room, int size) {
    return kSizeCount * room + size;
}

// 9, 6, 2 seats for FullTiltPoker; PartyPoker's full ring has 10.
int seatCountOf(int layoutIndex);

// "ftp_9_max.jpg" ... "pp_2_max.jpg".
std::string_view pictureFileName(int layoutIndex);

// The top-left corner of a box in canvas pixels. Not range-checked: a box may
// lie partly or wholly outside the canvas.
struct BoxPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const BoxPosition&, const BoxPosition&) = default;
};

// One HUD layout (one room and table size): per stat kind a visibility flag
// and one box position per seat. Starts with every kind on and every box at
// (0, 0).
class HudLayout final {
public:
    explicit HudLayout(int layoutIndex);

    int index() const { return index_; }
    int seatCount() const { return static_cast<int>(positions_.size()); }

    // The stored byte: 0 is off, anything else on. Kept as read so that a
    // save writes back what was loaded.
    std::uint8_t flag(StatKind kind) const { return flags_[indexOf(kind)]; }
    bool isShown(StatKind kind) const { return flag(kind) != 0; }
    void setFlag(StatKind kind, std::uint8_t value) { flags_[indexOf(kind)] = value; }

    // `seat` is 0-based and must be below seatCount().
    BoxPosition position(StatKind kind, int seat) const;
    void setPosition(StatKind kind, int seat, BoxPosition position);

    friend bool operator==(const HudLayout&, const HudLayout&) = default;

private:
    int index_;
    std::array<std::uint8_t, kKindCount> flags_;
    std::vector<std::array<BoxPosition, kKindCount>> positions_;  // per seat
};

}  // namespace kestrova::hud
