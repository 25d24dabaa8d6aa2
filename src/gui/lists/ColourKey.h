#pragma once

#include "SessionTypes.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>

namespace kestrova {

// What the profile colours of a list's cells mean, said where the list is.
class ColourKey final {
    Q_DECLARE_TR_FUNCTIONS(ColourKey)

public:
    // A coloured column's header tip: the column's own tip, then each range of
    // its statistic's profile beside its colour, and `condition`, when a cell
    // takes them (may be empty).
    static QString headerTip(const QString& columnTip, const StatProfile& profile,
                             const QString& condition);
    // A colour faded toward the list's background, for a row that is no
    // longer current: its colours still tell, but do not claim the eye.
    static QColor faded(const QColor& colour, const QColor& background);
};

}  // namespace kestrova
