#pragma once

#include <QImage>

namespace kestrova {

// Draws the 16 x 16 autorate pictures, one per PokerTracker icon number:
// 0 none, 1 default, 2 fish, 3 money, 4-6 the user's own, 7 bomb, 8 gamble,
// 9 rock, 10 maniac, 11 question, 12 calling station, 13 mouse, 14 elephant,
// 15 eagle.
class IconPainter final {
public:
    static constexpr int kSizePx = 16;

    // A transparent picture with the icon drawn; a null image for a number
    // outside 0..15.
    static QImage draw(int index);
};

}  // namespace kestrova
