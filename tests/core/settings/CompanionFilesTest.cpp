#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "settings/CloseConf.h"
#include "settings/ColumnConf.h"
#include "settings/DirConf.h"
#include "settings/LimitsFile.h"
#include "settings/OpenCountConf.h"
#include "settings/StakesFile.h"
#include "settings/Window2Conf.h"
#include "settings/WindowConf.h"

namespace kestrova {

void PrintTo(const WindowStartGeometry& g, std::ostream* os) {
    *os << "{table " << (g.tableSortColumn ? std::to_string(*g.tableSortColumn) : "-")
        << ", player " << (g.playerSortColumn ? std::to_string(*g.playerSortColumn) : "-") << ", "
        << g.width << " x " << g.height << "}";
}

void PrintTo(const LimitRecord& r, std::ostream* os) {
    *os << "{" << r.type << " | " << r.structure << " | " << r.limit << "}";
}

namespace {

using test::bytes;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

class CompanionFiles : public ::testing::Test {
protected:
    void put(std::string_view name, std::string_view content) { writeBytes(dir_ / name, content); }
    std::string get(std::string_view name) const { return readBytes(dir_ / name); }

    TempDir dir_;
};

// ---- c.conf ------------------------------------------------------------------

TEST_F(CompanionFiles, OpenCountRoundTripAndDefaults) {
    EXPECT_EQ(OpenCountConf::read(dir_.path()), 4);
    ASSERT_TRUE(OpenCountConf::write(dir_.path(), 7));
    EXPECT_EQ(get("c.conf"), bytes("\x07\x00\x00\x00"));
    EXPECT_EQ(OpenCountConf::read(dir_.path()), 7);
    put("c.conf", bytes("\x07\x00"));
    EXPECT_EQ(OpenCountConf::read(dir_.path()), 4);
}

// ---- Close.conf --------------------------------------------------------------

TEST_F(CompanionFiles, CloseConfRoundTrip) {
    const CloseConf conf{1, 5, -20};
    ASSERT_TRUE(conf.write(dir_.path()));
    EXPECT_EQ(get("Close.conf"), bytes("\x01\x00\x00\x00\x05\x00\x00\x00\xec\xff\xff\xff"));
    EXPECT_EQ(CloseConf::read(dir_.path()), conf);
    EXPECT_EQ(conf.engineLowerPotBb(), 5);
    EXPECT_EQ((CloseConf{2, 5, 9}).engineLowerPotBb(), -1) << "only exactly 1 turns the rule on";
}

TEST_F(CompanionFiles, ShortCloseConfKeepsPreviousValues) {
    put("Close.conf", bytes("\x01\x00\x00\x00\x09\x00"));
    EXPECT_EQ(CloseConf::read(dir_.path(), CloseConf{0, 3, 8}), (CloseConf{1, 3, 8}));
}

// ---- dir.conf ----------------------------------------------------------------

TEST_F(CompanionFiles, DirConfRoundTrip) {
    const DirConf conf{1, "/home/me/scan.txt"};
    ASSERT_TRUE(conf.write(dir_.path()));
    EXPECT_EQ(get("dir.conf"), bytes("\x01\x00\x00\x00\x11\x00\x00\x00/home/me/scan.txt"));
    EXPECT_EQ(DirConf::read(dir_.path()), conf);
}

TEST_F(CompanionFiles, DirConfFlagRules) {
    put("dir.conf", bytes("\x02\x00\x00\x00\x00\x00\x00\x00"));
    const DirConf conf = DirConf::read(dir_.path());
    EXPECT_TRUE(conf.saveOn());
    EXPECT_FALSE(conf.checkedInGeneralTab());
    EXPECT_EQ(DirConf::read(dir_ / "missing"), DirConf{});
}

TEST_F(CompanionFiles, DirConfHostileLengthsLeaveEmptyPath) {
    for (const std::string& content :
         {bytes("\x01\x00\x00\x00\xff\xff\xff\xff/x"),                         // negative
          bytes("\x01\x00\x00\x00\x10\x00\x00\x00/x"),                         // past the end
          bytes("\x01\x00\x00\x00\xff\xff\xff\x7f/x"),                         // huge
          bytes("\x01\x00\x00\x00\x00\x04\x00\x00") + std::string(1024, 'a'),  // beyond buffer
          bytes("\x01\x00\x00\x00\x05\x00")}) {                                // short
        put("dir.conf", content);
        EXPECT_EQ(DirConf::read(dir_.path()), (DirConf{1, ""}));
    }
    EXPECT_FALSE((DirConf{1, std::string(DirConf::kMaxPathBytes + 1, 'a')}).write(dir_.path()));
}

// ---- Window.conf and Window2.conf --------------------------------------------

TEST_F(CompanionFiles, WindowConfRoundTrip) {
    const WindowConf conf{3, 12, 1024, 700};
    ASSERT_TRUE(conf.write(dir_.path()));
    EXPECT_EQ(get("Window.conf"),
              bytes("\x03\x00\x00\x00\x0c\x00\x00\x00\x00\x04\x00\x00\xbc\x02\x00\x00"));
    EXPECT_EQ(WindowConf::read(dir_.path()), conf);
}

TEST_F(CompanionFiles, WindowConfWithoutFileGives500x400Unsorted) {
    const auto file = WindowConf::read(dir_.path());
    EXPECT_FALSE(file.has_value());
    EXPECT_EQ(WindowStartGeometry::from(file), (WindowStartGeometry{{}, {}, 500, 400}));
}

TEST_F(CompanionFiles, WindowConfTooShortForSizeKeeps800x600) {
    put("Window.conf", bytes("\x02\x00\x00\x00\x04\x00\x00\x00\x10\x00"));
    EXPECT_EQ(WindowStartGeometry::from(WindowConf::read(dir_.path())),
              (WindowStartGeometry{2, 4, 800, 600}));
}

TEST(WindowStartGeometry, SortColumnsAppliedOnlyInRange) {
    using G = WindowStartGeometry;
    EXPECT_EQ(G::from(WindowConf{10, 12, 640, 480}), (G{10, 12, 640, 480}));
    EXPECT_EQ(G::from(WindowConf{11, 13, 640, 480}), (G{{}, {}, 640, 480}))
        << "an out-of-range column is ignored, the rest still applies";
    EXPECT_EQ(G::from(WindowConf{-1, -2147483647 - 1, 640, 480}), (G{{}, {}, 640, 480}))
        << "negatives fail the unsigned comparison";
    EXPECT_EQ(G::from(WindowConf{0, 0, 0, 0}), (G{0, 0, 0, 0}));
}

TEST(WindowStartGeometry, SizeOutOfRangeGives500x400ForBoth) {
    using G = WindowStartGeometry;
    EXPECT_EQ(G::from(WindowConf{1, 1, 3000, 480}), (G{1, 1, 500, 400}));
    EXPECT_EQ(G::from(WindowConf{1, 1, 640, 2201}), (G{1, 1, 500, 400}));
    EXPECT_EQ(G::from(WindowConf{1, 1, -1, 480}), (G{1, 1, 500, 400}));
    EXPECT_EQ(G::from(WindowConf{1, 1, 640, -5}), (G{1, 1, 500, 400}));
    EXPECT_EQ(G::from(WindowConf{1, 1, 2050, 2200}), (G{1, 1, 2050, 2200}));
}

TEST_F(CompanionFiles, Window2ConfRoundTripAndShortFiles) {
    ASSERT_TRUE(Window2Conf::write(dir_.path(), 14, true));
    EXPECT_EQ(get("Window2.conf"), bytes("\x0e\x00\x00\x00\x01\x00\x00\x00"));
    Window2Conf conf = Window2Conf::read(dir_.path());
    EXPECT_EQ(conf.sortColumn, 14);
    EXPECT_TRUE(conf.ascending());

    put("Window2.conf", bytes("\x63\x00\x00\x00\x02\x00\x00\x00"));
    conf = Window2Conf::read(dir_.path());
    EXPECT_EQ(conf.sortColumn, 99) << "no range test";
    EXPECT_FALSE(conf.ascending()) << "any flag but 1 means descending";

    put("Window2.conf", bytes("\x03\x00\x00\x00"));
    conf = Window2Conf::read(dir_.path());
    EXPECT_EQ(conf.sortColumn, 3);
    EXPECT_FALSE(conf.ascending());

    put("Window2.conf", bytes("\x03\x00"));
    EXPECT_FALSE(Window2Conf::read(dir_.path()).sortColumn.has_value());
}

// ---- Column.conf -------------------------------------------------------------

TEST_F(CompanionFiles, ColumnConfRoundTripOf11And15Widths) {
    ColumnConf conf;
    for (int i = 0; i < 11; ++i) {
        conf.tableWidths.push_back(50 + i);
    }
    for (int i = 0; i < 15; ++i) {
        conf.playerWidths.push_back(300 + i);
    }
    ASSERT_TRUE(conf.write(dir_.path()));
    const std::string stored = get("Column.conf");
    ASSERT_EQ(stored.size(), 4u + 44u + 4u + 60u);
    EXPECT_EQ(stored.substr(0, 8), bytes("\x0b\x00\x00\x00\x32\x00\x00\x00"));
    EXPECT_EQ(stored.substr(48, 8), bytes("\x0f\x00\x00\x00\x2c\x01\x00\x00"));
    EXPECT_EQ(ColumnConf::read(dir_.path()), conf);
}

TEST_F(CompanionFiles, ColumnConfCountsFromTheFileDriveTheLoops) {
    put("Column.conf", bytes("\x02\x00\x00\x00\x0a\x00\x00\x00\x14\x00\x00\x00"
                             "\x01\x00\x00\x00\x1e\x00\x00\x00"));
    EXPECT_EQ(ColumnConf::read(dir_.path()), (ColumnConf{{10, 20}, {30}}));
}

TEST_F(CompanionFiles, ColumnConfHostileCounts) {
    // A count beyond the file: the widths that are there, nothing of the second group.
    put("Column.conf", bytes("\xff\xff\xff\x7f\x0a\x00\x00\x00\x14\x00\x00\x00"));
    EXPECT_EQ(ColumnConf::read(dir_.path()), (ColumnConf{{10, 20}, {}}));
    // A negative count ends the read.
    put("Column.conf", bytes("\xfe\xff\xff\xff\x0a\x00\x00\x00"));
    EXPECT_EQ(ColumnConf::read(dir_.path()), ColumnConf{});
    // A hostile second count keeps the first group.
    put("Column.conf", bytes("\x01\x00\x00\x00\x0a\x00\x00\x00\x00\x00\x00\x80"));
    EXPECT_EQ(ColumnConf::read(dir_.path()), (ColumnConf{{10}, {}}));
}

// ---- limits files ------------------------------------------------------------

TEST(LimitsFileNames, FollowTheClientKind) {
    EXPECT_EQ(LimitsFile::fileName(0), "LIMITS");
    EXPECT_EQ(LimitsFile::fileName(1), "LIMITS");
    EXPECT_EQ(LimitsFile::fileName(2), "LIMITSFTP");
    EXPECT_EQ(LimitsFile::fileName(6), "LIMITSDR");
    for (const int kind : {3, 4, 5, 7, -1, 8}) {
        EXPECT_FALSE(LimitsFile::fileName(kind).has_value()) << kind;
    }
}

TEST_F(CompanionFiles, LimitsRoundTrip) {
    const std::vector<LimitRecord> records{{"Holdem", "NL", "$1/$2"}, {"Omaha", "PL", ""}};
    ASSERT_TRUE(LimitsFile::write(dir_.path(), 2, records));
    EXPECT_EQ(get("LIMITSFTP"),
              bytes("\x02\x00\x00\x00"
                    "\x06\x00\x00\x00Holdem\x02\x00\x00\x00NL\x05\x00\x00\x00$1/$2"
                    "\x05\x00\x00\x00Omaha\x02\x00\x00\x00PL\x00\x00\x00\x00"));
    EXPECT_EQ(LimitsFile::read(dir_.path(), 2), records);
    EXPECT_TRUE(LimitsFile::read(dir_.path(), 0).empty()) << "kind 0 reads LIMITS, not LIMITSFTP";
}

TEST_F(CompanionFiles, KindsWithoutLimitsFileReadAndWriteNothing) {
    put("LIMITS", bytes("\x01\x00\x00\x00\x01\x00\x00\x00"
                        "a\x01\x00\x00\x00"
                        "b\x01\x00\x00\x00"
                        "c"));
    for (const int kind : {3, 4, 5, 7}) {
        EXPECT_TRUE(LimitsFile::read(dir_.path(), kind).empty());
        EXPECT_TRUE(LimitsFile::write(dir_.path(), kind, {{"x", "y", "z"}}));
    }
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(CompanionFiles, LimitsHostileDataKeepsCompleteRecordsReadSoFar) {
    const std::string one = bytes(
        "\x01\x00\x00\x00"
        "a\x01\x00\x00\x00"
        "b\x01\x00\x00\x00"
        "c");
    put("LIMITS", bytes("\x05\x00\x00\x00") + one + bytes("\x01\x00\x00\x00x\xff\xff\xff\xff"));
    EXPECT_EQ(LimitsFile::read(dir_.path(), 0), (std::vector<LimitRecord>{{"a", "b", "c"}}));

    put("LIMITS", bytes("\xff\xff\xff\x7f") + one);
    EXPECT_EQ(LimitsFile::read(dir_.path(), 1), (std::vector<LimitRecord>{{"a", "b", "c"}}));

    put("LIMITS", bytes("\xff\xff\xff\xff") + one);
    EXPECT_TRUE(LimitsFile::read(dir_.path(), 0).empty());

    put("LIMITS", bytes("\x01\x00\x00\x00\xe6\x00\x00\x00") + std::string(230, 'a') +
                      bytes("\x00\x00\x00\x00\x00\x00\x00\x00"));
    EXPECT_TRUE(LimitsFile::read(dir_.path(), 0).empty()) << "a text beyond the buffer";

    EXPECT_FALSE(LimitsFile::write(dir_.path(), 0,
                                   {{std::string(LimitsFile::kMaxTextBytes + 1, 'a'), "", ""}}));
}

// ---- stakes files ------------------------------------------------------------

TEST(StakesFileNames, ExistForKinds2To7) {
    EXPECT_FALSE(StakesFile::fileName(0).has_value());
    EXPECT_FALSE(StakesFile::fileName(1).has_value());
    EXPECT_EQ(StakesFile::fileName(2), "fstakes2");
    EXPECT_EQ(StakesFile::fileName(5), "fstakes5");
    EXPECT_EQ(StakesFile::fileName(7), "fstakes7");
    EXPECT_FALSE(StakesFile::fileName(8).has_value());
}

TEST_F(CompanionFiles, StakesRoundTripAndTrimming) {
    ASSERT_TRUE(StakesFile::write(dir_.path(), 5, {"NL $1/$2", " PL $0.5/$1\t"}));
    EXPECT_EQ(get("fstakes5"), bytes("\x02\x00\x00\x00\x08\x00\x00\x00NL $1/$2"
                                     "\x0c\x00\x00\x00 PL $0.5/$1\t"));
    EXPECT_EQ(StakesFile::read(dir_.path(), 5),
              (std::vector<std::string>{"NL $1/$2", "PL $0.5/$1"}));
}

TEST_F(CompanionFiles, SavingNoStakeKeepsOldFile) {
    ASSERT_TRUE(StakesFile::write(dir_.path(), 3, {"NL $1/$2"}));
    const std::string before = get("fstakes3");
    ASSERT_TRUE(StakesFile::write(dir_.path(), 3, {}));
    EXPECT_EQ(get("fstakes3"), before);
}

TEST_F(CompanionFiles, StakesHostileDataKeepsLabelsReadSoFar) {
    put("fstakes4",
        bytes("\x03\x00\x00\x00\x02\x00\x00\x00NL\x50\x00\x00\x00") + std::string(80, 'x'));
    EXPECT_EQ(StakesFile::read(dir_.path(), 4), (std::vector<std::string>{"NL"}))
        << "an 80-byte label is beyond the 79-byte buffer";

    put("fstakes4", bytes("\x00\x00\x00\x80\x02\x00\x00\x00NL"));
    EXPECT_TRUE(StakesFile::read(dir_.path(), 4).empty());

    put("fstakes4", bytes("\x02\x00"));
    EXPECT_TRUE(StakesFile::read(dir_.path(), 4).empty());
    EXPECT_TRUE(StakesFile::read(dir_.path(), 6).empty()) << "missing file";
}

// ---- whole-file rewrites -----------------------------------------------------

TEST_F(CompanionFiles, RewriteReplacesWholeFileAndLeavesNoTemporary) {
    put("Column.conf", std::string(500, 'z'));
    ASSERT_TRUE((ColumnConf{{1}, {2}}).write(dir_.path()));
    EXPECT_EQ(get("Column.conf").size(), 16u);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(CompanionFiles, WriteIntoMissingDirectoryFails) {
    EXPECT_FALSE(OpenCountConf::write(dir_ / "missing", 3));
    EXPECT_FALSE((WindowConf{}).write(dir_ / "missing"));
}

}  // namespace
}  // namespace kestrova
