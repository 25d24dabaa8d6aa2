#include <gtest/gtest.h>

#include <map>
#include <string>

#include "RefusedWrites.h"
#include "TempDir.h"
#include "common/BinaryReader.h"
#include "settings/CloseConf.h"
#include "settings/ColumnConf.h"
#include "settings/DirConf.h"
#include "settings/LimitsFile.h"
#include "settings/OpenCountConf.h"
#include "settings/StakesFile.h"
#include "settings/TraceLog.h"
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
using test::le32;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

class CompanionFiles : public ::testing::Test {
protected:
    void put(std::string_view name, std::string_view content) { writeBytes(dir_ / name, content); }
    std::string get(std::string_view name) const { return readBytes(dir_ / name); }
    int fileCount() const {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir_.path()),
                                              std::filesystem::directory_iterator()));
    }

    TempDir dir_;
};

// The exact bytes of every stored format: little-endian int32 values and
// counted texts, whatever the host. (The fuzzers read them back.)
TEST_F(CompanionFiles, EveryFormatWritesItsExactBytes) {
    ASSERT_TRUE(OpenCountConf::write(dir_.path(), 7));
    EXPECT_EQ(get("c.conf"), le32({7}));
    ASSERT_TRUE((CloseConf{1, 5, -20}).write(dir_.path()));
    EXPECT_EQ(get("Close.conf"), le32({1, 5, -20}));
    ASSERT_TRUE((DirConf{1, "/home/me/scan.txt"}).write(dir_.path()));
    EXPECT_EQ(get("dir.conf"), le32({1, 17}) + "/home/me/scan.txt");
    ASSERT_TRUE((WindowConf{3, 12, 1024, 700}).write(dir_.path()));
    EXPECT_EQ(get("Window.conf"), le32({3, 12, 1024, 700}));
    ASSERT_TRUE(Window2Conf::write(dir_.path(), 14, true));
    EXPECT_EQ(get("Window2.conf"), le32({14, 1}));
    EXPECT_TRUE(Window2Conf::read(dir_.path()).ascending());
    ASSERT_TRUE((ColumnConf{{50, 51}, {300}}).write(dir_.path()));
    EXPECT_EQ(get("Column.conf"), le32({2, 50, 51, 1, 300}));

    const std::vector<LimitRecord> limits{{"Holdem", "NL", "$1/$2"}, {"Omaha", "PL", ""}};
    ASSERT_TRUE(LimitsFile::write(dir_.path(), ClientKind::FullTiltPoker, limits));
    EXPECT_EQ(get("LIMITSFTP"), le32({2, 6}) + "Holdem" + le32({2}) + "NL" + le32({5}) + "$1/$2" +
                                    le32({5}) + "Omaha" + le32({2}) + "PL" + le32({0}));
    EXPECT_EQ(LimitsFile::read(dir_.path(), ClientKind::FullTiltPoker), limits);
    EXPECT_TRUE(LimitsFile::read(dir_.path(), ClientKind::PartyPoker).empty())
        << "Partypoker reads LIMITS, not LIMITSFTP";

    // Stakes labels are trimmed when read.
    ASSERT_TRUE(
        StakesFile::write(dir_.path(), ClientKind::PokerStars, {"NL $1/$2", " PL $0.5/$1\t"}));
    EXPECT_EQ(get("fstakes5"), le32({2, 8}) + "NL $1/$2" + le32({12}) + " PL $0.5/$1\t");
    EXPECT_EQ(StakesFile::read(dir_.path(), ClientKind::PokerStars),
              (std::vector<std::string>{"NL $1/$2", "PL $0.5/$1"}));

    const TraceLog log(dir_ / "log.txt");
    ASSERT_TRUE(log.truncate());
    ASSERT_TRUE(log.append("1"));
    ASSERT_TRUE(log.append(TraceLog::kCleanupMarker));
    EXPECT_EQ(get("log.txt"), "1---->cleanup\n");
    EXPECT_FALSE(TraceLog(dir_ / "missing" / "log.txt").append("1"));
}

