#include "gui/hud/CStat.h"

#include <QMouseEvent>

#include "SessionTypes.h"
#include "gui/hud/Layout.h"
#include "gui/widgets/QtText.h"

namespace kestrova {

CStat::CStat(QWidget* parent, Layout& layout, hud::StatKind kind, int seat)
    : QWidget(parent),
      layout_(layout),
      kind_(kind),
      seat_(seat),
      text_(toQString(hud::info(kind).boxLabel) + QString::number(seat + 1)) {
    setGeometry(0, 0, hud::kBoxWidth, hud::kBoxHeight);
}

void CStat::mousePressEvent(QMouseEvent* event) {
    // Accepted, so this box keeps the mouse while the button is held; the
    // move events it ignores reach the canvas, which moves it.
    layout_.beginDrag(*this);
    event->accept();
}

}  // namespace kestrova
