#pragma once

#include <array>
#include <cstdint>

// Where the simulated lobby draws what, and in which colours: shared by the Qt
// renderer (everest-sim, the in-process client) and the plain Win32 lobby, so
// that the readers see the same picture from either. No Qt here.
namespace kestrova::sim::layout {

inline constexpr int kWindowWidth = 1000;
inline constexpr int kWindowHeight = 700;
// The list child window, relative to the lobby window.
inline constexpr int kListWindowLeft = 0;
inline constexpr int kListWindowTop = 30;
inline constexpr int kListLeft = 20;
inline constexpr int kListRight = 655;
inline constexpr int kListTop = kListWindowTop + 219;
inline constexpr int kRowHeight = 16;
inline constexpr int kVisibleRows = 21;
// Seat list box: dark top border row and left border column.
inline constexpr int kSeatBoxTop = 250;
inline constexpr int kSeatBoxLeft = 690;
inline constexpr int kSeatBoxRight = 970;
inline constexpr int kSeatLineHeight = 14;
inline constexpr int kSeatLines = 10;
inline constexpr int kTitleX = 12;
inline constexpr int kTitleTop = 9;

// Offsets from the list's left edge at which the readers cut a row into columns;
// the last one is the list's right edge less two.
inline constexpr std::array<int, 8> kCuts = {1,   110, 178, 260,
                                             337, 405, 488, kListRight - 2 - kListLeft};
inline constexpr int kCellPadLeft = 4;
inline constexpr int kCellPadRight = 2;
// The readers find the row grid at this column; no ink may touch it.
inline constexpr int kGridProbeX = 600;
// The list's columns, in kCuts order.
enum class Column { Name, Game, Stakes, Seats, Extra, AveragePot, Waiting };
inline constexpr std::array<const char*, 7> kHeaders = {"Table", "Game",    "Stakes", "Plrs",
                                                        "Type",  "Avg Pot", "Wait"};

inline constexpr int columnTextLeft(Column column) {
    return kListLeft + kCuts[static_cast<std::size_t>(column)] + kCellPadLeft - 1;
}
inline constexpr int columnClipRight(Column column) {
    const int right = kListLeft + kCuts[static_cast<std::size_t>(column) + 1] - kCellPadRight;
    return column == Column::Waiting && right > kGridProbeX - 10 ? kGridProbeX - 10 : right;
}
inline constexpr int seatLineTop(int line) {
    return kSeatBoxTop + 3 + line * kSeatLineHeight;
}
inline constexpr int seatNameLeft() {
    return kSeatBoxLeft + 1 + 3;
}
inline constexpr int seatNameClipRight() {
    return kSeatBoxLeft + 1 + 110;
}
inline constexpr int seatChipsLeft() {
    return kSeatBoxLeft + 1 + 152;
}
inline constexpr int seatChipsClipRight() {
    return kSeatBoxLeft + 1 + 232;
}

// 0xAARRGGBB.
inline constexpr std::uint32_t kWindowBackground = 0xffd6deeau;  // 214, 222, 234
inline constexpr std::uint32_t kTitleStrip = 0xff26406eu;        // 38, 64, 110
inline constexpr std::uint32_t kTitleText = 0xffffffffu;
inline constexpr std::uint32_t kHeaderBackground = 0xffbec8d8u;  // 190, 200, 216
inline constexpr std::uint32_t kHeaderText = 0xff1e1e28u;        // 30, 30, 40
inline constexpr std::uint32_t kRowEven = 0xffffffffu;
inline constexpr std::uint32_t kRowOdd = 0xffe8eef7u;       // 232, 238, 247
inline constexpr std::uint32_t kRowSelected = 0xff2e8b57u;  // 46, 139, 87
inline constexpr std::uint32_t kRowText = 0xff101018u;      // 16, 16, 24
inline constexpr std::uint32_t kRowSelectedText = 0xffffffffu;
inline constexpr std::uint32_t kSeatBackground = 0xfff7f6ecu;  // 247, 246, 236
inline constexpr std::uint32_t kSeatBorder = 0xff000000u;
// Not dark in every part, so seat text never passes for the box's top border.
inline constexpr std::uint32_t kSeatText = 0xff141480u;     // 20, 20, 128
inline constexpr std::uint32_t kTableWindow = 0xff145a32u;  // 20, 90, 50

}  // namespace kestrova::sim::layout
