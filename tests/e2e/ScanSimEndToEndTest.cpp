// "Scan All Tables" as kestrova-cli runs it on the in-process simulated lobby,
// against a PokerTracker 3 database on a throwaway PostgreSQL server.
#include "CliRun.h"
#include "PostgresServer.h"

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
}

}  // namespace
}  // namespace kestrova::test
