#include "gui/MainMenus.h"

#include "AppSettings.h"
#include "UpdateCheckJob.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* makeAction(QMenu* menu, const QString& text, const QString& tip = QString(),
                    const QString& statusTip = QString()) {
    QAction* action = menu->addAction(text);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    action->setStatusTip(statusTip.isEmpty() ? tip : statusTip);
    return action;
}

}  // namespace

MainMenus MainMenus::build(QMenuBar& bar, const kestrova::AppSettings& settings) {
    MainMenus m;
    QMenu* main = bar.addMenu(QStringLiteral("&Main"));
    main->setObjectName(QStringLiteral("menuMain"));
    m.options = makeAction(main, QStringLiteral("&Options…"), QStringLiteral("Options dialog"),
                           QStringLiteral("Options dialog."));
    m.teachFont = makeAction(main, QStringLiteral("&Teach Font…"),
                             QStringLiteral("Teach the recogniser your client's lobby font"));
    m.about = main->addAction(QStringLiteral("&Info…"));
    main->addSeparator();
    m.exit = main->addAction(QStringLiteral("E&xit"));

    QMenu* tables = bar.addMenu(QStringLiteral("&Tables"));
    tables->setObjectName(QStringLiteral("menuTables"));
    m.getTableList = makeAction(tables, QStringLiteral("&Get Table List"),
                                QStringLiteral("Retrieve list of available tables"));
    m.getTableList->setShortcut(QKeySequence(Qt::Key_F5));
    m.scanSelected = makeAction(tables, QStringLiteral("Scan &Selected Table"),
                                QStringLiteral("Scans the currently selected table"));
    m.scanAll = makeAction(tables, QStringLiteral("Scan &All Tables"),
                           QStringLiteral("Reloads the tablelist and starts the scanning of all "
                                          "tables, which suffice the specified filter."));
    m.scanAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m.open = makeAction(tables, QStringLiteral("&Open"), QStringLiteral("Open the table"));
    m.open->setShortcut(QKeySequence(Qt::Key_Return));
    m.open->setShortcutContext(Qt::WidgetShortcut);  // the table list's own
    tables->addSeparator();
    m.cancelPass =
        makeAction(tables, QStringLiteral("&Cancel Scan"), QStringLiteral("Ends the running scan"));
    m.cancelPass->setShortcut(QKeySequence(Qt::Key_Escape));

    QMenu* buddies = bar.addMenu(QStringLiteral("&Buddylist"));
    m.showBuddies =
        makeAction(buddies, QStringLiteral("&Show…"), QStringLiteral("Open the buddylist"),
                   QStringLiteral("Open the buddylist."));
    m.addBuddy =
        makeAction(buddies, QStringLiteral("&Add…"), QStringLiteral("Add a player to buddylist"));
    m.importBuddies = makeAction(buddies, QStringLiteral("Import from &Database…"),
                                 QStringLiteral("Import player from databases"));
    m.csvImport = makeAction(buddies, QStringLiteral("CSV-&Import…"),
                             QStringLiteral("Import buddylist to file"));
    m.csvExport = makeAction(buddies, QStringLiteral("CSV-&Export…"),
                             QStringLiteral("Export buddylist to file"));

    QMenu* update = bar.addMenu(QStringLiteral("&Update"));
    m.checkUpdate = update->addAction(QStringLiteral("&Check for Updates on Startup"));
    m.checkUpdate->setObjectName(QStringLiteral("checkUpdate"));
    m.checkUpdate->setCheckable(true);
    m.checkUpdate->setChecked(settings.checkUpdate);
    // Without the check in the build the entry would promise what never happens.
    m.checkUpdate->setVisible(kestrova::UpdateCheckJob::kBuiltIn);
    m.download = update->addAction(QStringLiteral("Visit &Download Page"));

    QMenu* aggregator = bar.addMenu(QStringLiteral("&PT3 Aggregator"));
    m.updateAggregator = aggregator->addAction(QStringLiteral("&Update database…"));
    m.useAggregator = aggregator->addAction(QStringLiteral("U&se Aggregator Database"));
    m.useAggregator->setObjectName(QStringLiteral("useAggregator"));
    m.useAggregator->setCheckable(true);
    m.useAggregator->setChecked(settings.useAggregator);
    aggregator->addSeparator();
    m.aggregatorHelp = aggregator->addAction(QStringLiteral("&Help / about Aggregator…"));

    // Only the layout manager has something to act on: nothing draws over live tables.
    QMenu* hud = bar.addMenu(QStringLiteral("&HUD"));
    const auto idle = [hud](const QString& text, bool checkable) {
        QAction* action = hud->addAction(text);
        action->setCheckable(checkable);
        action->setEnabled(false);
        action->setToolTip(QStringLiteral("Nothing is drawn over the client's tables yet."));
        return action;
    };
    idle(QStringLiteral("Active"), true);
    m.layoutManager = makeAction(hud, QStringLiteral("&Layout Manager…"),
                                 QStringLiteral("Arrange the statistic boxes of each table size"));
    idle(QStringLiteral("Default 6-max"), true);
    idle(QStringLiteral("Auto Center (FullTilt)"), false);
    idle(QStringLiteral("Player-filter"), true);
    idle(QStringLiteral("All to 6-max"), false);
    idle(QStringLiteral("All to fullring"), false);
    hud->setToolTipsVisible(true);
    return m;
}
