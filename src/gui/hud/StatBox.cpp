#include "gui/hud/StatBox.h"

#include <QMouseEvent>

#include "SessionTypes.h"
#include "gui/hud/LayoutCanvas.h"
#include "gui/widgets/QtText.h"

namespace kestrova {

StatBox::StatBox(QWidget* parent, LayoutCanvas& canvas, hud::StatKind kind, int seat)
    : QWidget(parent),
      canvas_(canvas),
      kind_(kind),
      seat_(seat),
      text_(toQString(hud::info(kind).boxLabel) + QString::number(seat + 1)) {
    setGeometry(0, 0, hud::kBoxWidth, hud::kBoxHeight);
}

void StatBox::mousePressEvent(QMouseEvent* event) {
    // Accepted, so this box keeps the mouse while the button is held; the
    // move events it ignores reach the canvas, which moves it.
    canvas_.beginDrag(*this);
    event->accept();
}

}  // namespace kestrova
