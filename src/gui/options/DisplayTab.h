#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;

namespace kestrova {

struct DisplaySettings;
struct IntKey;

// The "Display" page of the options dialog: which columns the table list and
// the player lists show, whether the whole player list shows, what a double
// click on a table does (one check box per key), and how tables are scored.
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
    QLineEdit* weakVpip_ = nullptr;
    QLineEdit* priorVpip_ = nullptr;
    QLineEdit* priorHands_ = nullptr;
    QLineEdit* goodScore_ = nullptr;
};

}  // namespace kestrova
