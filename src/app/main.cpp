#include "grabber.h"

#include "TerminationSignal.h"

#include "UserDataDir.h"
#include "client/DesktopPlatform.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QGuiApplication>

#include <filesystem>
#include <system_error>

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

    // Started from a desktop menu the working directory is the home folder:
    // the companion files live in the user's own data folder instead.
    std::error_code ec;
    const kestrova::UserDataDir data = kestrova::UserDataDir::prepare(
        kestrova::SettingsStore::userDataDirectory(), std::filesystem::current_path(ec));

    GrabberServices services;
    services.workingDir = data.dir;
    services.startupTrace = data.traceLines();
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
