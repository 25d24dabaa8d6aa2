#include "gui/ScanProgress.h"

#include "gui/widgets/ScreenFit.h"

#include <QWidget>

#include <algorithm>

namespace kestrova {

namespace {

// Wide enough for the title and "Table 12 of 38: " with a long table name.
constexpr int kWidth = 400;
constexpr int kHeight = 150;
constexpr int kGap = 8;

QString titleOf(const PassProgress& progress) {
    const QString table = QString::fromStdString(progress.table);
    switch (progress.pass) {
        case PassKind::TableList:
            return ScanProgress::tr("Getting the table list");
        case PassKind::ScanAll:
            return ScanProgress::tr("Scanning all tables");
        case PassKind::ScanSelected:
            return ScanProgress::tr("Scanning %1").arg(table);
        case PassKind::OpenTable:
            return ScanProgress::tr("Opening %1").arg(table);
    }
    return {};
}

QString timeLeft(long long seconds) {
    if (seconds < 60)
        return ScanProgress::tr("About %n seconds left", nullptr, static_cast<int>(seconds));
    return ScanProgress::tr("About %n minutes left", nullptr, static_cast<int>((seconds + 30) / 60));
}

// Beside the lobby where the screen has room (right, left, below), else over
// its lower part: the lobby's title bar, where the user moves or closes it,
// stays free.
QPoint besideLobby(const QRect& lobby, const QRect& area, const QSize& frame) {
    if (lobby.right() + kGap + frame.width() <= area.right())
        return {lobby.right() + kGap, std::max(lobby.top(), area.top())};
    if (lobby.left() - kGap - frame.width() >= area.left())
        return {lobby.left() - kGap - frame.width(), std::max(lobby.top(), area.top())};
    if (lobby.bottom() + kGap + frame.height() <= area.bottom())
        return {std::max(lobby.left(), area.left()), lobby.bottom() + kGap};
    return {std::max(lobby.left(), area.left()),
            std::min(lobby.bottom(), area.bottom()) - frame.height()};
}

}  // namespace

ScanProgress::ScanProgress(QWidget* owner, std::function<void()> cancel)
    : dialog_(new QProgressDialog(tr("Please Wait..."), tr("Cancel"), 0, 0, owner)) {
    dialog_->setObjectName(QStringLiteral("scanProgress"));
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->setValue(0);
    dialog_->setGeometry(owner->x() + 50, owner->y() + 50, kWidth, kHeight);
    QObject::connect(dialog_, &QProgressDialog::canceled, dialog_, std::move(cancel));
    dialog_->show();
}

ScanProgress::~ScanProgress() {
    if (dialog_) {
        dialog_->close();
        dialog_->deleteLater();
    }
}

void ScanProgress::lobbyFound(const Rect& lobbyRect) {
    if (!dialog_)
        return;
    dialog_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    dialog_->resize(kWidth, kHeight);
    const QMargins frame = ScreenFit::frameMargins(*dialog_);
    const QRect lobby(QPoint(lobbyRect.left, lobbyRect.top),
                      QPoint(lobbyRect.right - 1, lobbyRect.bottom - 1));
    // move() places the frame, title bar included.
    dialog_->move(besideLobby(lobby.marginsAdded(frame), ScreenFit::availableArea(*dialog_),
                              dialog_->size().grownBy(frame)));
    dialog_->show();
}

void ScanProgress::show(const PassProgress& progress) {
    if (!dialog_)
        return;
    dialog_->setWindowTitle(titleOf(progress));
    const bool walks = progress.pass == PassKind::TableList || progress.pass == PassKind::ScanAll;
    if (!walks || progress.rowsRead == 0) {
        dialog_->setMaximum(0);
        dialog_->setLabelText(tr("Please Wait..."));
        return;
    }
    const QString table = QString::fromStdString(progress.table);
    const int read = static_cast<int>(progress.rowsRead);
    if (progress.rowsExpected == 0) {
        dialog_->setMaximum(0);  // a busy bar: the list's length shows only at its end
        dialog_->setLabelText(tr("Table %1: %2").arg(read).arg(table));
        return;
    }
    const int expected = static_cast<int>(progress.rowsExpected);
    dialog_->setMaximum(expected);
    dialog_->setValue(read);
    QString label = tr("Table %1 of %2: %3").arg(read).arg(expected).arg(table);
    if (progress.secondsLeft)
        label += QLatin1Char('\n') + timeLeft(*progress.secondsLeft);
    dialog_->setLabelText(label);
}

}  // namespace kestrova
