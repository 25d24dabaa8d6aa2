#pragma once

#include "sim/BitmapFont.h"
#include "sim/ClientLatency.h"
#include "sim/Lobby.h"
#include "sim/LobbyRenderer.h"
#include "sim/LobbyState.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace kestrova::sim {

class TableWindow;

// The simulated lobby on the X display: a top-level window titled like the real
// client's lobby, whose first child is the native list window. Input reaches it as
// synthetic X events, possibly while it has no focus, so it watches every key and
// mouse event the application receives rather than waiting for Qt's focus routing.
class LobbyWindow final : public QWidget {
    Q_OBJECT

public:
    // A latency makes the lobby draw each move of the selection late, in steps.
    LobbyWindow(Lobby lobby, const BitmapFont& font, ClientLatency latency = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();
    void openSelectedTable();

    Lobby lobby_;
    LobbyState state_;
    LobbyRenderer renderer_;
    QImage picture_;
    QWidget* listArea_;
    bool buttonDown_ = false;
    QMap<QString, QPointer<TableWindow>> tables_;
    DelayedLobbyView delayed_;
    QElapsedTimer since_;
    QTimer redraw_;
};

}  // namespace kestrova::sim
