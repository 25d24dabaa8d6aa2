#pragma once

#include "ScanHistory.h"
#include "gui/widgets/UserPrompts.h"

#include <QDialog>

class QTreeWidget;

// "Watch List": the players the user follows, with his notes, and the rules
// that raise alerts. Edits go to the scan history, which tells the window
// back (refresh()).
class WatchListWindow final : public QDialog {
    Q_OBJECT

public:
    WatchListWindow(kestrova::ScanHistory& history, kestrova::UserPrompts prompts,
                    QWidget* parent = nullptr);

    // Shows the watch list as the history last told it.
    void refresh();
    // Lists the alerts of the last scan, each one, however few were notified.
    void showAlerts(const std::vector<kestrova::HistoryAlert>& alerts);

private:
    void watchPlayer();
    void addRule();
    void removeSelected();

    kestrova::ScanHistory& history_;
    kestrova::UserPrompts prompts_;
    QTreeWidget* players_ = nullptr;
    QTreeWidget* rules_ = nullptr;
    QTreeWidget* alerts_ = nullptr;
};
