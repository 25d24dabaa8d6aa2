#pragma once

#include "ScanHistory.h"
#include "gui/widgets/UserPrompts.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QSystemTrayIcon;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrova {

class DesktopNotifier;
class HistoryWindow;
class WatchListWindow;

class Session;

// What the main window does with the scan history: "History…" and "Watch
// List…", the lists' context menus ("Watch", "Stop watching", "History…")
// and the alerts of a pass as desktop notifications.
class HistoryActions final : public QObject {
    Q_OBJECT

public:
    // The table or player a list's item stands for, empty for none.
    using ItemName = std::function<std::string(const QTreeWidgetItem*)>;

    HistoryActions(Session& session, UserPrompts prompts, QSystemTrayIcon* tray, QWidget* window);

    void addTableList(QTreeWidget* list, ItemName tableOf);
    void addPlayerList(QTreeWidget* list, ItemName playerOf);

    void showHistory();
    void showTableHistory(const std::string& table);
    void showPlayerHistory(const std::string& player);
    void showWatchList();

    void alertsRaised(const std::vector<AlertNotice>& notices);
    void watchListChanged();

signals:
    void selectTable(const QString& table);
    void openTable(const QString& table);
    // An alert neither the desktop nor the tray could show.
    void unshown(const QString& text);
    // What a watch list edit from a list's menu came to, for the status bar.
    void said(const QString& text);

private:
    HistoryWindow* historyWindow();

    Session& session_;
    UserPrompts prompts_;
    QWidget* window_;
    DesktopNotifier* notifier_;
    QPointer<HistoryWindow> history_;
    QPointer<WatchListWindow> watchList_;
};

}  // namespace kestrova
