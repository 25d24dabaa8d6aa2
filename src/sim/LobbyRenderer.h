#pragma once

#include "common/Image.h"
#include "sim/BitmapFont.h"
#include "sim/ClientLatency.h"
#include "sim/Lobby.h"
#include "sim/LobbyLayout.h"
#include "sim/LobbyState.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace kestrova::sim {

// Draws the whole simulated lobby window: title strip, table list (inside the list
// child window) and the seat list of the selected table. Everything the lobby shows
// comes from here, so a capture in-process and a capture of everest-sim agree.
class LobbyRenderer final {
public:
    static constexpr int kWindowWidth = layout::kWindowWidth;
    static constexpr int kWindowHeight = layout::kWindowHeight;
    // The list child window, relative to the lobby window.
    static constexpr int kListWindowLeft = layout::kListWindowLeft;
    static constexpr int kListWindowTop = layout::kListWindowTop;
    static constexpr int kListLeft = layout::kListLeft;
    static constexpr int kListRight = layout::kListRight;
    static constexpr int kListTop = layout::kListTop;
    static constexpr int kRowHeight = layout::kRowHeight;
    // Seat list box: dark top border row and left border column.
    static constexpr int kSeatBoxTop = layout::kSeatBoxTop;
    static constexpr int kSeatBoxLeft = layout::kSeatBoxLeft;
    static constexpr int kSeatBoxRight = layout::kSeatBoxRight;
    static constexpr int kSeatLineHeight = layout::kSeatLineHeight;
    static constexpr int kSeatLines = layout::kSeatLines;

    using Column = layout::Column;

    explicit LobbyRenderer(const BitmapFont& font) : font_(font) {}

    static QRect listWindowRect() {
        return {kListWindowLeft, kListWindowTop, kWindowWidth, kWindowHeight - kListWindowTop};
    }

    QImage render(const Lobby& lobby, const LobbyState& state) const;
    // The lobby as a slow client shows it for a while after a key.
    QImage render(const Lobby& lobby, const LobbyView& view) const;
    QImage renderTableWindow(const QString& title, int width, int height) const;
    // A QImage as the 0xAARRGGBB capture the readers take.
    static Image toImage(const QImage& image);

    // Where a column's text starts and the first column it may not reach.
    static int columnTextLeft(Column column);
    static int columnClipRight(Column column);
    bool fitsColumn(Column column, const QString& text) const;

    static int seatLineTop(int line) { return layout::seatLineTop(line); }
    static int seatNameLeft() { return layout::seatNameLeft(); }
    static int seatNameClipRight() { return layout::seatNameClipRight(); }
    static int seatChipsLeft() { return layout::seatChipsLeft(); }
    static int seatChipsClipRight() { return layout::seatChipsClipRight(); }
    bool fitsSeatName(const QString& name) const;
    bool fitsSeatChips(const QString& chips) const;

    static QString seatsText(const LobbyTable& table);

    const BitmapFont& font() const { return font_; }

private:
    void drawList(QImage& image, const Lobby& lobby, const LobbyView& view) const;
    void drawSeats(QImage& image, const LobbyTable& table, const LobbyView& view) const;
    void drawCell(QImage& image, Column column, int lineTop, const std::string& text,
                  QRgb colour) const;

    const BitmapFont& font_;
};

}  // namespace kestrova::sim
