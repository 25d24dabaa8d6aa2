#pragma once

#include <QString>
#include <QWidget>

#include "SessionTypes.h"

namespace kestrova {

class LayoutCanvas;

// One stat box of one seat on a layout canvas: a 50 x 15 child widget that
// only catches presses to start a drag. Its position lives in the canvas's
// layout; the canvas draws it.
class StatBox final : public QWidget {
    Q_OBJECT

public:
    // Text: the kind's box label followed by the 1-based seat number ("VPip3").
    StatBox(QWidget* parent, LayoutCanvas& canvas, hud::StatKind kind, int seat);

    hud::StatKind kind() const { return kind_; }
    int seat() const { return seat_; }
    const QString& text() const { return text_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    LayoutCanvas& canvas_;
    hud::StatKind kind_;
    int seat_;
    QString text_;
};

}  // namespace kestrova
