#pragma once

#include <QPixmap>
#include <QWidget>

#include <array>
#include <vector>

#include "SessionTypes.h"

namespace kestrova {

class StatBox;

// The editing canvas of one HUD layout: the table picture with every shown
// stat box of every seat drawn on it, 800 x 565 pixels. Boxes are dragged by
// their top-left corner on a 5-pixel grid; positions are not clamped.
class LayoutCanvas final : public QWidget {
    Q_OBJECT

public:
    // The canvas edits `model`, which must outlive it. Without its picture the
    // canvas is plain felt green; the boxes work all the same.
    LayoutCanvas(hud::HudLayout& model, const QString& pictureFile, QWidget* parent = nullptr);

    const hud::HudLayout& model() const { return model_; }
    int index() const { return model_.index(); }
    int seatCount() const { return model_.seatCount(); }
    StatBox* box(hud::StatKind kind, int seat) const;
    StatBox* dragged() const { return dragged_; }
    bool hasPicture() const { return !picture_.isNull(); }

    // Stores the kind's flag (1 or 0) and shows or hides its boxes, so that a
    // kind switched off is neither drawn nor pressable.
    void setVisibility(hud::StatKind kind, bool on);
    // Applies the box's stored position to its geometry.
    void moveBox(StatBox& box);
    void beginDrag(StatBox& box);

    // After the layout was loaded: every box moved to its position and shown
    // or hidden by its kind's flag.
    void syncFromModel();

    // The x or y a box takes when the cursor is at `coordinate`: rounded
    // toward zero to a multiple of 5.
    static int snapToGrid(int coordinate) { return coordinate / 5 * 5; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    hud::HudLayout& model_;
    QPixmap picture_;
    std::array<std::vector<StatBox*>, hud::kKindCount> boxes_;  // per kind, per seat
    StatBox* dragged_ = nullptr;
};

}  // namespace kestrova
