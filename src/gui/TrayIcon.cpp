#include "gui/TrayIcon.h"

#include "BestTable.h"
#include "gui/widgets/QtText.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace kestrova {

TrayIcon::TrayIcon(QWidget* window, const QIcon& icon, QAction* scanAll, QAction* exit)
    : QSystemTrayIcon(icon, window), window_(window), menu_(new QMenu) {
    setObjectName(QStringLiteral("trayIcon"));
    setToolTip(tr("Kestrova Everest"));
    QAction* show = menu_->addAction(tr("&Show"), this, &TrayIcon::showWindow);
    show->setObjectName(QStringLiteral("trayShow"));
    menu_->addAction(scanAll);
    menu_->addSeparator();
    menu_->addAction(exit);
    setContextMenu(menu_);
    connect(this, &QSystemTrayIcon::activated, this, [this](ActivationReason reason) {
        if (reason == Trigger || reason == DoubleClick)
            showWindow();
    });
}

// The menu has no parent widget (a tray menu must not be a child of the window).
TrayIcon::~TrayIcon() {
    delete menu_;
}

void TrayIcon::scanEnded(const std::vector<TableRow>& rows) {
    const std::optional<BestTable> best = bestTable(rows);
    setToolTip(best ? tr("Kestrova Everest\nBest table: %1 (%2, %3 seated), score %4")
                          .arg(toQString(best->name), toQString(best->stakes))
                          .arg(best->players)
                          .arg(QString::number(best->score, 'f', 1))
                    : tr("Kestrova Everest\nThe last scan rated no table."));
}

void TrayIcon::showWindow() {
    if (!window_)
        return;
    window_->setWindowState((window_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace kestrova
