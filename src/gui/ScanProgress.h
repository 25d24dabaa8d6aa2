#pragma once

#include "PassProgress.h"
#include "SessionTypes.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>

#include <functional>

class QWidget;

namespace kestrova {

// The progress dialog while a pass runs, titled by what runs: "Cancel" asks
// the pass to end. A bar and a time left while the length of the lobby's
// list is known from its last walk; a busy bar while it is not.
class ScanProgress final {
    Q_DECLARE_TR_FUNCTIONS(ScanProgress)

public:
    // The dialog opens at the owner's position plus (50, 50).
    ScanProgress(QWidget* owner, std::function<void()> cancel);
    ~ScanProgress();
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    // The lobby was brought up: the dialog moves beside it, never over its
    // title bar.
    void lobbyFound(const Rect& lobbyRect);
    void show(const PassProgress& progress);

private:
    QPointer<QProgressDialog> dialog_;
};

}  // namespace kestrova
