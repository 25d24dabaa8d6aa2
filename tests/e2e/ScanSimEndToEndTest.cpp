// "Scan All Tables" as kestrova-cli runs it on the in-process simulated lobby,
// against a PokerTracker 3 database on a throwaway PostgreSQL server: every
// table row and every player row must show the fixture's figures.
#include "CliScan.h"
#include "ExpectedScan.h"
#include "PostgresServer.h"
#include "ScanFixture.h"
#include "sim/Lobby.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace kestrova::test {
namespace {

const QString kLobbyFile = QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json");
const QString kGoldenFile =
    QStringLiteral(KESTROVA_SOURCE_DIR "/tests/e2e/golden/scan-lobby-60.json");
constexpr int kScanTimeoutMs = 120000;

class ScanSimEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { lobby_ = sim::Lobby::loadFile(kLobbyFile); }

    sim::Lobby lobby_;
};

TEST_F(ScanSimEndToEndTest, FixtureExercisesTheCasesTheComparisonRestsOn) {
    const ScanFixture fixture(lobby_);
    const ExpectedScan expected = ExpectedScan::compute(lobby_, fixture, ScanSettings());

    // 60 tables, of which those showing 0 or 11 players get no row.
    EXPECT_EQ(lobby_.size(), 60);
    EXPECT_GE(expected.tables.size(), 50u);
    std::map<std::string, int> tablesPerName;
    std::set<std::string> hands;
    bool someHidden = false, someShown = false, someOwnSeat = false, someBuddy = false;
    for (const ExpectedTableRow& row : expected.tables) {
        (row.hidden ? someHidden : someShown) = true;
        someOwnSeat = someOwnSeat || row.ownSeat;
        someBuddy = someBuddy || row.columns[10] != "0";
    }
    bool losersShown = false, winnersHidden = false, zeroWonHidden = false;
    for (const ExpectedPlayerRow& row : expected.players) {
        ++tablesPerName[row.columns[2]];
        hands.insert(row.columns[6]);
        losersShown = losersShown || !row.hidden;
        winnersHidden = winnersHidden || (row.hidden && row.columns[7] != "0.00");
        zeroWonHidden = zeroWonHidden || (row.hidden && row.columns[7] == "0.00");
    }
    EXPECT_TRUE(someHidden && someShown && someOwnSeat && someBuddy);
    EXPECT_TRUE(losersShown && winnersHidden && zeroWonHidden);
    EXPECT_TRUE(std::any_of(tablesPerName.begin(), tablesPerName.end(), [](const auto& entry) {
        return entry.second > 1;
    })) << "no player sits at two tables";
    EXPECT_TRUE(hands.count("0") && hands.count("100") && hands.count("101"));

    // Screen names whose look-up pattern matches more than one database player.
    int summed = 0;
    for (const auto& [name, count] : tablesPerName) {
        int matches = 0;
        for (const ScanFixture::DatabasePlayer& p : fixture.players())
            matches += ScanFixture::likeMatches(ScanFixture::namePattern(name), p.name) ? 1 : 0;
        summed += matches > 1 ? 1 : 0;
    }
    EXPECT_GE(summed, 5);
}

TEST_F(ScanSimEndToEndTest, FullScanShowsTheTrackerFiguresForEveryTableAndPlayer) {
    if (!PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed; the tracker needs a server";
    const ScanFixture fixture(lobby_);
    const ScanSettings settings;
    PostgresServer& server = PostgresServer::shared();
    ASSERT_NO_THROW(fixture.load(server, "scan_sim_pt3"));

    CliScan scan(QStringLiteral(KESTROVA_CLI_PATH));
    std::string error;
    ASSERT_TRUE(scan.prepare(settings, server, "scan_sim_pt3", error)) << error;
    QByteArray output;
    ASSERT_TRUE(scan.run({QStringLiteral("scan"), QStringLiteral("--sim"), kLobbyFile},
                         QProcessEnvironment(), kScanTimeoutMs, output, error))
        << error;

    expectScanOutput(output, ExpectedScan::compute(lobby_, fixture, settings));
    // A headless run leaves the window's trace file alone.
    EXPECT_FALSE(QFile::exists(scan.workingDirectory() + QStringLiteral("/log.txt")));

    // The reviewed output of this scan, compared as JSON values; set
    // KESTROVA_RECORD_GOLDEN to write a new one for review instead.
    QFile golden(kGoldenFile);
    if (std::getenv("KESTROVA_RECORD_GOLDEN")) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
        golden.write(output);
        return;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QJsonDocument expected = QJsonDocument::fromJson(golden.readAll());
    const QJsonDocument actual = QJsonDocument::fromJson(output);
    ASSERT_FALSE(actual.isNull()) << output.toStdString();
    EXPECT_EQ(actual, expected) << output.toStdString();
}

// A damaged database list is told on standard error and fails the command: a
// headless run never waits for a click on a box nobody sees.
TEST_F(ScanSimEndToEndTest, DamagedDatabaseListFailsTheScanWithAMessage) {
    CliScan scan(QStringLiteral(KESTROVA_CLI_PATH));
    QFile dbConf(scan.workingDirectory() + QStringLiteral("/db.conf"));
    ASSERT_TRUE(dbConf.open(QIODevice::WriteOnly));
    dbConf.write("\x05\x00\x00\x00garbage");
    dbConf.close();
    QByteArray output;
    std::string error;
    EXPECT_FALSE(scan.run({QStringLiteral("scan"), QStringLiteral("--sim"), kLobbyFile},
                          QProcessEnvironment(), 30000, output, error));
    EXPECT_NE(error.find("exited with 1"), std::string::npos) << error;
    EXPECT_NE(error.find("db.conf"), std::string::npos) << error;
}

}  // namespace
}  // namespace kestrova::test
