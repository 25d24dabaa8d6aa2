#pragma once

#include <QImage>

namespace kestrova {

// Draws the 800 x 565 picture of one layout's table: an oval table on a dark
// floor with a numbered marker per seat. FullTiltPoker's tables get blue felt,
// PartyPoker's green.
class TablePainter final {
public:
    // A null image for an index outside 0..5.
    static QImage draw(int layoutIndex);
};

}  // namespace kestrova
