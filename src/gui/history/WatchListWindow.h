#pragma once

#include "ScanHistory.h"
#include "gui/history/WatchEntryDialog.h"

#include <QDialog>

class QTreeWidget;

namespace kestrova {

// "Watch List": the players the user follows, with his notes, and the rules
// that raise alerts. Edits go to the scan history, which tells the window
// back (refresh()).
class WatchListWindow final : public QDialog {
    Q_OBJECT

public:
    explicit WatchListWindow(ScanHistory& history, QWidget* parent = nullptr);

    // Shows the watch list as the history last told it.
    void refresh();
    // Lists the alerts of the last scan, each one, however few were notified.
    void showAlerts(const std::vector<HistoryAlert>& alerts);

private:
    void watchPlayer();
    void addRule();
    void removeSelected();
    void openEntryDialog(WatchEntryDialog::Kind kind, WatchEntryDialog::Save save);

    ScanHistory& history_;
    QTreeWidget* players_ = nullptr;
    QTreeWidget* rules_ = nullptr;
    QTreeWidget* alerts_ = nullptr;
};

}  // namespace kestrova
