#pragma once

#include <QIcon>

// The program's own icon, drawn so that it needs no file.
QIcon appIcon();
