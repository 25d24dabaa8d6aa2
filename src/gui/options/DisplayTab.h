#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;

namespace kestrova {

struct DisplaySettings;
struct IntKey;

// The "Display" page of the options dialog: which columns the table list and
// the player lists show, whether the whole player list shows, and what a
// double click on a table does. One check box per key.
class DisplayTab final : public QWidget {
    Q_OBJECT

public:
    explicit DisplayTab(const DisplaySettings& display, QWidget* parent = nullptr);

    // What the page holds, into the settings it was built from.
    void store(DisplaySettings& display) const;

private:
    struct Box {
        const IntKey* key;
        QCheckBox* box;
    };

    std::vector<Box> boxes_;
};

}  // namespace kestrova
