#pragma once

#include "common/Image.h"
#include "sim/BitmapFont.h"
#include "sim/ClientLatency.h"
#include "sim/Lobby.h"
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
    static constexpr int kWindowWidth = 1000;
    static constexpr int kWindowHeight = 700;
    // The list child window, relative to the lobby window.
    static constexpr int kListWindowLeft = 0;
    static constexpr int kListWindowTop = 30;
    static constexpr int kListLeft = 20;
    static constexpr int kListRight = 655;
    static constexpr int kListTop = kListWindowTop + 219;
    static constexpr int kRowHeight = 16;
    // Seat list box: dark top border row and left border column.
    static constexpr int kSeatBoxTop = 250;
    static constexpr int kSeatBoxLeft = 690;
    static constexpr int kSeatBoxRight = 970;
    static constexpr int kSeatLineHeight = 14;
    static constexpr int kSeatLines = 10;

    enum class Column { Name, Game, Stakes, Seats, Extra, AveragePot, Waiting };

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

    static int seatLineTop(int line) { return kSeatBoxTop + 3 + line * kSeatLineHeight; }
    static int seatNameLeft() { return kSeatBoxLeft + 1 + 3; }
    static int seatNameClipRight() { return kSeatBoxLeft + 1 + 110; }
    static int seatChipsLeft() { return kSeatBoxLeft + 1 + 152; }
    static int seatChipsClipRight() { return kSeatBoxLeft + 1 + 232; }
    bool fitsSeatName(const QString& name) const;
    bool fitsSeatChips(const QString& chips) const;

    static QString seatsText(const LobbyTable& table);

    const BitmapFont& font() const { return font_; }

private:
    void drawList(QImage& image, const Lobby& lobby, const LobbyView& view) const;
    void drawSeats(QImage& image, const LobbyTable& table, bool chipsShown) const;
    void drawCell(QImage& image, Column column, int lineTop, const std::string& text,
                  QRgb colour) const;

    const BitmapFont& font_;
};

}  // namespace kestrova::sim
