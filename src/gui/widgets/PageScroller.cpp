#include "gui/widgets/PageScroller.h"

namespace kestrova {

PageScroller::PageScroller(QWidget* page, QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setWidget(page);
}

QSize PageScroller::sizeHint() const {
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
}

QSize PageScroller::minimumSizeHint() const {
    return widget()->minimumSizeHint();
}

}  // namespace kestrova
