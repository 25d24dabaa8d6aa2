#include "gui/widgets/AppIcon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace kestrova {

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(22, 120, 60));
        p.setPen(Qt::NoPen);
        p.drawEllipse(pixmap.rect().adjusted(1, 1, -1, -1));
        QFont font;
        font.setBold(true);
        font.setPixelSize(size * 2 / 3);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("K"));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace kestrova
