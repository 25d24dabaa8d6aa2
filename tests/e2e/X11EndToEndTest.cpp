// The whole chain on a real X server: everest-sim shows a lobby on a private
// Xvfb, and kestrova-cli and the X11 backend work it as they would the client:
// the keys move its selection, and the captures read back what it drew.
#include "CliRun.h"
#include "PostgresServer.h"
#include "TempDir.h"
#include "XvfbServer.h"
#include "client/x11/X11Platform.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace kestrova::test {
namespace {

const QString kLobbyFile = QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json");
constexpr int kStartTimeoutMs = 20000;

class X11EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (testing::XvfbServer::findBinary().empty())
            GTEST_SKIP() << "Xvfb is not installed; the end-to-end test needs an X server";
        std::string error;
        ASSERT_TRUE(xvfb_.start(error)) << error;
        display_.insert(QStringLiteral("DISPLAY"), QString::fromStdString(xvfb_.displayName()));
        platform_ = X11Platform::open(xvfb_.displayName(), &error);
        ASSERT_NE(platform_, nullptr) << error;
    }

    void TearDown() override {
        platform_.reset();
        if (sim_.state() != QProcess::NotRunning) {
            sim_.kill();
            sim_.waitForFinished(kStartTimeoutMs);
        }
        xvfb_.stop();
    }

    // everest-sim is another process: whether it has reacted can only be seen by
    // looking again. Bounded, so a broken sim fails the test instead of hanging it.
    bool eventually(const std::function<bool()>& condition) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline || sim_.state() != QProcess::Running)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    void showLobby(const QString& file, const QStringList& options = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        sim_.setProcessEnvironment(env);
        sim_.start(QStringLiteral(EVEREST_SIM_PATH), QStringList{file} + options);
        ASSERT_TRUE(sim_.waitForStarted(kStartTimeoutMs)) << "everest-sim did not start";
        ASSERT_TRUE(eventually([&] {
            for (const WindowInfo& w : platform_->topLevelWindows()) {
                if (w.title == "Everest Poker - Lobby")
                    lobby_ = w;
            }
            return lobby_.id != 0;
        })) << "everest-sim shows no lobby: "
            << simOutput();
    }

    std::string simOutput() {
        return (sim_.readAllStandardError() + sim_.readAllStandardOutput()).toStdString();
    }

    std::vector<std::string> tableTitles() {
        std::vector<std::string> titles;
        for (const WindowInfo& w : platform_->tableWindows(lobby_.id))
            titles.push_back(w.title);
        std::sort(titles.begin(), titles.end());
        return titles;
    }

    testing::XvfbServer xvfb_;
    QProcessEnvironment display_;
    QProcess sim_;
    std::unique_ptr<X11Platform> platform_;
    WindowInfo lobby_;
    CliRun cli_;
};

// The real waits: 1300 ms per scanned table and 100 ms per row, plus the look-ups.
TEST_F(X11EndToEndTest, FullScanShowsTheReviewedFigures) {
    if (!PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed; the tracker needs a server";
    ASSERT_NO_FATAL_FAILURE(cli_.prepareScan(PostgresServer::shared(), "scan_x11_pt3"));
    ASSERT_NO_FATAL_FAILURE(showLobby(kLobbyFile));
    const CliRun::Result scan =
        cli_.run({QStringLiteral("scan"), QStringLiteral("--x11")}, display_, 480000);
    ASSERT_EQ(scan.exitCode, 0) << scan.err << "\neverest-sim: " << simOutput();
    expectGoldenScan(scan.out);
}

// A lobby drawn in an installed font nothing was taught: the first pass finds
// the font, says which, reads every row with it and keeps its table.
TEST_F(X11EndToEndTest, AFreshUserReadsALobbyInAnotherInstalledFont) {
    // What the lobby holds, read from the simulator in its own font.
    const CliRun::Result drawn = cli_.run(
        {QStringLiteral("tables"), QStringLiteral("--sim"), kLobbyFile}, {}, 120000);
    ASSERT_EQ(drawn.exitCode, 0) << drawn.err;
    ASSERT_NO_FATAL_FAILURE(showLobby(kLobbyFile, {QStringLiteral("--font"),
                                                   QStringLiteral("Liberation Serif"),
                                                   QStringLiteral("--pixel-size"),
                                                   QStringLiteral("12")}));
    const CliRun::Result tables =
        cli_.run({QStringLiteral("tables"), QStringLiteral("--x11")}, display_, 240000);
    ASSERT_EQ(tables.exitCode, 0) << tables.err << "\neverest-sim: " << simOutput();
    EXPECT_NE(tables.err.find("font found: Liberation Serif"), std::string::npos) << tables.err;
    EXPECT_EQ(tables.out.count("\n  {"), drawn.out.count("\n  {"));
    EXPECT_EQ(tables.out, drawn.out);

    // The next run reads with the kept table at once.
    const CliRun::Result again =
        cli_.run({QStringLiteral("tables"), QStringLiteral("--x11")}, display_, 240000);
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.err.find("font found"), std::string::npos) << again.err;
    EXPECT_EQ(again.out, tables.out);
}

