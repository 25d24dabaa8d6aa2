#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kestrova {

struct CloseOptions;

// The closing rules of the hand-history datamining ("Close.conf" and the
// closeHands keys). Built from the settings and written back by "OK", never shown.
class CloseTab final : public QWidget {
    Q_OBJECT

public:
    explicit CloseTab(const CloseOptions& options, QWidget* parent = nullptr);

    // What the page holds, into the options it was built from.
    void store(CloseOptions& options) const;

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
