#pragma once

#include "sim/LobbyRenderer.h"

#include <QImage>
#include <QWidget>

namespace kestrova::sim {

// An opened table: a top-level window titled with the table's name, of the X11
// window class the real client's tables have, so table counting finds it.
class TableWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kWindowClass = "PokerStarsTableFrameClass";

    TableWindow(const QString& name, const LobbyRenderer& renderer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setX11WindowClass();

    QImage picture_;
};

}  // namespace kestrova::sim
