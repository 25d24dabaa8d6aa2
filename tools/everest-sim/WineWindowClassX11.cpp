#include "WineWindowClass.h"

#include "client/lobby/ProgramWindows.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

namespace kestrova::sim {

void setWineWindowClass(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr)
        return;  // another Qt platform (offscreen): nothing looks at window classes
    // WM_CLASS is instance name and class name, each ended by a NUL. Qt set its own
    // when it created the window; it does not touch it again.
    const QByteArray name(kWineClientProgram);
    const QByteArray value = name + '\0' + name + '\0';
    xcb_connection_t* connection = x11->connection();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(value.size()),
                        value.constData());
    xcb_flush(connection);
}

}  // namespace kestrova::sim
