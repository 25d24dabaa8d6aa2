#include "TableWindow.h"

#include <QGuiApplication>
#include <QPainter>

#ifdef KESTROVA_SIM_HAVE_XCB
#include <xcb/xcb.h>
#endif

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
    setX11WindowClass();
}

void TableWindow::setX11WindowClass() {
#ifdef KESTROVA_SIM_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return;  // not on X11: nothing else looks at window classes
    }
    // WM_CLASS is instance name and class name, each ended by a NUL. Qt set its own
    // when it created the window; it does not touch it again.
    const QByteArray name(kWindowClass);
    const QByteArray value = name + '\0' + name + '\0';
    xcb_connection_t* connection = x11->connection();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(winId()),
                        XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(value.size()), value.constData());
    xcb_flush(connection);
#endif
}

void TableWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

}  // namespace kestrova::sim
