#pragma once

#include <QIcon>

namespace kestrova {

// The program's own icon, drawn so that it needs no file.
QIcon appIcon();

}  // namespace kestrova
