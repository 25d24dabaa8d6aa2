#include "scan/ScanResultFile.h"

#include <gtest/gtest.h>

#include "TempDir.h"

namespace kestrova {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

// The result goes only into a folder; a saved path naming anything else is
// refused with its reason and never touched.
TEST(ScanResultFile, GoesIntoTheFolderAndNeverOverwritesAFile) {
    TempDir dir;
    auto row = std::make_shared<PlayerStats>();
    row->table = "Aspen";
    row->name = "Kat";
    row->stack = "1500";
    row->hands = 120;
    row->won = -3.5;
    row->vpip = 20.0;
    row->pfr = 5.0;
    row->af = 1.0;
    row->wtsd = 30.0;
    row->wonSd = 50.0;
    const ScanResultWrite written = writeScanResult(dir.path().string(), {row});
    EXPECT_TRUE(written.written);
    EXPECT_EQ(readBytes(dir / "scanresult.txt"),
              "Aspen;Kat;1500;120;-3.50;20.00;5.00;1.00;30.00;50.00;\n");

    writeBytes(dir / "Velloran.ini", "[Tallyhand]\n");
    const ScanResultWrite refused = writeScanResult((dir / "Velloran.ini").string(), {row});
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.message(), "Unable to write the scan result to " +
                                     (dir / "Velloran.ini").string() + ": not a folder");
    EXPECT_EQ(readBytes(dir / "Velloran.ini"), "[Tallyhand]\n");

    EXPECT_EQ(writeScanResult((dir / "gone").string(), {row}).reason, "No such file or directory");
    EXPECT_EQ(writeScanResult("", {row}).message(),
              "Unable to write the scan result to \"\": no folder is saved in dir.conf");
}

}  // namespace
}  // namespace kestrova
