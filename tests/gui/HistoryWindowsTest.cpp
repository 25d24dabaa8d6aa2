// The history window's charts from a small store, and alerts on the desktop:
// a notification service on a private session bus (the test runs under
// dbus-run-session), or the fallback where none answers.
#include "ScanHistory.h"
#include "TempDir.h"
#include "gui/history/DesktopNotifier.h"
#include "gui/history/HistoryWindow.h"
#include "gui/history/WatchListWindow.h"

#include <QBarSet>
#include <QChart>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

using namespace kestrova;
using namespace std::chrono_literals;

// What a desktop's notification daemon offers, as far as the program uses it.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList bodies;
    QStringList actions;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString&, const QString& body,
                const QStringList& offered, const QVariantMap&, int) {
        bodies << body;
        actions = offered;
        return 42;
    }
};

class HistoryWindowsTest : public QObject {
    Q_OBJECT

    test::TempDir dir_;

    std::unique_ptr<ScanHistory> history() {
        const std::filesystem::path file = dir_ / "history.sqlite";
        return std::make_unique<ScanHistory>(
            [file](std::string* problem) { return openSqliteHistory(file, problem); }, 0,
            [] {
                return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
            },
            [](std::function<void()> work) {
                QMetaObject::invokeMethod(qApp, std::move(work), Qt::QueuedConnection);
            },
            ScanHistory::Handlers{});
    }

private slots:
    void chartsAndSightingsFillFromTheStore() {
        auto store = history();
        const HistoryTime now =
            std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
        for (int hoursAgo : {3, 2, 1}) {
            TableVisit visit;
            visit.at = now - std::chrono::hours(hoursAgo);
            visit.table = "Aconcagua";
            visit.stakes = "$0.10/$0.25";
            visit.seated = 3 + hoursAgo;
            visit.averagePot = "$1,012.40";
            visit.score = 0.5 * hoursAgo;
            visit.players = {{"Ice_Man", 2, "25.00", 220, "45.20", "", "", "", 0.97}};
            store->record(visit);
        }
        HistoryWindow window(*store);
        QSignalSpy answered(&window, &HistoryWindow::answered);
        window.showTable(QStringLiteral("Aconcagua"));
        QTRY_COMPARE(answered.count(), 1);
        const std::vector<QChart*> charts = window.tableCharts();
        QCOMPARE(charts.size(), std::size_t{3});
        const auto* seated = qobject_cast<QLineSeries*>(charts[0]->series().at(0));
        QCOMPARE(seated->count(), 3);
        QCOMPARE(seated->at(0).y(), 6.0);
        QCOMPARE(qobject_cast<QLineSeries*>(charts[1]->series().at(0))->at(2).y(), 1012.40);
        QCOMPARE(qobject_cast<QLineSeries*>(charts[2]->series().at(0))->at(2).y(), 0.5);

        // A table's name in any case, as a player's; one never read has no time axis.
        window.showTable(QStringLiteral("ACONCAGUA"));
        QTRY_COMPARE(answered.count(), 2);
        QCOMPARE(qobject_cast<QLineSeries*>(window.tableCharts()[0]->series().at(0))->count(), 3);
        window.showTable(QStringLiteral("Nowhere"));
        QTRY_COMPARE(answered.count(), 3);
        for (const QChart* chart : window.tableCharts())
            for (const QAbstractAxis* axis : chart->axes())
                QVERIFY(!axis->isVisible());

        window.showPlayer(QStringLiteral("ICE_MAN"));
        QTRY_COMPARE(answered.count(), 4);
        QCOMPARE(window.sightings()->rowCount(), 3);
        QCOMPARE(window.sightings()->item(0, 1)->text(), QStringLiteral("Aconcagua"));
        const auto* hours = qobject_cast<QStackedBarSeries*>(window.hoursChart()->series().at(0));
        QCOMPARE(hours->count(), 7);
        qreal sightings = 0;
        for (const QBarSet* day : hours->barSets())
            sightings += day->sum();
        QCOMPARE(sightings, 3.0);
    }

