#include "WineWindowClass.h"

namespace kestrova::sim {

// Without xcb there is no X11 window to name.
void setWineWindowClass(QWidget& /*window*/) {}

}  // namespace kestrova::sim
