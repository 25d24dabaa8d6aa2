#pragma once

#include <QString>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QWidget;

// One criterion row of the filter dialogs: a check box, a minimum line edit,
// the label " - " and a maximum line edit, both accepting whole numbers from
// 0 to `top`. Object names are the settings keys, so tests find the widgets.
struct FilterRangeRow {
    QCheckBox* box = nullptr;
    QLineEdit* minimum = nullptr;
    QLineEdit* maximum = nullptr;

    static FilterRangeRow add(QGridLayout* grid, int row, const QString& text, const char* key,
                              const char* minKey, const char* maxKey, bool on,
                              const QString& minimumText, const QString& maximumText, int top,
                              int editWidthPx, QWidget* parent);
    void setVisible(bool visible) const;
};
