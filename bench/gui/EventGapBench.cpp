// How long the window's event loop goes without turning while long work runs
// on the real clock: the demo lobby's "Get Table List" and "Scan All Tables"
// in the main window, with a look-up that answers at once; then the player
// import and the aggregator build against a tracker server that takes the
// connection and never answers. Prints the longest gap between two ticks of a
// 5 ms timer, and the 99th percentile.
#include "FakeLookup.h"
#include "LocalPort.h"
#include "gui/MainWindow.h"

#include "SessionTypes.h"
#include "sim/Lobby.h"
#include "sim/SimulatedClient.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Runs one command and returns the gaps between timer ticks while it ran, in ms.
template <typename Command>
std::vector<double> gapsDuring(kestrova::MainWindow& window, Command command) {
    std::vector<double> gaps;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.push_back(static_cast<double>(now - last) / 1e6);
        last = now;
    });
    ticker.start(5);
    command();
    while (window.isBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return gaps;
}

void report(const char* pass, std::vector<double> gaps) {
    std::sort(gaps.begin(), gaps.end());
    const double p99 = gaps.empty() ? 0 : gaps[gaps.size() * 99 / 100];
    std::printf("%-16s ticks %6zu  longest gap %7.2f ms  99th percentile %6.2f ms\n", pass,
                gaps.size(), gaps.empty() ? 0 : gaps.back(), p99);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    const QString lobbyFile = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                       : QStringLiteral(KESTROVA_DATA_DIR "/demo-lobby.json");
    kestrova::sim::SimulatedClient client(kestrova::sim::Lobby::loadFile(lobbyFile));
    kestrova::test::FakeLookup lookup;  // every player known at once

    // PokerTracker 2 and 3 databases on a server that stalls, with a 2 s deadline:
    // the import collects names from the first, the aggregator is built in the second.
    const kestrova::test::LocalPort silent(true);
    const std::string port = silent.text();
    kestrova::DatabaseList databases;
    for (const auto kind :
         {kestrova::DatabaseKind::PokerTracker2Postgres, kestrova::DatabaseKind::PokerTracker3})
        databases.append(kestrova::DatabaseEntry{.host = "127.0.0.1",
                                                 .port = port,
                                                 .database = "stalled",
                                                 .user = "me",
                                                 .kind = static_cast<std::int32_t>(kind)});
    databases.save(dir.path().toStdString());
    kestrova::SettingsStore(kestrova::SettingsStore::defaultPath())
        .writeText(kestrova::keys::lookuptimeout, "2");

    kestrova::MainWindowServices services;
    services.platform = &client;
    services.lookup = &lookup;
    services.workingDir = dir.path().toStdString();
    kestrova::MainWindow window(services);
    window.setMessageHandler([](const kestrova::Message& message) {
        std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());
    });
    window.show();
    report("Get Table List", gapsDuring(window, [&] { window.slot_pbRefresh(); }));
    report("Scan All Tables", gapsDuring(window, [&] { window.slot_pbFullScan(); }));
    kestrova::Jobs& jobs = window.session().passes().jobs();
    report("Player import", gapsDuring(window, [&] { jobs.importPlayers({}); }));
    report("Aggregator build", gapsDuring(window, [&] { jobs.buildAggregator(); }));
    return 0;
}
