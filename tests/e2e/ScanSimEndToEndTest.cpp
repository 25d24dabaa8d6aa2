// "Scan All Tables" as kestrova-cli runs it on the in-process simulated lobby,
// against a PokerTracker 3 database on a throwaway PostgreSQL server.
#include "CliRun.h"
#include "PostgresServer.h"

#include "TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace kestrova::test {
namespace {

TEST(ScanSimEndToEndTest, FullScanShowsTheReviewedFigures) {
    if (!PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed; the tracker needs a server";
    CliRun cli;
    ASSERT_NO_FATAL_FAILURE(cli.prepareScan(PostgresServer::shared(), "scan_sim_pt3"));
    const CliRun::Result scan = cli.run({QStringLiteral("scan"), QStringLiteral("--sim"),
                                         QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json")},
                                        {}, 120000);
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    expectGoldenScan(scan.out);
    // A headless run leaves the window's trace file alone.
    EXPECT_FALSE(QFile::exists(cli.path(QStringLiteral("data/kestrova/log.txt"))));
    EXPECT_FALSE(QFile::exists(cli.path(QStringLiteral("log.txt"))));
}

// A damaged database list is told on standard error and fails the command: a
// headless run never waits for a click on a box nobody sees.
TEST(ScanSimEndToEndTest, DamagedDatabaseListFailsTheScanWithAMessage) {
    CliRun cli;
    ASSERT_TRUE(QDir().mkpath(cli.path(QStringLiteral("data/kestrova"))));
    writeBytes(cli.path(QStringLiteral("data/kestrova/db.conf")).toStdString(),
               std::string("\x05\x00\x00\x00garbage", 11));
    const CliRun::Result scan = cli.run({QStringLiteral("scan"), QStringLiteral("--sim"),
                                         QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json")});
    EXPECT_EQ(scan.exitCode, 1) << scan.err;
    EXPECT_NE(scan.err.find("db.conf"), std::string::npos) << scan.err;
}

// A second lobby would be ignored without a word.
TEST(ScanSimEndToEndTest, AnOptionGivenTwiceIsRefused) {
    CliRun cli;
    const QString lobby = QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json");
    const CliRun::Result scan = cli.run(
        {QStringLiteral("scan"), QStringLiteral("--sim"), lobby, QStringLiteral("--sim"), lobby});
    EXPECT_EQ(scan.exitCode, 2);
    EXPECT_EQ(scan.out, "");
    EXPECT_NE(scan.err.find("scan: --sim given twice"), std::string::npos) << scan.err;
}

}  // namespace
}  // namespace kestrova::test
