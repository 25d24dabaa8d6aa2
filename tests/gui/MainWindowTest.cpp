// The main window over its session: what only the widgets show. The figures the
// passes fill in are the session's, tested without a window.
#include "gui/MainWindow.h"
#include "gui/help/HelpWindow.h"
#include "gui/history/HistoryActions.h"
#include "gui/options/DBTab.h"
#include "gui/options/DisplayTab.h"
#include "gui/options/TabDialog.h"
#include "records/DatabaseList.h"
#include "settings/StakesFile.h"

#include "FakeLookup.h"
#include "GateClock.h"
#include "SimLobbies.h"
#include "TempDir.h"
#include "sim/SimulatedClient.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

using namespace kestrova;
using test::le32;
using test::readBytes;
using test::writeBytes;

namespace {

sim::LobbyTable table(std::string name, std::string pot, std::vector<std::string> players) {
    sim::LobbyTable t;
    t.name = std::move(name);
    t.stakes = "$1/$2";
    t.averagePot = std::move(pot);
    for (std::string& p : players)
        t.players.push_back({std::move(p), "1,500"});
    t.seated = static_cast<int>(t.players.size());
    return t;
}

sim::Lobby threeTables() {
    return sim::Lobby({table("Alpha", "$9.50", {"FishOne", "Rock"}),
                       table("Beta", "$12.00", {"FishTwo", "FishOne", "nobody"}),
                       table("Gamma", "$100.00", {"Shark"})});
}

QStringList column(const QTreeWidget* list, int c) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(c);
    return texts;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void passWaitsOffTheWindowThreadUntilTheProgressCancel();
    void listsShowTablesAndPlayersAndTheButtonsActOnTheSelectedRow();
    void openRightAfterAPassActsOnItsLastRowWithAProgressDialog();
    void openerButtonAsksStartsAndStops();
    void intervalCounterCountsDownAndResets();
    void closingSavesTheWindowFilesForTheNextStart();
    void filterOptionsAndMenuTogglesWorkOnTheWindowsSettings();
    void openFromAnAlertDuringAPassWaitsForItsEnd();
    void helpShowsTheGuideItsSectionOnDatabasesAndTheKeys();

private:
    void open(sim::Lobby lobby = threeTables());
    void waitForPass() { QTRY_VERIFY_WITH_TIMEOUT(!window_->isBusy(), 20000); }
    QTreeWidget* list(const char* name) {
        return window_->findChild<QTreeWidget*>(QLatin1String(name));
    }
    QPushButton* button(const char* name) {
        return window_->findChild<QPushButton*>(QLatin1String(name));
    }
    QSpinBox* interval() { return window_->findChild<QSpinBox*>(QStringLiteral("sbInterval")); }
    QAction* action(const char* name) { return window_->findChild<QAction*>(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> dir_;
    QString oldCwd_;
    test::GateClock clock_;
    test::FakeLookup lookup_;
    std::unique_ptr<sim::SimulatedClient> client_;
    std::unique_ptr<MainWindow> window_;
    QStringList messages_;
    QList<QUrl> browsed_;
    bool browserStarts_ = true;
};

void MainWindowTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    oldCwd_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    qputenv("XDG_CONFIG_HOME", (dir_->path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR);
    messages_.clear();
    browsed_.clear();
    browserStarts_ = true;
    clock_.setOpen(true);
    lookup_ = test::FakeLookup{};
}

void MainWindowTest::cleanup() {
    clock_.setOpen(true);
    window_.reset();
    client_.reset();
    QDir::setCurrent(oldCwd_);
    dir_.reset();
}

void MainWindowTest::open(sim::Lobby lobby) {
    window_.reset();
    client_ = std::make_unique<sim::SimulatedClient>(std::move(lobby));
    MainWindowServices services;
    services.platform = client_.get();
    services.clock = &clock_;
    services.lookup = &lookup_;
    services.openUrl = [this](const QUrl& url) {
        browsed_ << url;
        return browserStarts_;
    };
    window_ = std::make_unique<MainWindow>(services);
    lookup_.cache = const_cast<PlayerRecordList*>(&window_->session().passes().scanState().records);
    window_->setMessageHandler([this](const Message& message) {
        messages_ << QString::fromStdString(message.title + ": " + message.text);
    });
}

void MainWindowTest::passWaitsOffTheWindowThreadUntilTheProgressCancel() {
    open(test::makeLobby(30));
    QTest::mouseClick(button("pbFullScan"), Qt::LeftButton);
    QTRY_VERIFY(list("tableList")->topLevelItemCount() >= 2);
    clock_.setOpen(false);
    QTRY_VERIFY(clock_.waiting());
    QVERIFY(!clock_.threads().count(std::this_thread::get_id()));
    QVERIFY(!button("pbRefresh")->isEnabled() && !button("pbScan")->isEnabled() &&
            !button("pbFullScan")->isEnabled());
    bool eventLoopTurned = false;
    QTimer::singleShot(0, [&] { eventLoopTurned = true; });
    QTRY_VERIFY(eventLoopTurned);

    auto* progress = window_->findChild<QProgressDialog*>(QStringLiteral("scanProgress"));
    QVERIFY(progress);
    emit progress->canceled();  // what its "Cancel" button sends
    // The gate stays shut: only the cancel can end the wait.
    QTRY_VERIFY_WITH_TIMEOUT(!window_->isBusy(), 2000);
    QVERIFY(button("pbRefresh")->isEnabled() && button("pbFullScan")->isEnabled());
    QVERIFY(list("tableList")->topLevelItemCount() < 30);
    QVERIFY(messages_.isEmpty());

    // A pass's failure stays in the status bar after its box, until the next pass.
    clock_.setOpen(true);
    lookup_.failConnect = true;
    QTest::mouseClick(button("pbFullScan"), Qt::LeftButton);
    waitForPass();
    QCOMPARE(messages_, QStringList{QStringLiteral("Error: no database")});
    auto* problem = window_->findChild<QLabel*>(QStringLiteral("passProblem"));
    QVERIFY(problem);
    QCOMPARE(problem->text(), QStringLiteral("Error: no database"));
    lookup_.failConnect = false;
    QTest::mouseClick(button("pbFullScan"), Qt::LeftButton);
    QTRY_VERIFY(problem->text().isEmpty());
    waitForPass();

    // Scanned again, the last result stays on screen, named by what runs.
    const int shown = list("tableList")->topLevelItemCount();
    clock_.setOpen(false);
    QTest::mouseClick(button("pbFullScan"), Qt::LeftButton);
    QTRY_VERIFY(clock_.waiting());
    progress = window_->findChild<QProgressDialog*>(QStringLiteral("scanProgress"));
    QVERIFY(progress);
    QCOMPARE(progress->windowTitle(), QStringLiteral("Scanning all tables"));
    QCOMPARE(list("tableList")->topLevelItemCount(), shown);
    clock_.setOpen(true);
    waitForPass();
}

void MainWindowTest::listsShowTablesAndPlayersAndTheButtonsActOnTheSelectedRow() {
    open();
    QTest::mouseClick(button("pbScan"), Qt::LeftButton);
    QCOMPARE(messages_, QStringList{QStringLiteral(
                            "Error: Please select the table from the tablelist which you want to "
                            "scan.\nOr press Full Scan to scan all tables")});
    // Ctrl+R is "Scan All Tables"; every column says what it shows.
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_R, Qt::ControlModifier);
    QVERIFY(window_->isBusy());
    waitForPass();
    QTreeWidget* tables = list("tableList");
    for (int c = 0; c < tables->columnCount(); ++c)
        QVERIFY2(!tables->headerItem()->toolTip(c).isEmpty(), qPrintable(QString::number(c)));
    QTreeWidget* players = list("playerList");
    QTreeWidget* whole = list("wholePlayerList");
    tables->setCurrentItem(tables->topLevelItem(0));
    QCOMPARE(column(players, 1).size(), 2);
    QVERIFY(column(players, 1).contains(QStringLiteral("Rock")));

    // A click in the whole list jumps to that player's table.
    emit whole->itemClicked(whole->findItems(QStringLiteral("Shark"), Qt::MatchExactly, 2)[0], 2);
    QCOMPARE(tables->currentItem()->text(0), QStringLiteral("Gamma"));
    QCOMPARE(column(players, 1), QStringList{QStringLiteral("Shark")});

    QTreeWidgetItem* rock = whole->findItems(QStringLiteral("Rock"), Qt::MatchExactly, 2)[0];
    rock->setCheckState(4, Qt::Checked);
    emit whole->itemClicked(rock, 4);
    QCOMPARE(window_->buddies().indexOfBuddy("rock"), 0);
    QCOMPARE(tables->topLevelItem(0)->text(10), QStringLiteral("1"));
    rock->setCheckState(4, Qt::Unchecked);
    emit whole->itemClicked(rock, 4);
    QCOMPARE(window_->buddies().indexOfBuddy("Rock"), -1);
    QCOMPARE(tables->topLevelItem(0)->text(10), QStringLiteral("0"));

    // Average pots sort by amount, and "Join" opens the row selected after the sort.
    tables->sortByColumn(4, Qt::AscendingOrder);
    QCOMPARE(column(tables, 4), (QStringList{QStringLiteral("$9.50"), QStringLiteral("$12.00"),
                                             QStringLiteral("$100.00")}));
    tables->setCurrentItem(tables->topLevelItem(1));
    tables->setFocus();
    QTest::keyClick(tables, Qt::Key_Return);  // Return on a row opens it
    waitForPass();
    QCOMPARE(client_->openedTables(), std::vector<std::string>{"Beta"});
}

// The last row "Get Table List" made is current, so "Open" acts on it at once;
// the "Open" walk shows the progress dialog and its Cancel like the scans.
void MainWindowTest::openRightAfterAPassActsOnItsLastRowWithAProgressDialog() {
    open();
    QTest::mouseClick(button("pbRefresh"), Qt::LeftButton);
    waitForPass();
    QTreeWidget* tables = list("tableList");
    QVERIFY(tables->currentItem());
    QCOMPARE(tables->currentItem()->text(0), QStringLiteral("Gamma"));
    clock_.setOpen(false);
    QTest::mouseClick(button("pbJoin"), Qt::LeftButton);
    QTRY_VERIFY(clock_.waiting());
    QVERIFY(window_->findChild<QProgressDialog*>(QStringLiteral("scanProgress")));
    clock_.setOpen(true);
    waitForPass();
    QCOMPARE(client_->openedTables(), std::vector<std::string>{"Gamma"});
}

void MainWindowTest::openerButtonAsksStartsAndStops() {
    open();
    window_->setOpenerQuestion([] { return std::nullopt; });
    QTest::mouseClick(button("pbOpener"), Qt::LeftButton);
    QVERIFY(!window_->isOpenerRunning());

    window_->setOpenerQuestion([] { return 2; });
    QTest::mouseClick(button("pbOpener"), Qt::LeftButton);
    waitForPass();
    QVERIFY(window_->isOpenerRunning());
    QCOMPARE(client_->openedTables(), (std::vector<std::string>{"Alpha", "Beta"}));
    QVERIFY(!button("pbFullScan")->isEnabled());  // the opener keeps the scans to itself

    QTest::mouseClick(button("pbOpener"), Qt::LeftButton);
    QVERIFY(!window_->isOpenerRunning());
    QVERIFY(button("pbFullScan")->isEnabled());
}

void MainWindowTest::intervalCounterCountsDownAndResets() {
    open();
    auto* on = window_->findChild<QCheckBox*>(QStringLiteral("cbInterval"));
    interval()->setValue(2);
    QTest::mouseClick(on, Qt::LeftButton);
    waitForPass();
    QCOMPARE(lookup_.connects, 1);  // the first scan runs at once
    ScanSchedule& schedule = window_->session().passes().schedule();
    schedule.intervalTick();
    QCOMPARE(interval()->value(), 1);
    schedule.intervalTick();
    waitForPass();
    QCOMPARE(lookup_.connects, 2);
    QCOMPARE(interval()->value(), 2);
    schedule.intervalTick();
    QTest::mouseClick(on, Qt::LeftButton);  // off
    QCOMPARE(interval()->value(), 2);       // the chosen interval, not what was left of it
}

// Widths go to both player lists; a minimised window keeps the geometry it was
// opened with; a close saves the window files for the next start.
void MainWindowTest::closingSavesTheWindowFilesForTheNextStart() {
    writeBytes("Window.conf", le32({1, 2, 900, 700}));
    writeBytes("Window2.conf", le32({3, 0}));
    writeBytes("Column.conf", le32({2, 150, 60, 3, 40, 170, 55}));
    open();
    // Saved on a larger screen than this one: the whole window, frame too, fits.
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QVERIFY(window_->screen()->availableGeometry().contains(window_->frameGeometry()));
    QCOMPARE(list("tableList")->header()->sectionSize(1), 60);
    QCOMPARE(list("playerList")->header()->sectionSize(1), 170);
    QCOMPARE(list("wholePlayerList")->header()->sectionSize(2), 170);
    QCOMPARE(list("wholePlayerList")->header()->sectionSize(3), 55);
    window_->showMinimized();
    QTRY_VERIFY(window_->isMinimized());
    interval()->setValue(9);
    window_.reset();
    QCOMPARE(readBytes("Window.conf"), le32({1, 2, 900, 700}));
    QCOMPARE(readBytes("Window2.conf"), le32({3, 0}));
    QCOMPARE(SettingsStore(SettingsStore::defaultPath()).readInt("scanint", 15), 15);
    QCOMPARE(readBytes("Column.conf").size(), std::size_t(4 + 11 * 4 + 4 + 15 * 4));

    open();
    window_->resize(640, 480);
    list("tableList")->sortByColumn(4, Qt::AscendingOrder);
    list("wholePlayerList")->sortByColumn(6, Qt::AscendingOrder);
    interval()->setValue(7);
    window_.reset();
    QCOMPARE(readBytes("Window.conf"), le32({4, 2, 640, 480}));
    QCOMPARE(readBytes("Window2.conf"), le32({6, 1}));
    QCOMPARE(SettingsStore(SettingsStore::defaultPath()).readInt("scanint", 15), 7);
    QCOMPARE(readBytes("Column.conf").substr(48, 4), le32({15}));

    open();
    QCOMPARE(window_->size(), QSize(640, 480));
    QCOMPARE(list("tableList")->header()->sortIndicatorSection(), 4);
    QCOMPARE(list("tableList")->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(list("wholePlayerList")->header()->sortIndicatorSection(), 6);
    QCOMPARE(list("wholePlayerList")->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(interval()->value(), 7);
}

void MainWindowTest::filterOptionsAndMenuTogglesWorkOnTheWindowsSettings() {
    QVERIFY(
        StakesFile::write(dir_->path().toStdString(), ClientKind::PokerStars, {"$1/$2", "$5/$10"}));
    // A PokerTracker 3 database where nobody listens: the Options page's login test fails.
    DatabaseList databases;
    databases.append({.host = "127.0.0.1", .port = "1", .database = "pt3", .user = "me"});
    QVERIFY(databases.save(dir_->path().toStdString(), nullptr));
    open();
    QTest::mouseClick(button("pbFilter"), Qt::LeftButton);
    auto* stakes = window_->findChild<QListWidget*>(QStringLiteral("stakes"));
    QVERIFY(stakes);
    QStringList selected;
    for (const QListWidgetItem* item : stakes->selectedItems())
        selected << item->text();
    selected.sort();
    QCOMPARE(selected, (QStringList{QStringLiteral("$1/$2"), QStringLiteral("$5/$10")}));

    QTreeWidget* tables = list("tableList");
    QVERIFY(!tables->isColumnHidden(0));
    bool checked = false;
    bool tested = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<TabDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // The window hands the page the answer of the session's test.
        tested = QTest::qWaitFor([&] { return dialog->dbTab()->isEnabled(); });
        dialog->displayTab()->findChild<QCheckBox*>(QStringLiteral("dtname"))->setChecked(false);
        dialog->accept();
        checked = true;
    });
    window_->slot_pbOptionen();
    QVERIFY(checked && tested);
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].startsWith(QStringLiteral("Error: Connection to database failed: ")));
    QVERIFY(tables->isColumnHidden(0));
    QVERIFY(!window_->session().settings().display.tableColumns[0]);

    for (QAction* a : window_->findChildren<QAction*>()) {
        if (a->objectName() == QStringLiteral("useAggregator") ||
            a->objectName() == QStringLiteral("checkUpdate"))
            a->trigger();
    }
    const SettingsStore store(SettingsStore::defaultPath());
    QCOMPARE(store.readInt("useagg", 0), 1);
    QCOMPARE(store.readInt("checkupdate", 1), 0);
}

