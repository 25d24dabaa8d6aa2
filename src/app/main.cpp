#include "gui/MainWindow.h"
#include "gui/widgets/Translations.h"

#include "TerminationSignal.h"

#include "SessionTypes.h"
#include "UserDataDir.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>

#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view kUsage =
    "Usage: kestrova [--help | --version] [-platform NAME] [-display NAME]\n"
    "\n"
    "Kestrova Everest: rates the tables of the Everest poker lobby and shows the\n"
    "players' figures from the tracking databases.\n"
    "\n"
    "  --help            this text\n"
    "  --version         the version\n"
    "  -platform NAME    Qt's display platform (xcb, wayland, offscreen)\n"
    "  -display NAME     the X display (otherwise $DISPLAY)\n"
    "\n"
    "The command-line front end is kestrova-cli.\n";

// Answered before Qt starts, so that they work without a display: the
// application object aborts when it finds none. Qt's display options pass
// through to it; anything else is refused. -1: go on and start the window.
int answerArguments(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "kestrova " KESTROVA_VERSION "\n";
            return 0;
        }
        const bool qtOption = argument == "-platform" || argument == "-display";
        if (!qtOption || i + 1 >= argc) {
            std::cerr << "kestrova: " << (qtOption ? "missing value for " : "unknown argument ")
                      << argument << '\n'
                      << kUsage;
            return 2;
        }
        ++i;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int answered = answerArguments(argc, argv); answered >= 0)
        return answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrova Everest"));
    // The window speaks the desktop's language (LANG, LC_ALL); --help stays
    // English, as the man page is made from it.
    kestrova::installTranslations(app, QLocale::system());
    quitOnTerminationRequest(app);

    // The client is reached through the desktop the window itself lives on.
    kestrova::DesktopPlatform desktop;
    if (QGuiApplication::platformName() == QStringLiteral("xcb"))
        desktop = kestrova::DesktopPlatform::open();
    else
        desktop.problem =
            QCoreApplication::translate("main",
                                        "The Everest client cannot be reached from the \"%1\" "
                                        "desktop.")
                .arg(QGuiApplication::platformName())
                .toStdString();

    // Started from a desktop menu the working directory is the home folder:
    // the companion files live in the user's own data folder instead.
    std::error_code ec;
    const kestrova::UserDataDir data =
        kestrova::UserDataDir::prepareForUser(std::filesystem::current_path(ec));

    kestrova::MainWindowServices services;
    services.workingDir = data.dir;
    services.startupTrace = data.traceLines();
    services.platform = desktop.platform.get();
    services.platformProblem = desktop.problem;
    int status = 0;
    {
        kestrova::MainWindow window(services);
        // Asked to end while a start-up box was open: the window is saved
        // at once, without ever running.
        if (!terminationRequested()) {
            window.show();
            QObject::connect(&app, &QGuiApplication::lastWindowClosed, &app,
                             &QCoreApplication::quit);
            status = QApplication::exec();
        }
    }
    return status;
}
