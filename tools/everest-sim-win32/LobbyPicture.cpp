#include "LobbyPicture.h"

#include "sim/LobbyLayout.h"

#include <string>

namespace kestrova::sim {

namespace {

using namespace layout;

void fill(Image& image, int left, int top, int width, int height, std::uint32_t colour) {
    for (int y = std::max(top, 0); y < std::min(top + height, image.height()); ++y)
        for (int x = std::max(left, 0); x < std::min(left + width, image.width()); ++x)
            image.setPixel(x, y, colour);
}

void drawCell(const GdiFont& font, Image& image, Column column, int lineTop,
              const std::string& text, std::uint32_t colour) {
    const int left = columnTextLeft(column);
    font.draw(image, left, lineTop, text, colour, left, columnClipRight(column));
}

void drawList(const GdiFont& font, Image& image, const std::vector<LobbyTable>& tables,
              const LobbyState& state) {
    const int rows = static_cast<int>(tables.size());
    for (int line = 0; line < LobbyState::kVisibleRows; ++line) {
        const int row = state.topRow() + line;
        const int lineTop = kListTop + line * kRowHeight;
        const bool selected = row == state.selectedRow();
        fill(image, kListLeft, lineTop, kListRight - kListLeft, kRowHeight,
             selected ? kRowSelected : (row % 2 == 0 ? kRowEven : kRowOdd));
        if (row >= rows)
            continue;
        const LobbyTable& table = tables[static_cast<std::size_t>(row)];
        const std::uint32_t text = selected ? kRowSelectedText : kRowText;
        drawCell(font, image, Column::Name, lineTop, table.name, text);
        drawCell(font, image, Column::Game, lineTop, table.game, text);
        drawCell(font, image, Column::Stakes, lineTop, table.stakes, text);
        drawCell(font, image, Column::Seats, lineTop,
                 std::to_string(table.seated) + "/" + std::to_string(table.seats), text);
        drawCell(font, image, Column::Extra, lineTop, table.extra, text);
        drawCell(font, image, Column::AveragePot, lineTop, table.averagePot, text);
        drawCell(font, image, Column::Waiting, lineTop, std::to_string(table.waiting), text);
    }
}

void drawSeats(const GdiFont& font, Image& image, const LobbyTable& table) {
    int line = 0;
    auto drawLine = [&](const std::string& name, const std::string& chips) {
        const int top = seatLineTop(line++);
        font.draw(image, seatNameLeft(), top, name, kSeatText, seatNameLeft(), seatNameClipRight());
        font.draw(image, seatChipsLeft(), top, chips, kSeatText, seatChipsLeft(),
                  seatChipsClipRight());
    };
    for (const SeatedPlayer& player : table.players) {
        if (line >= kSeatLines)
            return;
        drawLine(player.name, player.stack);
    }
    if (line < kSeatLines)
        drawLine("Waiting:", "");
    for (const std::string& name : table.waitlist) {
        if (line >= kSeatLines)
            return;
        drawLine(name, "");
    }
}

}  // namespace

Image renderLobby(const GdiFont& font, const std::vector<LobbyTable>& tables,
                  const LobbyState& state) {
    Image image(kWindowWidth, kWindowHeight, kWindowBackground);
    fill(image, 0, 0, kWindowWidth, kListWindowTop, kTitleStrip);
    fill(image, kListLeft, kListTop - 20, kListRight - kListLeft, 18, kHeaderBackground);
    fill(image, kSeatBoxLeft, kSeatBoxTop - 20, kSeatBoxRight - kSeatBoxLeft, 18,
         kHeaderBackground);
    font.draw(image, kTitleX, kTitleTop, "Everest Poker - Lobby", kTitleText, 0, kWindowWidth);
    const int headerTop = kListTop - 18;
    for (std::size_t i = 0; i < kHeaders.size(); ++i)
        drawCell(font, image, static_cast<Column>(i), headerTop, kHeaders[i], kHeaderText);
    font.draw(image, seatNameLeft(), kSeatBoxTop - 18, "Player", kHeaderText, 0, kWindowWidth);
    font.draw(image, seatChipsLeft(), kSeatBoxTop - 18, "Chips", kHeaderText, 0, kWindowWidth);

    drawList(font, image, tables, state);
    const int boxBottom = seatLineTop(kSeatLines) + 2;
    const int boxWidth = kSeatBoxRight - kSeatBoxLeft;
    fill(image, kSeatBoxLeft, kSeatBoxTop, boxWidth, boxBottom - kSeatBoxTop, kSeatBackground);
    fill(image, kSeatBoxLeft, kSeatBoxTop, boxWidth, 1, kSeatBorder);
    fill(image, kSeatBoxLeft, kSeatBoxTop, 1, boxBottom - kSeatBoxTop, kSeatBorder);
    fill(image, kSeatBoxRight - 1, kSeatBoxTop, 1, boxBottom - kSeatBoxTop, kSeatBorder);
    fill(image, kSeatBoxLeft, boxBottom - 1, boxWidth, 1, kSeatBorder);
    const int selected = state.selectedRow();
    if (selected >= 0 && selected < static_cast<int>(tables.size()))
        drawSeats(font, image, tables[static_cast<std::size_t>(selected)]);
    return image;
}

}  // namespace kestrova::sim
