#pragma once

#include <QWidget>

#include <filesystem>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kestrova {

class OptionsWriter;
class SettingsStore;

// The closing rules of the hand-history datamining ("Close.conf" and the
// closeHands keys). Built from the settings and written back by "OK", never shown.
class CloseTab final : public QWidget {
    Q_OBJECT

public:
    CloseTab(const SettingsStore& settings, const std::filesystem::path& directory,
             QWidget* parent = nullptr);

    void write(OptionsWriter& out) const;

private:
    QCheckBox* close_ = nullptr;
    QComboBox* minClosePlayer_ = nullptr;
    QCheckBox* potRule_ = nullptr;
    QLineEdit* lowerPot_ = nullptr;
    QLineEdit* upperPot_ = nullptr;
    QCheckBox* closeHands_ = nullptr;
    QComboBox* closeHandsPlayers_ = nullptr;
    QLineEdit* closeHandsCount_ = nullptr;
};

}  // namespace kestrova
