#pragma once

#include "SessionTypes.h"

#include <QPointer>
#include <QProgressDialog>

#include <functional>

class QWidget;

// The progress dialog while a pass runs: "Cancel" asks the pass to end.
class ScanProgress final {
public:
    // The dialog opens at the owner's position plus (50, 50), 400 x 150.
    ScanProgress(QWidget* owner, std::function<void()> cancel);
    ~ScanProgress();
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    // The lobby was brought up: the dialog moves to its top-left corner.
    void lobbyFound(const kestrova::Rect& lobbyRect);

private:
    QPointer<QProgressDialog> dialog_;
};