    void watchListDialogsKeepWhatIsTypedAndCloseWithEsc() {
        auto store = history();
        WatchListWindow window(*store);
        window.show();
        const auto fill = [&](const char* button, const char* dialog, const QString& entry) {
            window.findChild<QPushButton*>(QLatin1String(button))->click();
            auto* opened = window.findChild<QDialog*>(QLatin1String(dialog));
            opened->findChild<QLineEdit*>(QStringLiteral("entry"))->setText(entry);
            opened->findChild<QLineEdit*>(QStringLiteral("note"))->setText(QStringLiteral("mine"));
            QTest::keyClick(opened, Qt::Key_Return);
            return opened;
        };

        // Name and note in one dialog.
        fill("watchPlayer", "watchPlayerDialog", QStringLiteral(" Ice_Man "));
        QTRY_COMPARE(store->watched().size(), std::size_t{1});
        QCOMPARE(store->watched().front().name, std::string("Ice_Man"));
        QCOMPARE(store->watched().front().note, std::string("mine"));

        // A typo is explained in place and the rule stays to be mended.
        QDialog* rule = fill("addRule", "addRuleDialog", QStringLiteral("vpip >= 4x5"));
        auto* entry = rule->findChild<QLineEdit*>(QStringLiteral("entry"));
        QVERIFY(rule->isVisible());
        QVERIFY(!rule->findChild<QLabel*>(QStringLiteral("problem"))->isHidden());
        QCOMPARE(entry->text(), QStringLiteral("vpip >= 4x5"));
        entry->setText(QStringLiteral("vpip >= 45"));
        QTest::keyClick(rule, Qt::Key_Return);
        QTRY_COMPARE(store->rules().size(), std::size_t{1});

        QTest::keyClick(window.findChild<QTreeWidget*>(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        auto* shown = new HistoryWindow(*store);
        QPointer<HistoryWindow> historyWindow(shown);
        shown->show();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QTest::keyClick(shown, Qt::Key_Escape);
        QTRY_VERIFY(!historyWindow);
    }

    void alertsGoToTheNotificationServiceWhoseActionsSelectAndOpen() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            QSKIP("no session bus (run under dbus-run-session)");
        FakeNotifications service;
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));

        DesktopNotifier notifier(nullptr);
        QSignalSpy opened(&notifier, &DesktopNotifier::openRequested);
        QSignalSpy selected(&notifier, &DesktopNotifier::selectRequested);
        notifier.notify(QStringLiteral("Ice_Man sat down at Aconcagua"),
                        QStringLiteral("Aconcagua"));
        QTRY_COMPARE(service.bodies, QStringList{QStringLiteral("Ice_Man sat down at Aconcagua")});
        QVERIFY(service.actions.contains(QStringLiteral("open")));
        QVERIFY(service.actions.contains(QStringLiteral("default")));

        // The daemon tells which action the user chose, as a signal.
        const auto invoke = [&](const char* action, QSignalSpy& spy) {
            for (int attempt = 0; attempt < 40 && spy.isEmpty(); ++attempt) {
                QDBusMessage signal =
                    QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                               QStringLiteral("org.freedesktop.Notifications"),
                                               QStringLiteral("ActionInvoked"));
                signal << 42u << QString::fromLatin1(action);
                bus.send(signal);
                QTest::qWait(50);
            }
        };
        invoke("open", opened);
        QCOMPARE(opened.value(0).value(0).toString(), QStringLiteral("Aconcagua"));
        invoke("default", selected);
        QCOMPARE(selected.value(0).value(0).toString(), QStringLiteral("Aconcagua"));

        // Without a service and without a tray the text goes to the window.
        bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QSignalSpy unshown(&notifier, &DesktopNotifier::unshown);
        notifier.notify(QStringLiteral("Rounder3 sat down at Everest"), QStringLiteral("Everest"));
        QTRY_COMPARE(unshown.count(), 1);
    }
};

QTEST_MAIN(HistoryWindowsTest)
#include "HistoryWindowsTest.moc"
