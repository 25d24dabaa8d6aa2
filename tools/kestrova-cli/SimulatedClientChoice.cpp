#include "ClientChoice.h"

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

bool openSimulatedClient(const ClientOptions& options, Client& client, std::ostream& err) {
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
        return false;
    }
    client.clock = std::move(clock);
    return true;
}

}  // namespace kestrova::cli
