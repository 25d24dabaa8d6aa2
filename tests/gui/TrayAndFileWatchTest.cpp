// The tray icon: its tooltip names the last scan's best table, a click or
// "Show" brings the window back, and its menu holds the window's own actions.
// The watch on the files the command line writes.
#include "CompanionFiles.h"
#include "TempDir.h"
#include "gui/CompanionWatcher.h"
#include "gui/TrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include <fstream>

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

void write(const std::filesystem::path& file, const std::string& text,
           std::ios::openmode mode = std::ios::trunc) {
    std::ofstream(file, std::ios::binary | mode) << text;
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

    void filesTheCommandLineWritesAreLoadedAgain() {
        test::TempDir dir;
        write(dir / "history.sqlite", "pages");
        int databases = 0;
        int watchLists = 0;
        CompanionFiles files({dir / "db.conf", dir / "history.sqlite", false},
                             {[&] { ++databases; }, [&] { ++watchLists; }});
        CompanionWatcher watcher(files);
        // "db.conf" is written as a new file renamed over the old one.
        for (int round = 1; round <= 2; ++round) {
            write(dir / "db.conf.new", std::string(static_cast<std::size_t>(round), 'x'));
            std::filesystem::rename(dir / "db.conf.new", dir / "db.conf");
            QTRY_COMPARE(databases, round);
        }
        write(dir / "history.sqlite", "more", std::ios::app);
        QTRY_COMPARE(watchLists, 1);
        QCOMPARE(databases, 2);
    }
};

QTEST_MAIN(TrayAndFileWatchTest)
#include "TrayAndFileWatchTest.moc"
