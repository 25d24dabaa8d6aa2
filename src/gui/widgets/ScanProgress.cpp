#include "gui/widgets/ScanProgress.h"

#include <QWidget>

#include <algorithm>

namespace {

// Wide enough for the title and "Table 12 of 38: " with a long table name.
constexpr int kWidth = 400;

}  // namespace

ScanProgress::ScanProgress(QWidget* owner, std::function<void()> cancel)
    : dialog_(new QProgressDialog(tr("Please Wait..."), tr("Cancel"), 0, 100, owner)) {
    dialog_->setObjectName(QStringLiteral("scanProgress"));
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->setValue(0);
    dialog_->setWindowTitle(tr("Scan in progress..."));
    dialog_->setGeometry(owner->x() + 50, owner->y() + 50, kWidth, 150);
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
    // move() places the frame, title bar included, where setGeometry() would
    // put the title bar above the lobby's top edge.
    dialog_->resize(kWidth, 150);
    dialog_->move(lobbyRect.left, lobbyRect.top);
    dialog_->show();
}

void ScanProgress::rowRead(int rows) {
    if (!dialog_)
        return;
    dialog_->setMaximum(0);  // a busy bar: the list's length shows only at its end
    dialog_->setLabelText(tr("Reading the table list: %n rows", nullptr, rows));
}

void ScanProgress::tableScanned(int scanned, int tables, const std::string& name) {
    if (!dialog_)
        return;
    const QString table = QString::fromStdString(name);
    if (tables <= 0) {
        dialog_->setMaximum(0);
        dialog_->setLabelText(tr("Table %1: %2").arg(scanned).arg(table));
        return;
    }
    dialog_->setMaximum(std::max(tables, scanned));
    dialog_->setValue(scanned);
    dialog_->setLabelText(
        tr("Table %1 of %2: %3").arg(scanned).arg(std::max(tables, scanned)).arg(table));
}
