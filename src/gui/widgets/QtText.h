#pragma once

#include "SessionTypes.h"

#include <QColor>
#include <QString>

#include <string_view>

// The core keeps texts as UTF-8 bytes; widgets want QString.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor toQColor(const kestrova::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}
