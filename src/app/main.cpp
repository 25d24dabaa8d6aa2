#include "grabber.h"

#include "client/ClientPlatform.h"
#include "client/x11/X11Platform.h"

#include <QApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrova Everest"));

    // The client is reached through the X server the window itself lives on.
    std::unique_ptr<kestrova::ClientPlatform> platform;
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        std::string error;
        platform = kestrova::X11Platform::open("", &error);
        if (!platform)
            std::cerr << error << '\n';
    }

    GrabberServices services;
    services.platform = platform.get();
    int status = 0;
    {
        grabber window(services);
        window.show();
        QObject::connect(&app, &QGuiApplication::lastWindowClosed, &app, &QCoreApplication::quit);
        status = QApplication::exec();
    }
    return status;
}
