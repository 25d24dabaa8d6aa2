// How long the window's event loop goes without turning while passes run on
// the real clock: the demo lobby's "Get Table List" and "Scan All Tables" in
// the main window, with a look-up that answers at once. Prints the longest gap
// between two ticks of a 5 ms timer, and the 99th percentile.
#include "FakeLookup.h"
#include "gui/grabber.h"

#include "records/PlayerLookup.h"
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

// Runs one pass and returns the gaps between timer ticks while it ran, in ms.
std::vector<double> gapsDuring(grabber& window, void (grabber::*command)()) {
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
    (window.*command)();
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

    GrabberServices services;
    services.platform = &client;
    services.lookup = &lookup;
    services.workingDir = dir.path().toStdString();
    grabber window(services);
    window.setMessageHandler([](const QString& title, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    });
    window.show();
    report("Get Table List", gapsDuring(window, &grabber::slot_pbRefresh));
    report("Scan All Tables", gapsDuring(window, &grabber::slot_pbFullScan));
    return 0;
}
