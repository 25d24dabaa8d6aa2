#include "hud/LayoutSet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "RecordingSink.h"
#include "TempDir.h"

using namespace kestrova;
using namespace kestrova::hud;
using kestrova::test::readBytes;
using kestrova::test::RecordingSink;
using kestrova::test::TempDir;
using kestrova::test::writeBytes;

namespace {

constexpr int kFtp = 0;
constexpr int kPp = 1;
constexpr int k9Max = 0;
constexpr int k6Max = 1;
constexpr int k2Max = 2;

std::string entry(std::uint8_t flag, std::int32_t x, std::int32_t y) {
    return std::string(1, static_cast<char>(flag)) + kestrova::test::le32({x, y});
}

// Every flag and position different, extremes and negatives included.
LayoutSet distinctLayouts() {
    LayoutSet set;
    std::int32_t n = 1;
    for (int room = 0; room < kRoomCount; ++room) {
        for (int size = 0; size < kSizeCount; ++size) {
            HudLayout& layout = set.layout(room, size);
            for (StatKind kind : allKinds()) {
                layout.setFlag(kind, static_cast<std::uint8_t>((n * 37) % 256));
                for (int seat = 0; seat < layout.seatCount(); ++seat, ++n) {
                    layout.setPosition(kind, seat, {n * 5 - 400, -n * 3});
                }
            }
        }
    }
    set.layout(kPp, k2Max).setPosition(StatKind::ContinuationBet, 1, {INT32_MIN, INT32_MAX});
    return set;
}

class LayoutFiles : public ::testing::Test {
protected:
    std::filesystem::path dir() const { return dir_.path(); }
    TempDir dir_;
    RecordingSink sink_;
};

}  // namespace

TEST_F(LayoutFiles, SaveAndReloadGiveTheSameLayoutsAndBytes) {
    const LayoutSet saved = distinctLayouts();
    ASSERT_TRUE(saved.save(dir(), sink_));
    const std::string ftp = readBytes(dir() / "ftp.lo");
    const std::string pp = readBytes(dir() / "pp.lo");
    EXPECT_EQ(ftp.size(), 1530u);
    EXPECT_EQ(pp.size(), 1620u);

    LayoutSet loaded;
    loaded.load(dir(), LayoutFamily::User, &sink_);
    EXPECT_EQ(loaded, saved);
    ASSERT_TRUE(loaded.save(dir(), sink_));
    EXPECT_EQ(readBytes(dir() / "ftp.lo"), ftp);
    EXPECT_EQ(readBytes(dir() / "pp.lo"), pp);
    EXPECT_TRUE(sink_.messages.empty());
}

// Entries come in file kind order, the last seat record decides a flag, and a
// flag byte other than 0 or 1 is kept and written back as read.
TEST_F(LayoutFiles, ReadsEntriesInFileOrderAndKeepsFlagBytes) {
    std::string bytes;
    for (int seat = 0; seat < 9; ++seat) {
        for (int slot = 0; slot < 10; ++slot) {
            const bool last = seat == 8;
            const std::uint8_t flag = slot == 4 ? (last ? 2 : 0) : (last ? 0 : 1);
            bytes += entry(flag, seat * 100 + slot, -slot);
        }
    }
    LayoutSet set;
    set.readRoom(kFtp, bytes);
    const HudLayout& nine = set.layout(kFtp, k9Max);
    EXPECT_EQ(nine.flag(StatKind::ThreeBet), 2);  // fifth entry: "B/C"
    EXPECT_TRUE(nine.isShown(StatKind::ThreeBet));
    EXPECT_FALSE(nine.isShown(StatKind::VPip));
    EXPECT_EQ(nine.position(StatKind::ThreeBet, 3), (BoxPosition{304, -4}));
    EXPECT_EQ(nine.position(StatKind::FoldSmallBlind, 0), (BoxPosition{5, -5}));
    EXPECT_EQ(nine.position(StatKind::WentToShowdown, 0), (BoxPosition{6, -6}));
    EXPECT_EQ(nine.position(StatKind::FoldBigBlind, 8), (BoxPosition{809, -9}));
    EXPECT_EQ(set.roomBytes(kFtp).substr(8 * 90, 90), bytes.substr(8 * 90, 90));
}

// A file of another length loads what it holds: a FullTiltPoker-sized "pp.lo"
// leaves PartyPoker's last 2-max seat alone, a cut entry and all after it keep
// their values, bytes past the room's size are ignored, garbage never throws.
TEST_F(LayoutFiles, FilesOfAnotherLengthLoadWhatTheyHold) {
    const LayoutSet before = distinctLayouts();
    const LayoutSet other;  // all on, all at (0, 0)

    LayoutSet set = before;
    writeBytes(dir() / "pp.lo", other.roomBytes(kPp).substr(0, 1530));
    writeBytes(dir() / "ftp.lo", other.roomBytes(kFtp) + std::string(500, '\xff'));
    set.load(dir(), LayoutFamily::User, &sink_);
    EXPECT_TRUE(sink_.messages.empty());
    EXPECT_EQ(set.layout(kFtp, k2Max), other.layout(kFtp, k2Max));
    EXPECT_EQ(set.layout(kPp, k9Max), other.layout(kPp, k9Max));
    EXPECT_EQ(set.layout(kPp, k6Max), other.layout(kPp, k6Max));
    const HudLayout& pp2 = set.layout(kPp, k2Max);
    for (StatKind kind : allKinds()) {
        EXPECT_EQ(pp2.position(kind, 0), (BoxPosition{0, 0}));
        EXPECT_EQ(pp2.position(kind, 1), before.layout(kPp, k2Max).position(kind, 1));
    }

    set = before;
    set.readRoom(kFtp, entry(0, 7, 8) + entry(0, 9, 10).substr(0, 8));
    EXPECT_EQ(set.layout(kFtp, k9Max).position(StatKind::VPip, 0), (BoxPosition{7, 8}));
    EXPECT_EQ(set.layout(kFtp, k9Max).position(StatKind::PFR, 0),
              before.layout(kFtp, k9Max).position(StatKind::PFR, 0));

    std::string garbage;
    for (int i = 0; i < 3000; ++i) {
        garbage += static_cast<char>((i * 131 + 7) % 256);
    }
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{89}, garbage.size()}) {
        LayoutSet any;
        any.readRoom(kPp, std::string_view(garbage).substr(0, length));
        LayoutSet again;
        again.readRoom(kPp, any.roomBytes(kPp));
        EXPECT_EQ(again, any) << length;
    }
}

