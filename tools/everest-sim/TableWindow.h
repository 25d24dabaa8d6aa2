#pragma once

#include "sim/LobbyRenderer.h"

#include <QImage>
#include <QWidget>

namespace kestrova::sim {

// An opened table: a top-level window titled with the table's name, of the
// program's WM_CLASS as under Wine, so table counting finds it beside the lobby.
class TableWindow final : public QWidget {
    Q_OBJECT

public:
    TableWindow(const QString& name, const LobbyRenderer& renderer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace kestrova::sim
