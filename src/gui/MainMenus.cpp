#include "gui/MainMenus.h"

#include "AppSettings.h"
#include "UpdateCheckJob.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace kestrova {

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

MainMenus MainMenus::build(QMenuBar& bar, const AppSettings& settings) {
    MainMenus m;
    QMenu* main = bar.addMenu(tr("&Main"));
    main->setObjectName(QStringLiteral("menuMain"));
    m.options = makeAction(main, tr("&Options…"), tr("Options dialog"), tr("Options dialog."));
    m.teachFont =
        makeAction(main, tr("&Teach Font…"), tr("Teach the recogniser your client's lobby font"));
    m.history = makeAction(main, tr("&History…"),
                           tr("How the tables and players looked over the last days"));
    m.watchList =
        makeAction(main, tr("&Watch List…"),
                   tr("The players and rules that raise an alert when a scan meets them"));
    main->addSeparator();
    m.exit = main->addAction(tr("E&xit"));

    QMenu* tables = bar.addMenu(tr("&Tables"));
    tables->setObjectName(QStringLiteral("menuTables"));
    m.getTableList =
        makeAction(tables, tr("&Get Table List"), tr("Retrieve list of available tables"));
    m.getTableList->setShortcut(QKeySequence(Qt::Key_F5));
    m.scanSelected =
        makeAction(tables, tr("Scan &Selected Table"), tr("Scans the currently selected table"));
    m.scanAll = makeAction(tables, tr("Scan &All Tables"),
                           tr("Reloads the tablelist and starts the scanning of all tables, which "
                              "suffice the specified filter."));
    m.scanAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m.open = makeAction(tables, tr("&Open"), tr("Open the table"));
    m.open->setShortcut(QKeySequence(Qt::Key_Return));
    m.open->setShortcutContext(Qt::WidgetShortcut);  // the table list's own
    tables->addSeparator();
    m.cancelPass = makeAction(tables, tr("&Cancel Scan"), tr("Ends the running scan"));
    m.cancelPass->setShortcut(QKeySequence(Qt::Key_Escape));

    QMenu* buddies = bar.addMenu(tr("&Buddylist"));
    m.showBuddies =
        makeAction(buddies, tr("&Show…"), tr("Open the buddylist"), tr("Open the buddylist."));
    m.addBuddy = makeAction(buddies, tr("&Add…"), tr("Add a player to buddylist"));
    m.importBuddies =
        makeAction(buddies, tr("Import from &Database…"), tr("Import player from databases"));
    m.csvImport = makeAction(buddies, tr("CSV-&Import…"), tr("Import buddylist to file"));
    m.csvExport = makeAction(buddies, tr("CSV-&Export…"), tr("Export buddylist to file"));

    QMenu* update = bar.addMenu(tr("&Update"));
    m.checkUpdate = update->addAction(tr("&Check for Updates on Startup"));
    m.checkUpdate->setObjectName(QStringLiteral("checkUpdate"));
    m.checkUpdate->setCheckable(true);
    m.checkUpdate->setChecked(settings.checkUpdate);
    // Without the check in the build the entry would promise what never happens.
    m.checkUpdate->setVisible(UpdateCheckJob::kBuiltIn);
    m.download = update->addAction(tr("Visit &Download Page"));

    QMenu* aggregator = bar.addMenu(tr("&PT3 Aggregator"));
    m.updateAggregator = aggregator->addAction(tr("&Update database…"));
    m.useAggregator = aggregator->addAction(tr("U&se Aggregator Database"));
    m.useAggregator->setObjectName(QStringLiteral("useAggregator"));
    m.useAggregator->setCheckable(true);
    m.useAggregator->setChecked(settings.useAggregator);
    aggregator->addSeparator();
    m.aggregatorHelp = aggregator->addAction(tr("&Help / about Aggregator…"));

    // Only the layout manager has something to act on: nothing draws over live tables.
    QMenu* hud = bar.addMenu(tr("&HUD"));
    const auto idle = [hud](const QString& text, bool checkable) {
        QAction* action = hud->addAction(text);
        action->setCheckable(checkable);
        action->setEnabled(false);
        action->setToolTip(tr("Nothing is drawn over the client's tables yet."));
        return action;
    };
    idle(tr("Active"), true);
    m.layoutManager = makeAction(hud, tr("&Layout Manager…"),
                                 tr("Arrange the statistic boxes of each table size"));
    idle(tr("Default 6-max"), true);
    idle(tr("Auto Center (FullTilt)"), false);
    idle(tr("Player-filter"), true);
    idle(tr("All to 6-max"), false);
    idle(tr("All to fullring"), false);
    hud->setToolTipsVisible(true);

    QMenu* help = bar.addMenu(tr("H&elp"));
    help->setObjectName(QStringLiteral("menuHelp"));
    m.userGuide = makeAction(help, tr("&User Guide"), tr("How to use Kestrova Everest"));
    m.userGuide->setObjectName(QStringLiteral("userGuide"));
    m.userGuide->setShortcut(QKeySequence::HelpContents);
    m.keys = makeAction(help, tr("&Keys"), tr("The keys of the window"));
    m.keys->setObjectName(QStringLiteral("keys"));
    help->addSeparator();
    m.about = help->addAction(tr("&About Kestrova Everest…"));
    m.about->setObjectName(QStringLiteral("about"));
    return m;
}

}  // namespace kestrova
