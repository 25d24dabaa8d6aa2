#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

namespace kestrova {

// Keeps windows, frame and title bar included, inside the available area of
// their screen, whatever the scale and the language: a layout's minimum can
// be taller than a scaled screen, and a saved size may come from a larger one.
class ScreenFit final : public QObject {
    Q_OBJECT

public:
    // Fits every window and dialog the application shows, as it shows.
    explicit ScreenFit(QObject* parent = nullptr);
    ~ScreenFit() override;

    // The available area of the screen the window shows on: once shown its
    // own, before that its parent's, else the one under the pointer.
    static QRect availableArea(const QWidget& window);
    // What the desktop puts around the window; estimated until it has framed it.
    static QMargins frameMargins(const QWidget& window);
    // Makes the window no larger than the area, lowering its minimum size when
    // that is larger, and moves it into the area, its title bar never above the top.
    static void fit(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kestrova
