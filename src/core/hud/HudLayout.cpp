#include "hud/HudLayout.h"

#include <cassert>

namespace kestrova::hud {

namespace {

constexpr std::array<int, kLayoutCount> kSeats = {9, 6, 2, 10, 6, 2};
constexpr std::array<std::string_view, kLayoutCount> kPictures = {
    "ftp_9_max.jpg", "ftp_6_max.jpg", "ftp_2_max.jpg",
    "pp_9_max.jpg",  "pp_6_max.jpg",  "pp_2_max.jpg",
};

std::size_t checkedIndex(int layoutIndex) {
    assert(layoutIndex >= 0 && layoutIndex < kLayoutCount);
    return static_cast<std::size_t>(layoutIndex);
}

}  // namespace

int seatCountOf(int layoutIndex) {
    return kSeats[checkedIndex(layoutIndex)];
}

std::string_view pictureFileName(int layoutIndex) {
    return kPictures[checkedIndex(layoutIndex)];
}

HudLayout::HudLayout(int layoutIndex)
    : index_(layoutIndex), positions_(static_cast<std::size_t>(seatCountOf(layoutIndex))) {
    flags_.fill(1);
}

BoxPosition HudLayout::position(StatKind kind, int seat) const {
    return positions_.at(static_cast<std::size_t>(seat))[indexOf(kind)];
}

void HudLayout::setPosition(StatKind kind, int seat, BoxPosition position) {
    positions_.at(static_cast<std::size_t>(seat))[indexOf(kind)] = position;
}

}  // namespace kestrova::hud
