#pragma once

#include "SessionTypes.h"

#include <QString>

#include <string_view>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace kestrova {

// One criterion row of the filter dialogs: a check box, a minimum line edit,
// the label " - " and a maximum line edit, both accepting whole numbers from
// 0 to `top`. Object names are the settings keys, so tests find the widgets.
struct FilterRangeRow {
    QCheckBox* box = nullptr;
    QLineEdit* minimum = nullptr;
    QLineEdit* maximum = nullptr;
    int minimumDefault = 0;  // what an empty bound stands for: its key's default
    int maximumDefault = 0;

    static FilterRangeRow add(QGridLayout* grid, int row, const QString& text, const char* key,
                              const char* minKey, const char* maxKey, bool on,
                              const QString& minimumText, const QString& maximumText, int top,
                              int editWidthPx, QWidget* parent);
    // The row of a filter range and its three keys, showing the range in memory.
    static FilterRangeRow add(QGridLayout* grid, int row, const QString& text, const IntKey& on,
                              const IntKey& minimum, const IntKey& maximum,
                              const FilterRange& range, int top, QWidget* parent,
                              int editWidthPx = 50);
    // What the row holds; an empty bound reads as its key's default, as the settings do.
    FilterRange range() const;
    void setVisible(bool visible) const;
};

// A check box named after its settings key.
QCheckBox* keyCheckBox(const QString& text, std::string_view key, bool checked, QWidget* parent);

}  // namespace kestrova
