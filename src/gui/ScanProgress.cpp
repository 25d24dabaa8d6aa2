#include "ScanProgress.h"

#include <QCoreApplication>
#include <QWidget>

ScanProgress::ScanProgress(QWidget* owner, MessageHandler messages)
    : dialog_(new QProgressDialog(QStringLiteral("Please Wait..."), QStringLiteral("Cancel"), 0,
                                  100, owner)),
      messages_(std::move(messages)) {
    dialog_->setObjectName(QStringLiteral("scanProgress"));
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->setValue(0);
    dialog_->setWindowTitle(QStringLiteral("Scan in progress..."));
    dialog_->setGeometry(owner->x() + 50, owner->y() + 50, 400, 150);
    dialog_->show();
}

ScanProgress::~ScanProgress() {
    close();
}

void ScanProgress::showMessage(const std::string& title, const std::string& text) {
    messages_(QString::fromStdString(title), QString::fromStdString(text));
}

void ScanProgress::lobbyFound(const kestrova::Rect& lobbyRect) {
    if (!dialog_)
        return;
    dialog_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    dialog_->setGeometry(lobbyRect.left, lobbyRect.top, 200, 150);
    dialog_->show();
}

void ScanProgress::processEvents() {
    QCoreApplication::processEvents();
}

bool ScanProgress::cancelled() const {
    return cancelled_ || (dialog_ && dialog_->wasCanceled());
}

void ScanProgress::cancel() {
    cancelled_ = true;
    if (dialog_)
        dialog_->cancel();
}

void ScanProgress::playerFound(const std::shared_ptr<kestrova::PlayerStats>& record) {
    if (onPlayerFound)
        onPlayerFound(record);
}

void ScanProgress::tableScanned(const kestrova::ScannedTable& table,
                                const kestrova::TableRowTexts& row) {
    if (onTableScanned)
        onTableScanned(table, row);
}

void ScanProgress::close() {
    if (dialog_) {
        dialog_->close();
        dialog_->deleteLater();
        dialog_.clear();
    }
}
