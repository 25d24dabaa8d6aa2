#include "IconPainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace kestrova {

namespace {

const QColor kOutline(40, 40, 40);

void ring(QPainter& p) {
    // No icon: a faint dashed ring, so the cell does not look broken.
    p.setPen(QPen(QColor(150, 150, 150), 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
}

void person(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 130));
    p.drawEllipse(QRectF(5, 1.5, 6, 6));
    p.drawRoundedRect(QRectF(3, 8.5, 10, 7), 3, 3);
}

void fish(QPainter& p) {
    p.setPen(QPen(QColor(10, 60, 140), 1));
    p.setBrush(QColor(60, 140, 230));
    p.drawEllipse(QRectF(1.5, 4.5, 10, 7));
    QPolygonF tail;
    tail << QPointF(10.5, 8) << QPointF(15, 4) << QPointF(15, 12);
    p.drawPolygon(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 6, 2.5, 2.5));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(3.7, 6.7, 1.2, 1.2));
}

void glyphOn(QPainter& p, const QString& text, QColor colour, int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, IconPainter::kSizePx, IconPainter::kSizePx), Qt::AlignCenter, text);
}

void money(QPainter& p) {
    p.setPen(QPen(QColor(20, 100, 20), 1));
    p.setBrush(QColor(90, 190, 70));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    glyphOn(p, QStringLiteral("$"), Qt::white, 12);
}

void numbered(QPainter& p, int number, QColor colour) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    glyphOn(p, QString::number(number), Qt::white, 12);
}

void bomb(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QRectF(1, 4, 11, 11));
    p.setBrush(QColor(110, 110, 110));
    p.drawEllipse(QRectF(3, 6, 3, 3));
    p.setPen(QPen(QColor(140, 100, 50), 1.5));
    p.drawLine(QPointF(9.5, 5.5), QPointF(12, 2.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 170, 0));
    p.drawEllipse(QRectF(11, 0, 5, 5));
    p.setBrush(QColor(255, 240, 120));
    p.drawEllipse(QRectF(12.3, 1.3, 2.4, 2.4));
}

void die(QPainter& p) {
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const QPointF pips[] = {{4.5, 4.5}, {11.5, 4.5}, {8, 8}, {4.5, 11.5}, {11.5, 11.5}};
    for (const QPointF& pip : pips) {
        p.drawEllipse(pip, 1.5, 1.5);
    }
}

void rock(QPainter& p) {
    QPolygonF stone;
    stone << QPointF(1, 14) << QPointF(2.5, 8) << QPointF(6, 3.5) << QPointF(10.5, 3)
          << QPointF(14, 7) << QPointF(15, 14);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(140, 135, 125));
    p.drawPolygon(stone);
    p.setPen(QPen(QColor(190, 185, 175), 1));
    p.drawLine(QPointF(5, 7), QPointF(8, 5.5));
    p.drawLine(QPointF(9, 9), QPointF(12, 8));
}

void flame(QPainter& p) {
    QPainterPath outer;
    outer.moveTo(8, 0.5);
    outer.cubicTo(13, 5, 15, 9, 13, 12.5);
    outer.cubicTo(11.5, 15, 4.5, 15, 3, 12.5);
    outer.cubicTo(1, 9, 4, 6, 5, 3.5);
    outer.cubicTo(6, 6, 7, 6.5, 8, 0.5);
    p.setPen(QPen(QColor(150, 30, 0), 1));
    p.setBrush(QColor(240, 80, 20));
    p.drawPath(outer);
    QPainterPath inner;
    inner.moveTo(8, 6);
    inner.cubicTo(11, 9, 11.5, 11, 10.5, 13);
    inner.cubicTo(9.5, 14.5, 6.5, 14.5, 5.5, 13);
    inner.cubicTo(4.5, 11, 6.5, 9.5, 8, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 60));
    p.drawPath(inner);
}

void question(QPainter& p) {
    p.setPen(QPen(QColor(150, 120, 0), 1));
    p.setBrush(QColor(255, 215, 40));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    glyphOn(p, QStringLiteral("?"), QColor(60, 40, 0), 13);
}

