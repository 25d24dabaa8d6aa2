#include "gui/history/HistoryActions.h"

#include "Session.h"
#include "gui/history/DesktopNotifier.h"
#include "gui/history/HistoryWindow.h"
#include "gui/history/WatchListWindow.h"
#include "gui/widgets/QtText.h"

#include <QMenu>
#include <QTreeWidget>

namespace kestrova {

HistoryActions::HistoryActions(Session& session, UserPrompts prompts, QSystemTrayIcon* tray,
                               QWidget* window)
    : QObject(window),
      session_(session),
      prompts_(std::move(prompts)),
      window_(window),
      notifier_(new DesktopNotifier(tray, this)) {
    // A notice of several alerts stands for no one table: the Watch List lists them.
    connect(notifier_, &DesktopNotifier::selectRequested, this, [this](const QString& table) {
        if (table.isEmpty())
            showWatchList();
        else
            emit selectTable(table);
    });
    connect(notifier_, &DesktopNotifier::openRequested, this, [this](const QString& table) {
        if (table.isEmpty())
            showWatchList();
        else
            emit openTable(table);
    });
    connect(notifier_, &DesktopNotifier::unshown, this, &HistoryActions::unshown);
}

void HistoryActions::addTableList(QTreeWidget* list, ItemName tableOf) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list, tableOf = std::move(tableOf)](const QPoint& at) {
                const std::string table = tableOf(list->itemAt(at));
                if (table.empty() || !session_.history().available())
                    return;
                QMenu menu;
                menu.addAction(tr("&History…"), this, [this, table] { showTableHistory(table); });
                menu.exec(list->viewport()->mapToGlobal(at));
            });
}

void HistoryActions::addPlayerList(QTreeWidget* list, ItemName playerOf) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list, playerOf = std::move(playerOf)](const QPoint& at) {
                const std::string player = playerOf(list->itemAt(at));
                ScanHistory& history = session_.history();
                if (player.empty() || !history.available())
                    return;
                QMenu menu;
                // The list's mark changes only where he sits: the status bar says it worked.
                const QString name = toQString(player);
                if (history.isWatched(player))
                    menu.addAction(tr("Stop &watching"), this, [this, &history, player, name] {
                        history.unwatch(player, [this, name](const std::string& problem) {
                            emit said(problem.empty()
                                          ? tr("%1 is no longer watched.").arg(name)
                                          : tr("%1 is still watched: %2").arg(name, toQString(problem)));
                        });
                    });
                else
                    menu.addAction(tr("&Watch"), this, [this, &history, player, name] {
                        history.watch(player, {}, [this, name](const std::string& problem) {
                            emit said(problem.empty()
                                          ? tr("%1 is watched now: a scan that finds him at a "
                                               "table tells you.")
                                                .arg(name)
                                          : tr("%1 could not be watched: %2")
                                                .arg(name, toQString(problem)));
                        });
                    });
                menu.addAction(tr("&History…"), this,
                               [this, player] { showPlayerHistory(player); });
                menu.exec(list->viewport()->mapToGlobal(at));
            });
}

HistoryWindow* HistoryActions::historyWindow() {
    if (!history_)
        history_ = new HistoryWindow(session_.history(), window_);
    history_->show();
    history_->raise();
    history_->activateWindow();
    return history_;
}

void HistoryActions::showHistory() {
    if (!session_.history().available()) {
        prompts_.showMessage(window_,
                             guiMessage(MessageKind::Notice, tr("History"),
                                        tr("No scan history is kept: it could not be opened, or "
                                           "\"historydays\" is 0.")));
        return;
    }
    HistoryWindow* window = historyWindow();
    if (const std::string* table = session_.lists().currentTable())
        window->showTable(toQString(*table));
}

void HistoryActions::showTableHistory(const std::string& table) {
    historyWindow()->showTable(toQString(table));
}

void HistoryActions::showPlayerHistory(const std::string& player) {
    historyWindow()->showPlayer(toQString(player));
}

void HistoryActions::showWatchList() {
    if (!watchList_) {
        watchList_ = new WatchListWindow(session_.history(), window_);
        watchList_->setAttribute(Qt::WA_DeleteOnClose);
    }
    watchList_->showAlerts(session_.lists().passAlerts());
    watchList_->show();
    watchList_->raise();
}

void HistoryActions::alertsRaised(const std::vector<AlertNotice>& notices) {
    for (const AlertNotice& notice : notices)
        notifier_->notify(toQString(notice.text), toQString(notice.table));
    if (watchList_)
        watchList_->showAlerts(session_.lists().passAlerts());
}

void HistoryActions::watchListChanged() {
    if (watchList_)
        watchList_->refresh();
}

}  // namespace kestrova
