#include "TablePainter.h"

#include <QFont>
#include <QPainter>
#include <QRadialGradient>

#include "TableGeometry.h"
#include "hud/HudLayout.h"

namespace kestrova {

namespace {

QRectF ellipseRect(QPointF radii) {
    return {TableGeometry::kCentre.x() - radii.x(), TableGeometry::kCentre.y() - radii.y(),
            2 * radii.x(), 2 * radii.y()};
}

QFont boldFont(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

void floor(QPainter& p) {
    QRadialGradient light(TableGeometry::kCentre, 480);
    light.setColorAt(0, QColor(58, 52, 60));
    light.setColorAt(1, QColor(18, 16, 22));
    p.fillRect(QRect(0, 0, hud::kCanvasWidth, hud::kCanvasHeight), light);
}

void table(QPainter& p, QColor felt) {
    p.setPen(QPen(QColor(40, 22, 10), 3));
    QRadialGradient wood(TableGeometry::kCentre, TableGeometry::kRailRadii.x());
    wood.setColorAt(0.85, QColor(120, 70, 35));
    wood.setColorAt(1, QColor(70, 38, 16));
    p.setBrush(wood);
    p.drawEllipse(ellipseRect(TableGeometry::kRailRadii));

    QRadialGradient cloth(TableGeometry::kCentre, TableGeometry::kFeltRadii.x());
    cloth.setColorAt(0, felt.lighter(135));
    cloth.setColorAt(1, felt);
    p.setPen(QPen(felt.darker(170), 2));
    p.setBrush(cloth);
    p.drawEllipse(ellipseRect(TableGeometry::kFeltRadii));
    // A betting line, as on a real table.
    p.setPen(QPen(felt.lighter(150), 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ellipseRect(TableGeometry::kFeltRadii * 0.78));
}

void title(QPainter& p, QColor felt, int seats) {
    p.setPen(felt.lighter(175));
    p.setFont(boldFont(30));
    const QPointF c = TableGeometry::kCentre;
    p.drawText(QRectF(c.x() - 150, c.y() - 30, 300, 36), Qt::AlignCenter,
               QStringLiteral("Kestrova"));
    p.setFont(boldFont(16));
    p.drawText(QRectF(c.x() - 150, c.y() + 8, 300, 24), Qt::AlignCenter,
               QStringLiteral("%1 seats").arg(seats));
}

void seatMarkers(QPainter& p, int seats) {
    p.setFont(boldFont(16));
    const double r = TableGeometry::kMarkerRadius;
    for (int seat = 0; seat < seats; ++seat) {
        const QPointF at = TableGeometry::seatPoint(seat, seats, TableGeometry::kMarkerRadii);
        p.setPen(QPen(QColor(230, 230, 235), 2));
        p.setBrush(QColor(45, 50, 62));
        p.drawEllipse(at, r, r);
        p.setPen(Qt::white);
        p.drawText(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r), Qt::AlignCenter,
                   QString::number(seat + 1));
    }
}

}  // namespace

QImage TablePainter::draw(int layoutIndex) {
    if (layoutIndex < 0 || layoutIndex >= hud::kLayoutCount) {
        return {};
    }
    const bool fullTilt = layoutIndex < hud::kSizeCount;
    const QColor felt = fullTilt ? QColor(28, 72, 112) : QColor(24, 104, 56);
    const int seats = hud::seatCountOf(layoutIndex);

    QImage image(hud::kCanvasWidth, hud::kCanvasHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    floor(p);
    table(p, felt);
    title(p, felt, seats);
    seatMarkers(p, seats);
    p.end();
    return image;
}

}  // namespace kestrova
