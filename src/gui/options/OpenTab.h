#pragma once

#include <QWidget>

#include <filesystem>

class QCheckBox;
class QComboBox;

namespace kestrova {

class OptionsWriter;
class SettingsStore;

// The opening rules of the hand-history datamining. Built from the settings
// and written back by "OK", never shown: the values change only when the user
// edits the settings file.
class OpenTab final : public QWidget {
    Q_OBJECT

public:
    OpenTab(const SettingsStore& settings, const std::filesystem::path& directory,
            QWidget* parent = nullptr);

    void writeFlags(OptionsWriter& out) const;   // open, sixmax, both, exc
    void writeCounts(OptionsWriter& out) const;  // "c.conf", minplayer

private:
    QCheckBox* open_ = nullptr;
    QCheckBox* sixmax_ = nullptr;
    QCheckBox* both_ = nullptr;
    QComboBox* tables_ = nullptr;
    QComboBox* minPlayer_ = nullptr;
    QCheckBox* exc_ = nullptr;
};

}  // namespace kestrova
