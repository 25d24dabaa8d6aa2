// The tray icon: its tooltip names the last scan's best table, a click or
// "Show" brings the window back, and its menu holds the window's own actions.
#include "gui/widgets/TrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWidget>

using namespace kestrova;

namespace {

TableRow scanned(const char* name, double score, bool hidden = false, bool stale = false) {
    TableRow row;
    row.name = name;
    row.stakes = "$0.10/$0.25";
    row.players = 5;
    row.evaluation.emplace();
    row.evaluation->score.score = score;
    row.hidden = hidden;
    row.stale = stale;
    return row;
}

}  // namespace

class TrayAndFileWatchTest : public QObject {
    Q_OBJECT

private slots:
    void namesTheBestTableAndBringsTheWindowBack() {
        QWidget window;
        QAction scanAll(QStringLiteral("Scan All Tables"));
        QAction exit(QStringLiteral("Exit"));
        TrayIcon tray(&window, QIcon(), &scanAll, &exit);

        // Hidden rows and rows of an earlier pass are no candidates.
        TableRow listed;
        listed.name = "Unscanned";
        tray.scanEnded({scanned("Aconcagua", 1.2), scanned("Everest", 2.44), listed,
                        scanned("Hidden", 5, true), scanned("Stale", 4, false, true)});
        QVERIFY(tray.toolTip().contains(QStringLiteral("Everest ($0.10/$0.25, 5 seated), score 2.4")));
        tray.scanEnded({listed});
        QVERIFY(!tray.toolTip().contains(QStringLiteral("Everest (")));

        const QList<QAction*> actions = tray.contextMenu()->actions();
        QVERIFY(actions.contains(&scanAll));
        QVERIFY(actions.contains(&exit));

        window.showMinimized();
        emit tray.activated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
        window.hide();
        tray.contextMenu()->findChild<QAction*>(QStringLiteral("trayShow"))->trigger();
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TrayAndFileWatchTest)
#include "TrayAndFileWatchTest.moc"
