#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;

namespace kestrova {

class OptionsWriter;
class SettingsStore;
struct IntKey;

// The "Display" page of the options dialog: which columns the table list and
// the player lists show, whether the whole player list shows, and what a
// double click on a table does. One check box per key.
class DisplayTab final : public QWidget {
    Q_OBJECT

public:
    explicit DisplayTab(const SettingsStore& settings, QWidget* parent = nullptr);

    void write(OptionsWriter& out) const;

private:
    struct Box {
        const IntKey* key;
        QCheckBox* box;
    };
    QCheckBox* boxOf(const IntKey& key) const;

    std::vector<Box> boxes_;
};

}  // namespace kestrova
