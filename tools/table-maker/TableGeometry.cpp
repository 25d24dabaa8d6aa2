#include "TableGeometry.h"

#include <cmath>
#include <numbers>

namespace kestrova {

namespace {

int downToGrid(double value) {
    return static_cast<int>(std::floor(value / 5.0)) * 5;
}

}  // namespace

QPointF TableGeometry::seatPoint(int seat, int seats, QPointF radii) {
    const double turn = (seat + 0.5) / seats;
    const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * turn;
    return {kCentre.x() + radii.x() * std::cos(angle), kCentre.y() + radii.y() * std::sin(angle)};
}

hud::LayoutSet TableGeometry::defaultLayouts() {
    constexpr int kRows = static_cast<int>(hud::kKindCount) / kGroupColumns;
    constexpr double kGroupWidth = kGroupColumns * hud::kBoxWidth;
    constexpr double kGroupHeight = kRows * hud::kBoxHeight;
    hud::LayoutSet set;
    for (int room = 0; room < hud::kRoomCount; ++room) {
        for (int size = 0; size < hud::kSizeCount; ++size) {
            hud::HudLayout& layout = set.layout(room, size);
            for (int seat = 0; seat < layout.seatCount(); ++seat) {
                const QPointF centre = seatPoint(seat, layout.seatCount(), kGroupRadii);
                const int left = downToGrid(centre.x() - kGroupWidth / 2);
                const int top = downToGrid(centre.y() - kGroupHeight / 2);
                for (hud::StatKind kind : hud::allKinds()) {
                    const int i = static_cast<int>(hud::indexOf(kind));
                    layout.setPosition(kind, seat,
                                       {left + (i % kGroupColumns) * hud::kBoxWidth,
                                        top + (i / kGroupColumns) * hud::kBoxHeight});
                }
            }
            for (hud::StatKind kind : hud::allKinds()) {
                layout.setFlag(kind, hud::indexOf(kind) < 4 ? 1 : 0);
            }
        }
    }
    return set;
}

}  // namespace kestrova