// Short and damaged files keep what was read whole and leave the rest alone.
TEST_F(CompanionFiles, ShortFilesKeepWhatWasReadWhole) {
    EXPECT_EQ(OpenCountConf::read(dir_.path()), 4);
    put("c.conf", bytes("\x07\x00"));
    EXPECT_EQ(OpenCountConf::read(dir_.path()), 4);

    put("Close.conf", bytes("\x01\x00\x00\x00\x09\x00"));
    EXPECT_EQ(CloseConf::read(dir_.path(), CloseConf{0, 3, 8}), (CloseConf{1, 3, 8}));

    put("dir.conf", bytes("\x01\x00\x00\x00\x10\x00\x00\x00/x"));  // text past the end
    EXPECT_EQ(DirConf::read(dir_.path()), (DirConf{1, ""}));

    put("Window2.conf", bytes("\x03\x00\x00\x00"));
    EXPECT_EQ(Window2Conf::read(dir_.path()).sortColumn, 3);
    EXPECT_FALSE(Window2Conf::read(dir_.path()).ascending());

    // A count beyond the file: the widths that are there, nothing of the second group.
    put("Column.conf", bytes("\xff\xff\xff\x7f\x0a\x00\x00\x00\x14\x00\x00\x00"));
    EXPECT_EQ(ColumnConf::read(dir_.path()), (ColumnConf{{10, 20}, {}}));

    const std::string one = le32({1}) + "a" + le32({1}) + "b" + le32({1}) + "c";
    put("LIMITS", le32({5}) + one + le32({1}) + "x" + le32({-1}));
    EXPECT_EQ(LimitsFile::read(dir_.path(), ClientKind::PartyPoker),
              (std::vector<LimitRecord>{{"a", "b", "c"}}));

    put("fstakes4", le32({3, 2}) + "NL" + le32({80}) + std::string(80, 'x'));
    EXPECT_EQ(StakesFile::read(dir_.path(), ClientKind::ParadisePoker),
              (std::vector<std::string>{"NL"}))
        << "an 80-byte label is beyond the 79-byte buffer";
}

TEST(WindowStartGeometry, SortColumnsAndSizeApplyOnlyInRange) {
    using G = WindowStartGeometry;
    EXPECT_EQ(G::from(std::nullopt), (G{{}, {}, 500, 400}));
    EXPECT_EQ(G::from(WindowConf{10, 12, 640, 480}), (G{10, 12, 640, 480}));
    EXPECT_EQ(G::from(WindowConf{11, 13, 640, 480}), (G{{}, {}, 640, 480}));
    EXPECT_EQ(G::from(WindowConf{-1, -2147483647 - 1, 640, 480}), (G{{}, {}, 640, 480}));
    EXPECT_EQ(G::from(WindowConf{1, 1, 3000, 480}), (G{1, 1, 500, 400}));
    EXPECT_EQ(G::from(WindowConf{1, 1, 640, -5}), (G{1, 1, 500, 400}));
    EXPECT_EQ(G::from(WindowConf{1, 1, 2050, 2200}), (G{1, 1, 2050, 2200}));
}

