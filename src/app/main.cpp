#include "grabber.h"

#include "TerminationSignal.h"

#include "client/DesktopPlatform.h"

#include <QApplication>
#include <QGuiApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrova Everest"));
    quitOnTerminationRequest(app);

    // The client is reached through the desktop the window itself lives on.
    kestrova::DesktopPlatform desktop;
    if (QGuiApplication::platformName() == QStringLiteral("xcb"))
        desktop = kestrova::DesktopPlatform::open();
    else
        desktop.problem = "The Everest client cannot be reached from the \"" +
                          QGuiApplication::platformName().toStdString() + "\" desktop.";

    GrabberServices services;
    services.platform = desktop.platform.get();
    services.platformProblem = desktop.problem;
    int status = 0;
    {
        grabber window(services);
        window.show();
        QObject::connect(&app, &QGuiApplication::lastWindowClosed, &app, &QCoreApplication::quit);
        status = QApplication::exec();
    }
    return status;
}
