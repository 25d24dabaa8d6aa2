#include "ClientChoice.h"

#include "client/DesktopPlatform.h"
#include "sim/Lobby.h"
#include "sim/SimulatedClient.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <charconv>
#include <cstdio>

namespace kestrova::cli {

namespace {

void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool delay(const std::string& text, int& ms) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return false;
    ms = value;
    return true;
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
        else if (args[i] == "--row-delay-ms" && hasValue && delay(args[i + 1], options.rowDelayMs))
            ++i;
        else if (args[i] == "--seat-delay-ms" && hasValue &&
                 delay(args[i + 1], options.seatDelayMs))
            ++i;
        else if (args[i] == "--chips-delay-ms" && hasValue &&
                 delay(args[i + 1], options.chipsDelayMs))
            ++i;
        else {
            err << "usage: kestrova-cli " << command
                << " --sim LOBBY.json [--row-delay-ms N] [--seat-delay-ms N] [--chips-delay-ms N]"
                   " | --x11 [--display NAME] [--glyphs FILE]\n";
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
    auto clock = std::make_unique<ManualClock>();
    try {
        auto sim = std::make_unique<sim::SimulatedClient>(
            sim::Lobby::loadFile(QString::fromStdString(options.simFile)));
        const sim::ClientLatency latency{options.rowDelayMs, options.seatDelayMs,
                                         options.chipsDelayMs};
        if (latency.any())
            sim->setLatency(latency, [time = clock.get()] { return time->totalMs(); });
        client.platform = std::move(sim);
    } catch (const sim::LobbyError& e) {
        err << e.what() << '\n';
        return std::nullopt;
    }
    client.clock = std::move(clock);
    return client;
}

}  // namespace kestrova::cli
