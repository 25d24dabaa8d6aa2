#include "TableWindow.h"

#include "WineWindowClass.h"

#include <QPainter>

namespace kestrova::sim {

namespace {
constexpr int kWidth = 800;
constexpr int kHeight = 560;
}  // namespace

TableWindow::TableWindow(const QString& name, const LobbyRenderer& renderer)
    : picture_(renderer.renderTableWindow(name, kWidth, kHeight)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(name);
    resize(kWidth, kHeight);
    setWineWindowClass(*this);
}

void TableWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

}  // namespace kestrova::sim