void phone(QPainter& p) {
    // A calling station: a telephone handset.
    QPainterPath handset;
    handset.moveTo(2, 5);
    handset.cubicTo(2, 1, 14, 1, 14, 5);
    handset.lineTo(14, 7);
    handset.lineTo(10.5, 7);
    handset.lineTo(10.5, 5.5);
    handset.cubicTo(9, 4.5, 7, 4.5, 5.5, 5.5);
    handset.lineTo(5.5, 7);
    handset.lineTo(2, 7);
    handset.closeSubpath();
    p.setPen(QPen(QColor(0, 70, 0), 1));
    p.setBrush(QColor(30, 150, 60));
    p.drawPath(handset);
    QPolygonF base;
    base << QPointF(4, 9) << QPointF(12, 9) << QPointF(14.5, 15) << QPointF(1.5, 15);
    p.drawPolygon(base);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 12), 1.8, 1.8);
}

void mouse(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(175, 175, 180));
    p.drawEllipse(QRectF(3, 6, 10, 7));   // body
    p.drawEllipse(QRectF(1, 3.5, 5, 5));  // ear
    p.setBrush(QColor(235, 160, 170));
    p.drawEllipse(QRectF(2.3, 4.8, 2.4, 2.4));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 120, 130), 1));
    QPainterPath tail;
    tail.moveTo(13, 10);
    tail.cubicTo(16, 10, 14, 15, 11, 14.5);
    p.drawPath(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(4.5, 9), 0.8, 0.8);
}

void elephant(QPainter& p) {
    const QColor grey(120, 130, 150);
    p.setPen(QPen(QColor(60, 65, 80), 1));
    p.setBrush(grey);
    p.drawRoundedRect(QRectF(5, 4, 10, 7), 3, 3);  // body
    p.drawRect(QRectF(6, 10, 2, 5));               // legs
    p.drawRect(QRectF(12, 10, 2, 5));
    p.drawEllipse(QRectF(1, 2.5, 6, 6));  // head
    QPainterPath trunk;
    trunk.moveTo(1.5, 6);
    trunk.cubicTo(0, 9, 0.5, 12, 2, 14);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(grey.darker(130), 2));
    p.drawPath(trunk);
    p.setPen(QPen(QColor(60, 65, 80), 1));
    p.setBrush(grey.lighter(120));
    p.drawEllipse(QRectF(4.5, 3, 3.5, 5));  // ear
}

void eagle(QPainter& p) {
    QPolygonF wings;
    wings << QPointF(0.5, 4) << QPointF(8, 9) << QPointF(15.5, 4) << QPointF(12, 10)
          << QPointF(8, 13) << QPointF(4, 10);
    p.setPen(QPen(QColor(70, 40, 10), 1));
    p.setBrush(QColor(150, 90, 30));
    p.drawPolygon(wings);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 4, 4, 4));  // head
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 190, 0));
    QPolygonF beak;
    beak << QPointF(7.2, 7.5) << QPointF(8.8, 7.5) << QPointF(8, 9.5);
    p.drawPolygon(beak);
}

}  // namespace

QImage IconPainter::draw(int index) {
    if (index < 0 || index > 15) {
        return {};
    }
    QImage image(kSizePx, kSizePx, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    switch (index) {
        case 0:
            ring(p);
            break;
        case 1:
            person(p);
            break;
        case 2:
            fish(p);
            break;
        case 3:
            money(p);
            break;
        case 4:
            numbered(p, 1, QColor(240, 140, 20));
            break;
        case 5:
            numbered(p, 2, QColor(140, 60, 190));
            break;
        case 6:
            numbered(p, 3, QColor(20, 150, 150));
            break;
        case 7:
            bomb(p);
            break;
        case 8:
            die(p);
            break;
        case 9:
            rock(p);
            break;
        case 10:
            flame(p);
            break;
        case 11:
            question(p);
            break;
        case 12:
            phone(p);
            break;
        case 13:
            mouse(p);
            break;
        case 14:
            elephant(p);
            break;
        default:
            eagle(p);
            break;
    }
    p.end();
    return image;
}

}  // namespace kestrova