// A notification's "Open" during a pass opens the table once the pass is over.
void MainWindowTest::openFromAnAlertDuringAPassWaitsForItsEnd() {
    open();
    clock_.setOpen(false);
    QTest::mouseClick(button("pbFullScan"), Qt::LeftButton);
    QTRY_VERIFY(clock_.waiting());
    emit window_->findChild<HistoryActions*>()->openTable(QStringLiteral("Beta"));
    clock_.setOpen(true);
    waitForPass();
    QCoreApplication::processEvents();  // the pass's end starts the opening
    waitForPass();
    QCOMPARE(client_->openedTables(), std::vector<std::string>{"Beta"});
}

void MainWindowTest::helpShowsTheGuideItsSectionOnDatabasesAndTheKeys() {
    const QString databases = QString::fromLatin1(HelpWindow::kDatabasesSection);
    open();
    window_->show();
    action("userGuide")->trigger();
    auto* guide = window_->findChild<HelpWindow*>();
    QVERIFY(guide && guide->isVisible());
    QVERIFY(guide->browser()->document()->toPlainText().contains(databases));
    QCOMPARE(guide->browser()->verticalScrollBar()->value(), 0);

    // Options → Databases → Help: the guide's section on them, usable beside the modal dialog.
    bool shown = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<TabDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitFor([&] { return dialog->dbTab()->isEnabled(); }));
        dialog->dbTab()->findChild<QPushButton*>(QStringLiteral("pbHelp"))->click();
        auto* section = dialog->findChild<HelpWindow*>();
        QVERIFY(section && section->isVisible());
        const auto topBlock = [section] {
            return section->browser()->cursorForPosition(QPoint(4, 4)).block().text();
        };
        QTRY_COMPARE(topBlock(), databases);
        shown = true;
        dialog->reject();
    });
    window_->slot_pbOptionen();
    QVERIFY(shown);

    // "Keys" lists the menus' own shortcuts.
    QString keys;
    QTimer::singleShot(0, this, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        keys = dialog->findChild<QLabel*>(QStringLiteral("keys"))->text();
        dialog->close();
    });
    action("keys")->trigger();
    for (const QKeySequence& key : {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R),
                                    QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_F1)})
        QVERIFY2(keys.contains(key.toString(QKeySequence::NativeText)), qPrintable(keys));

    // Without a browser the address is given rather than nothing shown.
    browserStarts_ = false;
    window_->slot_Download();
    QCOMPARE(browsed_.size(), 1);
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains(browsed_[0].toString()), qPrintable(messages_[0]));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