// A user who never saved has no layout file: no message. A file that cannot
// be read, or a damaged one, is named with the reason.
TEST_F(LayoutFiles, MissingUserFileIsQuietAndUnreadableOrDamagedOnesAreNamed) {
    const LayoutSet wanted = distinctLayouts();
    writeBytes(dir() / "pp.lo", wanted.roomBytes(kPp));
    LayoutSet set;
    set.load(dir(), LayoutFamily::User, &sink_);
    EXPECT_TRUE(sink_.messages.empty());
    EXPECT_EQ(set.layout(kPp, k9Max), wanted.layout(kPp, k9Max));
    EXPECT_EQ(set.layout(kFtp, k9Max), LayoutSet().layout(kFtp, k9Max));

    std::filesystem::create_directory(dir() / "ftp.lo");
    writeBytes(dir() / "pp.lo", wanted.roomBytes(kPp).substr(0, 100));
    set.load(dir(), LayoutFamily::User, &sink_);
    ASSERT_EQ(sink_.messages.size(), 2u);
    EXPECT_EQ(sink_.messages[0].rfind(
                  "Error|Error loading layout: " + (dir() / "ftp.lo").string() + ": ", 0),
              0u)
        << sink_.messages[0];
    EXPECT_EQ(sink_.messages[1], "Error|Error loading layout: " + (dir() / "pp.lo").string() +
                                     ": damaged, 100 bytes is no whole number of entries");
    writeBytes(dir() / "pp.lo", "");
    sink_.messages.clear();
    set.load(dir(), LayoutFamily::User, &sink_);
    EXPECT_EQ(sink_.messages.size(), 2u);

    // A default file of the user's own in the folder wins over the shipped one.
    writeBytes(dir() / "ftp.def", wanted.roomBytes(kFtp));
    EXPECT_EQ(layoutFilePath(dir(), kFtp, LayoutFamily::Default), dir() / "ftp.def");
    EXPECT_EQ(layoutFilePath(dir(), kPp, LayoutFamily::Default).filename(), "pp.def");
    EXPECT_NE(layoutFilePath(dir(), kPp, LayoutFamily::Default).parent_path(), dir());
}

TEST_F(LayoutFiles, FailedSaveLeavesTheOldFilesWhole) {
    const std::string oldFtp = LayoutSet().roomBytes(kFtp);
    const std::string oldPp = "short but mine";
    writeBytes(dir() / "ftp.lo", oldFtp);
    writeBytes(dir() / "pp.lo", oldPp);

    const bool saved = kestrova::test::underFileSizeLimit(
        1000, [&] { return distinctLayouts().save(dir(), sink_); });

    EXPECT_FALSE(saved);
    EXPECT_EQ(sink_.messages,
              (std::vector<std::string>{"Error|Error saving layout", "Error|Error saving layout"}));
    EXPECT_EQ(readBytes(dir() / "ftp.lo"), oldFtp);
    EXPECT_EQ(readBytes(dir() / "pp.lo"), oldPp);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir()),
                            std::filesystem::directory_iterator()),
              2);
}

// The shipped defaults cover every seat of all six layouts: each shown box on
// the canvas, and no seat's boxes over another seat's.
TEST_F(LayoutFiles, ShippedDefaultsPlaceEverySeatOnTheCanvas) {
    for (int room = 0; room < kRoomCount; ++room) {
        const auto file = layoutFilePath(dir(), room, LayoutFamily::Default);
        EXPECT_EQ(readBytes(file).size(), roomFileBytes(room)) << file;
    }
    LayoutSet set;
    set.load(dir(), LayoutFamily::Default, &sink_);
    EXPECT_TRUE(sink_.messages.empty());
    for (int room = 0; room < kRoomCount; ++room) {
        for (int size = 0; size < kSizeCount; ++size) {
            const HudLayout& layout = set.layout(room, size);
            struct Box {
                int seat;
                BoxPosition at;
            };
            std::vector<Box> shown;
            for (StatKind kind : allKinds()) {
                for (int seat = 0; seat < layout.seatCount(); ++seat) {
                    if (layout.isShown(kind)) {
                        shown.push_back({seat, layout.position(kind, seat)});
                    }
                }
            }
            ASSERT_FALSE(shown.empty()) << layout.index();
            for (const Box& a : shown) {
                EXPECT_TRUE(a.at.x >= 0 && a.at.y >= 0 && a.at.x + kBoxWidth <= kCanvasWidth &&
                            a.at.y + kBoxHeight <= kCanvasHeight)
                    << layout.index() << " seat " << a.seat;
                for (const Box& b : shown) {
                    const bool overlap =
                        a.at.x < b.at.x + kBoxWidth && b.at.x < a.at.x + kBoxWidth &&
                        a.at.y < b.at.y + kBoxHeight && b.at.y < a.at.y + kBoxHeight;
                    EXPECT_FALSE(a.seat != b.seat && overlap)
                        << layout.index() << " seats " << a.seat << " and " << b.seat;
                }
            }
        }
    }
}
