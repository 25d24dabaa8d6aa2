#include "gui/widgets/ScanProgress.h"

#include <QWidget>

ScanProgress::ScanProgress(QWidget* owner, std::function<void()> cancel)
    : dialog_(new QProgressDialog(QStringLiteral("Please Wait..."), QStringLiteral("Cancel"), 0,
                                  100, owner)) {
    dialog_->setObjectName(QStringLiteral("scanProgress"));
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->setValue(0);
    dialog_->setWindowTitle(QStringLiteral("Scan in progress..."));
    dialog_->setGeometry(owner->x() + 50, owner->y() + 50, 400, 150);
    QObject::connect(dialog_, &QProgressDialog::canceled, dialog_, std::move(cancel));
    dialog_->show();
}

ScanProgress::~ScanProgress() {
    if (dialog_) {
        dialog_->close();
        dialog_->deleteLater();
    }
}

void ScanProgress::lobbyFound(const kestrova::Rect& lobbyRect) {
    if (!dialog_)
        return;
    dialog_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    dialog_->setGeometry(lobbyRect.left, lobbyRect.top, 200, 150);
    dialog_->show();
}