TEST_F(CompanionFiles, WritesReplaceWholeFilesOrNothing) {
    put("Column.conf", std::string(500, 'z'));
    ASSERT_TRUE((ColumnConf{{1}, {2}}).write(dir_.path()));
    EXPECT_EQ(get("Column.conf").size(), 16u);
    EXPECT_EQ(fileCount(), 1) << "no temporary file is left";

    ASSERT_TRUE(StakesFile::write(dir_.path(), ClientKind::AbsolutePoker, {"NL $1/$2"}));
    ASSERT_TRUE(StakesFile::write(dir_.path(), ClientKind::AbsolutePoker, {}));
    EXPECT_EQ(StakesFile::read(dir_.path(), ClientKind::AbsolutePoker),
              (std::vector<std::string>{"NL $1/$2"}));
    for (const ClientKind kind : {ClientKind::AbsolutePoker, ClientKind::ParadisePoker,
                                  ClientKind::PokerStars, ClientKind::BoDog})  // no limits file
        EXPECT_TRUE(LimitsFile::write(dir_.path(), kind, {{"x", "y", "z"}}));
    EXPECT_EQ(fileCount(), 2);

    // 229 bytes is the longest text every reader takes back.
    const std::vector<LimitRecord> longest{{std::string(229, 't'), "NL", std::string(229, 'l')}};
    ASSERT_TRUE(LimitsFile::write(dir_.path(), ClientKind::DoylesRoom, longest));
    EXPECT_EQ(LimitsFile::read(dir_.path(), ClientKind::DoylesRoom), longest);
    EXPECT_FALSE(LimitsFile::write(dir_.path(), ClientKind::DoylesRoom,
                                   {{"x", std::string(230, 's'), "y"}}));
    EXPECT_EQ(LimitsFile::read(dir_.path(), ClientKind::DoylesRoom), longest)
        << "a refused write keeps the file";

    EXPECT_FALSE((DirConf{1, std::string(DirConf::kMaxPathBytes + 1, 'a')}).write(dir_.path()));
    EXPECT_FALSE(OpenCountConf::write(dir_ / "missing", 3));

    writeBytes(dir_ / "big", std::string(100000, 'q'));
    EXPECT_EQ(readFileBounded(dir_ / "big", 70000)->size(), 70000u);
}

// A disk that refuses any step of a rewrite (full, failing) leaves every
// companion file as it was, with no temporary file beside it, and says so.
TEST_F(CompanionFiles, RefusedWritesLeaveTheOldFiles) {
    ASSERT_TRUE(OpenCountConf::write(dir_.path(), 7));
    ASSERT_TRUE((CloseConf{1, 5, -20}).write(dir_.path()));
    ASSERT_TRUE((ColumnConf{{50}, {300}}).write(dir_.path()));
    ASSERT_TRUE(
        LimitsFile::write(dir_.path(), ClientKind::PartyPoker, {{"Holdem", "NL", "$1/$2"}}));
    ASSERT_TRUE(StakesFile::write(dir_.path(), ClientKind::PokerStars, {"NL $1/$2"}));
    std::map<std::string, std::string> before;
    for (const auto& file : std::filesystem::directory_iterator(dir_.path()))
        before[file.path().filename().string()] = readBytes(file.path());

    for (const AtomicWriteStep step :
         {AtomicWriteStep::CreateTemporary, AtomicWriteStep::WriteBytes, AtomicWriteStep::SyncFile,
          AtomicWriteStep::CloseFile, AtomicWriteStep::Rename}) {
        const test::RefusedWrites full(step);
        SCOPED_TRACE(static_cast<int>(step));
        EXPECT_FALSE(OpenCountConf::write(dir_.path(), 9));
        EXPECT_FALSE((CloseConf{0, 1, 2}).write(dir_.path()));
        EXPECT_FALSE((ColumnConf{{1}, {2}}).write(dir_.path()));
        EXPECT_FALSE(LimitsFile::write(dir_.path(), ClientKind::PartyPoker, {}));
        EXPECT_FALSE(StakesFile::write(dir_.path(), ClientKind::PokerStars, {"PL $5/$10"}));
        EXPECT_FALSE((DirConf{1, "/x"}).write(dir_.path()));
        std::map<std::string, std::string> now;
        for (const auto& file : std::filesystem::directory_iterator(dir_.path()))
            now[file.path().filename().string()] = readBytes(file.path());
        EXPECT_EQ(now, before);
    }
}

}  // namespace
}  // namespace kestrova
