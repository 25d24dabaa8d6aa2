#include "gui/hud/LayoutCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "gui/hud/StatBox.h"

namespace kestrova {

namespace {

// Stored positions are whatever a file held; the widgets and the painter get
// them clamped far outside the canvas, so that arithmetic on a box's corners
// can never overflow. The stored value itself is kept and saved as it was.
constexpr int kFarAway = 1 << 20;

QRect boxRect(hud::BoxPosition position) {
    return QRect(std::clamp(position.x, -kFarAway, kFarAway),
                 std::clamp(position.y, -kFarAway, kFarAway), hud::kBoxWidth, hud::kBoxHeight);
}

const QColor kFeltWithoutPicture(25, 90, 55);

}  // namespace

LayoutCanvas::LayoutCanvas(hud::HudLayout& model, const QString& pictureFile, QWidget* parent)
    : QWidget(parent), model_(model) {
    // Kind by kind, so that of two overlapping boxes the one drawn on top is
    // also the one a press reaches.
    for (hud::StatKind kind : hud::allKinds()) {
        auto& boxes = boxes_[hud::indexOf(kind)];
        for (int seat = 0; seat < model_.seatCount(); ++seat) {
            boxes.push_back(new StatBox(this, *this, kind, seat));
        }
    }
    const QPixmap picture(pictureFile);
    if (!picture.isNull()) {
        picture_ = picture.size() == QSize(hud::kCanvasWidth, hud::kCanvasHeight)
                       ? picture
                       : picture.scaled(hud::kCanvasWidth, hud::kCanvasHeight,
                                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    setFixedSize(hud::kCanvasWidth, hud::kCanvasHeight);
    syncFromModel();
}

StatBox* LayoutCanvas::box(hud::StatKind kind, int seat) const {
    const auto& boxes = boxes_[hud::indexOf(kind)];
    if (seat < 0 || seat >= static_cast<int>(boxes.size())) {
        return nullptr;
    }
    return boxes[static_cast<std::size_t>(seat)];
}

void LayoutCanvas::setVisibility(hud::StatKind kind, bool on) {
    model_.setFlag(kind, on ? 1 : 0);
    for (StatBox* box : boxes_[hud::indexOf(kind)]) {
        box->setVisible(on);
    }
}

void LayoutCanvas::moveBox(StatBox& box) {
    box.setGeometry(boxRect(model_.position(box.kind(), box.seat())));
}

void LayoutCanvas::beginDrag(StatBox& box) {
    dragged_ = &box;
}

void LayoutCanvas::syncFromModel() {
    for (hud::StatKind kind : hud::allKinds()) {
        const bool shown = model_.isShown(kind);
        for (StatBox* box : boxes_[hud::indexOf(kind)]) {
            moveBox(*box);
            box->setVisible(shown);
        }
    }
    update();
}

void LayoutCanvas::mousePressEvent(QMouseEvent* event) {
    dragged_ = nullptr;
    event->ignore();
}

void LayoutCanvas::mouseReleaseEvent(QMouseEvent*) {
    // The box stays the dragged one until the next press; without a pressed
    // button no move events arrive.
}

void LayoutCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ == nullptr) {
        return;
    }
    const QPoint cursor = event->position().toPoint();
    model_.setPosition(dragged_->kind(), dragged_->seat(),
                       {snapToGrid(cursor.x()), snapToGrid(cursor.y())});
    moveBox(*dragged_);
    update();
}

void LayoutCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect canvas(0, 0, hud::kCanvasWidth, hud::kCanvasHeight);
    if (picture_.isNull()) {
        painter.fillRect(canvas, kFeltWithoutPicture);
    } else {
        painter.drawPixmap(canvas.topLeft(), picture_);
    }

    painter.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    QFont font = painter.font();
    font.setWeight(QFont::Bold);
    font.setPointSize(10);
    painter.setFont(font);
    // Kind by kind, so later kinds cover earlier ones.
    for (hud::StatKind kind : hud::allKinds()) {
        if (!model_.isShown(kind)) {
            continue;
        }
        for (const StatBox* box : boxes_[hud::indexOf(kind)]) {
            const QRect rect = boxRect(model_.position(kind, box->seat()));
            if (!rect.intersects(event->rect())) {
                continue;
            }
            painter.fillRect(rect, Qt::black);
            painter.drawRect(rect);
            painter.drawText(rect, Qt::AlignLeft, box->text());
        }
    }
}

}  // namespace kestrova
