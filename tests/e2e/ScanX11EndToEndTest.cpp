// "Scan All Tables" through the X11 backend: everest-sim shows the 60-table
// lobby on a private Xvfb display, kestrova-cli scans it with the real waits
// against a PokerTracker 3 database, and every row must show the fixture's figures.
#include "CliScan.h"
#include "ExpectedScan.h"
#include "PostgresServer.h"
#include "ScanFixture.h"
#include "XvfbServer.h"
#include "client/x11/X11Platform.h"
#include "sim/Lobby.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <chrono>
#include <memory>
#include <thread>

namespace kestrova::test {
namespace {

const QString kLobbyFile = QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json");
const std::string kLobbyTitle = "Everest Poker - Lobby";
constexpr int kStartTimeoutMs = 20000;
// 1300 ms per scanned table and 100 ms per row, plus the look-ups.
constexpr int kScanTimeoutMs = 480000;

class ScanX11EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PostgresServer::available())
            GTEST_SKIP() << "PostgreSQL is not installed; the tracker needs a server";
        if (testing::XvfbServer::findBinary().empty())
            GTEST_SKIP() << "Xvfb is not installed; the X11 scan needs an X server";
        std::string error;
        ASSERT_TRUE(xvfb_.start(error)) << error;

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromStdString(xvfb_.displayName()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        sim_.setProcessEnvironment(env);
        sim_.start(QStringLiteral(EVEREST_SIM_PATH), {kLobbyFile});
        ASSERT_TRUE(sim_.waitForStarted(kStartTimeoutMs)) << "everest-sim did not start";

        // everest-sim is another process: its lobby is there once the display lists it.
        const std::unique_ptr<X11Platform> platform =
            X11Platform::open(xvfb_.displayName(), &error);
        ASSERT_NE(platform, nullptr) << error;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
        bool shown = false;
        while (!shown && sim_.state() == QProcess::Running &&
               std::chrono::steady_clock::now() < deadline) {
            for (const WindowInfo& w : platform->topLevelWindows())
                shown = shown || w.title == kLobbyTitle;
            if (!shown)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ASSERT_TRUE(shown)
            << "no window \"" << kLobbyTitle << "\"; everest-sim: "
            << (sim_.readAllStandardError() + sim_.readAllStandardOutput()).toStdString();
    }

    void TearDown() override {
        if (sim_.state() != QProcess::NotRunning) {
            sim_.kill();
            sim_.waitForFinished(kStartTimeoutMs);
        }
        xvfb_.stop();
    }

    testing::XvfbServer xvfb_;
    QProcess sim_;
};

TEST_F(ScanX11EndToEndTest, FullScanShowsTheTrackerFiguresForEveryTableAndPlayer) {
    const sim::Lobby lobby = sim::Lobby::loadFile(kLobbyFile);
    const ScanFixture fixture(lobby);
    const ScanSettings settings;
    PostgresServer& server = PostgresServer::shared();
    ASSERT_NO_THROW(fixture.load(server, "scan_x11_pt3"));

    CliScan scan(QStringLiteral(KESTROVA_CLI_PATH));
    std::string error;
    ASSERT_TRUE(scan.prepare(settings, server, "scan_x11_pt3", error)) << error;
    QProcessEnvironment display;
    display.insert(QStringLiteral("DISPLAY"), QString::fromStdString(xvfb_.displayName()));
    QByteArray output;
    ASSERT_TRUE(scan.run({QStringLiteral("scan"), QStringLiteral("--x11")}, display, kScanTimeoutMs,
                         output, error))
        << error << "\neverest-sim: "
        << (sim_.readAllStandardError() + sim_.readAllStandardOutput()).toStdString();

    expectScanOutput(output, ExpectedScan::compute(lobby, fixture, settings));
}

}  // namespace
}  // namespace kestrova::test