// The pass hands the lobby the keyboard focus; the user's Esc stops it all the
// same, and what it read is shown as partial.
TEST_F(X11EndToEndTest, EscStopsAPassWhileTheLobbyHasTheFocus) {
    ASSERT_NO_FATAL_FAILURE(showLobby(kLobbyFile));
    CliRun::Result tables;
    std::atomic<bool> ended = false;
    std::thread run([&] {
        tables = cli_.run({QStringLiteral("tables"), QStringLiteral("--x11")}, display_, 120000);
        ended = true;
    });
    // Until the pass takes the key, Esc goes to the lobby, which ignores it.
    for (int i = 0; i < 600 && !ended; ++i) {
        EXPECT_TRUE(xvfb_.pressKey(0xff1b));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    run.join();
    EXPECT_EQ(tables.exitCode, 1) << tables.err;
    EXPECT_NE(tables.err.find("cancelled"), std::string::npos) << tables.err;
    EXPECT_LT(tables.out.count("\n  {"), 60) << tables.out.toStdString();
}

// "Aspen 1" comes before "Aspen 12"; the client shows "Bern (S)" where the table
// list says "Bern".
TEST_F(X11EndToEndTest, OpenFindsTheWholeNameAsTheTableListShowsIt) {
    QJsonArray tables;
    for (const char* name : {"Aspen 1", "Aspen 12", "Bern (S)", "Chur"}) {
        tables.append(QJsonObject{
            {QStringLiteral("name"), QString::fromLatin1(name)},
            {QStringLiteral("stakes"), QStringLiteral("$1/$2")},
            {QStringLiteral("players"),
             QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("Anna")}}}}});
    }
    const QString file = cli_.path(QStringLiteral("lobby.json"));
    writeBytes(
        file.toStdString(),
        QJsonDocument(QJsonObject{{QStringLiteral("tables"), tables}}).toJson().toStdString());
    ASSERT_NO_FATAL_FAILURE(showLobby(file));
    auto open = [&](const char* name) {
        return cli_.run(
            {QStringLiteral("open"), QString::fromLatin1(name), QStringLiteral("--x11")}, display_,
            120000);
    };

    CliRun::Result run = open("Aspen 12");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.toStdString(), "{\"opened\": \"Aspen 12\"}\n");
    ASSERT_TRUE(eventually([&] { return tableTitles().size() == 1; }));
    EXPECT_EQ(tableTitles(), std::vector<std::string>{"Aspen 12"});

    run = open("Bern");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(eventually([&] { return tableTitles().size() == 2; }));
    EXPECT_EQ(tableTitles(), (std::vector<std::string>{"Aspen 12", "Bern (S)"}));

    run = open("Davos");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no longer in the lobby"), std::string::npos) << run.err;
    EXPECT_EQ(tableTitles().size(), 2u);
}

}  // namespace
}  // namespace kestrova::test
