#include "gui/widgets/ScreenFit.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace kestrova {

ScreenFit::ScreenFit(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

ScreenFit::~ScreenFit() {
    qApp->removeEventFilter(this);
}

QRect ScreenFit::availableArea(const QWidget& window) {
    QScreen* screen = nullptr;
    if (window.isVisible())
        screen = window.screen();
    else if (const QWidget* parent = window.parentWidget())
        screen = parent->window()->screen();
    else
        screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QMargins ScreenFit::frameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins known(inner.left() - frame.left(), inner.top() - frame.top(),
                         frame.right() - inner.right(), frame.bottom() - inner.bottom());
    if (!known.isNull())
        return known;
    // Not framed yet: a title bar about two lines of text high, thin borders.
    const int title =
        std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                 2 * window.fontMetrics().height());
    const int border = std::max(2, window.fontMetrics().height() / 4);
    return QMargins(border, title, border, border);
}

void ScreenFit::fit(QWidget& window) {
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const QRect area = availableArea(window);
    const QMargins frame = frameMargins(window);
    const QSize room(std::max(1, area.width() - frame.left() - frame.right()),
                     std::max(1, area.height() - frame.top() - frame.bottom()));
    if (window.minimumWidth() > room.width() || window.minimumHeight() > room.height())
        window.setMinimumSize(window.minimumSize().boundedTo(room));
    window.resize(window.size().boundedTo(room));
    const QSize outer = window.size().grownBy(frame);
    // The frame's top left corner is what a window's position names.
    const QPoint at = window.pos();
    // A window that could not shrink enough keeps its left and top edges in the area.
    const auto within = [](int position, int start, int length, int size) {
        return std::max(start, std::min(position, start + length - size));
    };
    const int x = within(at.x(), area.left(), area.width(), outer.width());
    const int y = within(at.y(), area.top(), area.height(), outer.height());
    if (QPoint(x, y) != at)
        window.move(x, y);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool))
            fit(*widget);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kestrova
