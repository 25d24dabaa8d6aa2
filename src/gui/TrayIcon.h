#pragma once

#include "TableListModel.h"

#include <QPointer>
#include <QSystemTrayIcon>

#include <vector>

class QAction;
class QMenu;

namespace kestrova {

// The icon in the desktop's tray: the last scan's best table as its tooltip,
// a click that brings the window back (minimised or behind others), and a
// menu with "Show" and the window's own "Scan All Tables" and "Exit".
class TrayIcon final : public QSystemTrayIcon {
    Q_OBJECT

public:
    // The actions stay the window's: enabled and triggered as there.
    TrayIcon(QWidget* window, const QIcon& icon, QAction* scanAll, QAction* exit);
    ~TrayIcon() override;

    // After a scan: names the best of the rows it left shown.
    void scanEnded(const std::vector<TableRow>& rows);
    void showWindow();

private:
    QPointer<QWidget> window_;
    QMenu* menu_ = nullptr;
};

}  // namespace kestrova
