#include "ClientChoice.h"

#include "client/DesktopPlatform.h"
#include "sim/Lobby.h"
#include "sim/SimulatedClient.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace kestrova::cli {

namespace {

void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

bool parseClientOptions(const Args& args, const std::string& command, ClientOptions& options,
                        std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--sim" && hasValue)
            options.simFile = args[++i];
        else if (args[i] == "--x11")
            options.x11 = true;
        else if (args[i] == "--display" && hasValue)
            options.display = args[++i];
        else if (args[i] == "--glyphs" && hasValue)
            options.glyphFile = args[++i];
        else {
            err << "usage: kestrova-cli " << command
                << " --sim LOBBY.json | --x11 [--display NAME] [--glyphs FILE]\n";
            return false;
        }
    }
    if (options.x11 == !options.simFile.empty()) {
        err << command << ": give exactly one of --sim LOBBY.json and --x11\n";
        return false;
    }
    return true;
}

std::optional<Client> openClient(const ClientOptions& options, std::ostream& err) {
    Client client;
    if (options.x11) {
        DesktopPlatform desktop = DesktopPlatform::open(options.display);
        if (!desktop.platform) {
            err << desktop.problem << '\n';
            return std::nullopt;
        }
        client.platform = std::move(desktop.platform);
        client.clock = std::make_unique<SystemClock>();
        return client;
    }
    // Qt on the offscreen platform, with its start-up chatter (a missing runtime
    // folder and the like) kept out of the command's error output.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    static int argc = 1;
    static char name[] = "kestrova-cli";
    static char* argv[] = {name, nullptr};
    client.qtApplication = std::make_shared<QGuiApplication>(argc, argv);
    try {
        client.platform = std::make_unique<sim::SimulatedClient>(
            sim::Lobby::loadFile(QString::fromStdString(options.simFile)));
    } catch (const sim::LobbyError& e) {
        err << e.what() << '\n';
        return std::nullopt;
    }
    client.clock = std::make_unique<ManualClock>();
    return client;
}

}  // namespace kestrova::cli
