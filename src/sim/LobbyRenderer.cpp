#include "sim/LobbyRenderer.h"

#include <QPainter>

#include <array>
#include <cstring>

namespace kestrova::sim {

namespace {

using namespace layout;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

int LobbyRenderer::columnTextLeft(Column column) {
    return layout::columnTextLeft(column);
}

int LobbyRenderer::columnClipRight(Column column) {
    return layout::columnClipRight(column);
}

bool LobbyRenderer::fitsColumn(Column column, const QString& text) const {
    return columnTextLeft(column) + font_.textWidth(text) <= columnClipRight(column);
}

bool LobbyRenderer::fitsSeatName(const QString& name) const {
    return seatNameLeft() + font_.textWidth(name) <= seatNameClipRight();
}

bool LobbyRenderer::fitsSeatChips(const QString& chips) const {
    return seatChipsLeft() + font_.textWidth(chips) <= seatChipsClipRight();
}

QString LobbyRenderer::seatsText(const LobbyTable& table) {
    return QStringLiteral("%1/%2").arg(table.seated).arg(table.seats);
}

void LobbyRenderer::drawCell(QImage& image, Column column, int lineTop, const std::string& text,
                             QRgb colour) const {
    const int left = columnTextLeft(column);
    font_.draw(image, left, lineTop, qs(text), colour, left, columnClipRight(column));
}

QImage LobbyRenderer::render(const Lobby& lobby, const LobbyState& state) const {
    return render(lobby, LobbyView::settled(state));
}

QImage LobbyRenderer::render(const Lobby& lobby, const LobbyView& view) const {
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    image.fill(kWindowBackground);
    {
        QPainter painter(&image);
        painter.fillRect(0, 0, kWindowWidth, kListWindowTop, kTitleStrip);
        painter.fillRect(kListLeft, kListTop - 20, kListRight - kListLeft, 18, kHeaderBackground);
        painter.fillRect(kSeatBoxLeft, kSeatBoxTop - 20, kSeatBoxRight - kSeatBoxLeft, 18,
                         kHeaderBackground);
    }
    font_.draw(image, kTitleX, kTitleTop, QStringLiteral("Everest Poker - Lobby"), kTitleText, 0,
               kWindowWidth);
    const int headerTop = kListTop - 18;
    for (std::size_t i = 0; i < kHeaders.size(); ++i) {
        drawCell(image, static_cast<Column>(i), headerTop, kHeaders[i], kHeaderText);
    }
    font_.draw(image, seatNameLeft(), kSeatBoxTop - 18, QStringLiteral("Player"), kHeaderText, 0,
               kWindowWidth);
    font_.draw(image, seatChipsLeft(), kSeatBoxTop - 18, QStringLiteral("Chips"), kHeaderText, 0,
               kWindowWidth);

    drawList(image, lobby, view);
    {
        QPainter painter(&image);
        const int boxBottom = seatLineTop(kSeatLines) + 2;
        painter.fillRect(kSeatBoxLeft, kSeatBoxTop, kSeatBoxRight - kSeatBoxLeft,
                         boxBottom - kSeatBoxTop, kSeatBackground);
        painter.fillRect(kSeatBoxLeft, kSeatBoxTop, kSeatBoxRight - kSeatBoxLeft, 1, kSeatBorder);
        painter.fillRect(kSeatBoxLeft, kSeatBoxTop, 1, boxBottom - kSeatBoxTop, kSeatBorder);
        painter.fillRect(kSeatBoxRight - 1, kSeatBoxTop, 1, boxBottom - kSeatBoxTop, kSeatBorder);
        painter.fillRect(kSeatBoxLeft, boxBottom - 1, kSeatBoxRight - kSeatBoxLeft, 1, kSeatBorder);
    }
    if (view.seatRow >= 0 && view.seatRow < lobby.size()) {
        drawSeats(image, lobby.table(view.seatRow), view);
    }
    return image;
}

void LobbyRenderer::drawList(QImage& image, const Lobby& lobby, const LobbyView& view) const {
    QPainter painter(&image);
    for (int line = 0; line < LobbyState::kVisibleRows; ++line) {
        const int row = view.topRow + line;
        const int lineTop = kListTop + line * kRowHeight;
        const bool selected = row == view.highlightedRow;
        const QRgb background = selected ? kRowSelected : (row % 2 == 0 ? kRowEven : kRowOdd);
        painter.fillRect(kListLeft, lineTop, kListRight - kListLeft, kRowHeight, background);
        if (row >= lobby.size()) {
            continue;
        }
        const LobbyTable& table = lobby.table(row);
        const QRgb text = selected ? kRowSelectedText : kRowText;
        drawCell(image, Column::Name, lineTop, table.name, text);
        drawCell(image, Column::Game, lineTop, table.game, text);
        drawCell(image, Column::Stakes, lineTop, table.stakes, text);
        drawCell(image, Column::Seats, lineTop, seatsText(table).toStdString(), text);
        drawCell(image, Column::Extra, lineTop, table.extra, text);
        drawCell(image, Column::AveragePot, lineTop, table.averagePot, text);
        drawCell(image, Column::Waiting, lineTop, std::to_string(table.waiting), text);
    }
}

void LobbyRenderer::drawSeats(QImage& image, const LobbyTable& table, const LobbyView& view) const {
    int line = 0;
    std::size_t drawn = table.players.size();
    if (!view.lastSeatShown && drawn > 0)
        --drawn;
    for (std::size_t i = 0; i < drawn; ++i) {
        const SeatedPlayer& player = table.players[i];
        if (line >= kSeatLines) {
            return;
        }
        const int top = seatLineTop(line++);
        font_.draw(image, seatNameLeft(), top, qs(player.name), kSeatText, seatNameLeft(),
                   seatNameClipRight());
        if (view.chipsShown)
            font_.draw(image, seatChipsLeft(), top, qs(player.stack), kSeatText, seatChipsLeft(),
                       seatChipsClipRight());
    }
    if (line >= kSeatLines) {
        return;
    }
    font_.draw(image, seatNameLeft(), seatLineTop(line++), QStringLiteral("Waiting:"), kSeatText,
               seatNameLeft(), seatNameClipRight());
    for (const std::string& name : table.waitlist) {
        if (line >= kSeatLines) {
            return;
        }
        font_.draw(image, seatNameLeft(), seatLineTop(line++), qs(name), kSeatText, seatNameLeft(),
                   seatNameClipRight());
    }
}

QImage LobbyRenderer::renderTableWindow(const QString& title, int width, int height) const {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(kTableWindow);
    font_.draw(image, kTitleX, kTitleTop, title, qRgb(255, 255, 255), 0, image.width());
    return image;
}

Image LobbyRenderer::toImage(const QImage& source) {
    const QImage rgb = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    Image image(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(image.row(y), rgb.constScanLine(y),
                    static_cast<std::size_t>(rgb.width()) * sizeof(std::uint32_t));
    }
    return image;
}

}  // namespace kestrova::sim
