#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;

namespace kestrova {

struct OpenOptions;

// The opening rules of the hand-history datamining. Built from the settings
// and written back by "OK", never shown: the values change only when the user
// edits the settings file.
class OpenTab final : public QWidget {
    Q_OBJECT

public:
    explicit OpenTab(const OpenOptions& options, QWidget* parent = nullptr);

    // What the page holds, into the options it was built from.
    void store(OpenOptions& options) const;

private:
    QCheckBox* open_ = nullptr;
    QCheckBox* sixmax_ = nullptr;
    QCheckBox* both_ = nullptr;
    QComboBox* tables_ = nullptr;
    QComboBox* minPlayer_ = nullptr;
    QCheckBox* exc_ = nullptr;
};

}  // namespace kestrova
