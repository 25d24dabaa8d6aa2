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
    WholePlayerRowTexts row;
    for (std::size_t c = 0; c < row.size(); ++c)
        row[c] = std::to_string(c);
    const ScanResultWrite written = writeScanResult(dir.path().string(), {row});
    EXPECT_TRUE(written.written);
    EXPECT_EQ(readBytes(dir / "scanresult.txt"), "0;2;5;6;7;9;10;11;12;13;\n");

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
