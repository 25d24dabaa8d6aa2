#pragma once

#include <QScrollArea>

namespace kestrova {

// A scroll area that asks for the whole of its page, so that a window sizes
// as it would without it; it scrolls only when the window is made smaller
// than its page needs (a scaled screen too small for it, see ScreenFit).
class PageScroller final : public QScrollArea {
    Q_OBJECT

public:
    explicit PageScroller(QWidget* page, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

}  // namespace kestrova
