#pragma once

#include <QPointF>

#include "hud/LayoutSet.h"

namespace kestrova {

// Where the seats of a drawn table are, shared by its picture and its default
// layout so that every seat's boxes sit just inside the rail in front of its
// numbered marker. Seat 1 is top right of the top, numbering goes clockwise.
class TableGeometry final {
public:
    static constexpr QPointF kCentre{400.0, 270.0};
    // The rail and the felt inside it.
    static constexpr QPointF kRailRadii{320.0, 200.0};
    static constexpr QPointF kFeltRadii{300.0, 182.0};
    // The numbered seat markers, outside the rail.
    static constexpr QPointF kMarkerRadii{365.0, 245.0};
    static constexpr double kMarkerRadius = 18.0;
    // The centres of the seats' box groups, inside the rail.
    static constexpr QPointF kGroupRadii{240.0, 140.0};
    // A seat's ten boxes stand in two columns of five, in kind order.
    static constexpr int kGroupColumns = 2;

    // The point at `radii` from the centre in the direction of `seat` of `seats`.
    static QPointF seatPoint(int seat, int seats, QPointF radii);

    // All six layouts: every seat's boxes around its group centre on the
    // 5-pixel grid, "VPIP", "PFR", "Hands" and "AF" on, the rest off.
    static hud::LayoutSet defaultLayouts();
};

}  // namespace kestrova
