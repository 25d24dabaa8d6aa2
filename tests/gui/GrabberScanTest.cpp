#include "grabber.h"

#include "FakeLookup.h"
#include "common/Clock.h"
#include "settings/DirConf.h"
#include "sim/SimulatedClient.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace kestrova;

namespace {

sim::LobbyTable table(std::string name, std::string stakes, std::string pot,
                      std::vector<std::string> players) {
    sim::LobbyTable t;
    t.name = std::move(name);
    t.stakes = std::move(stakes);
    t.averagePot = std::move(pot);
    t.seats = 10;
    for (std::string& p : players)
        t.players.push_back({std::move(p), "1,500"});
    t.seated = static_cast<int>(t.players.size());
    return t;
}

QStringList column(const QTreeWidget* list, int c) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(c);
    return texts;
}

}  // namespace

class GrabberScanTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fullScanFillsBothListsWithFigures();
    void clickingATableShowsItsPlayers();
    void buddyBoxAddsAndRemovesBuddies();
    void avgPotSortsByAmount();
    void scanSelectedNeedsASelectedRow();
    void cancellingTheOpenerQuestionKeepsItStopped();
    void openerOpensUpToItsMaximumAndStops();
    void openButtonOpensTheSelectedTable();
    void scanResultGoesIntoTheChosenFolder();
    void intervalScanCountsDownAndScansAgain();

private:
    void scanAll();
    void waitForPass();
    QTreeWidget* list(const char* name) {
        return window_->findChild<QTreeWidget*>(QLatin1String(name));
    }
    QPushButton* button(const char* name) {
        return window_->findChild<QPushButton*>(QLatin1String(name));
    }

    std::unique_ptr<QTemporaryDir> dir_;
    QString oldCwd_;
    ManualClock clock_;
    test::FakeLookup lookup_;
    std::unique_ptr<sim::SimulatedClient> client_;
    std::unique_ptr<grabber> window_;
    QStringList messages_;
};

void GrabberScanTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    oldCwd_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    qputenv("XDG_CONFIG_HOME", (dir_->path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR);
    messages_.clear();
    lookup_ = test::FakeLookup{};
    lookup_.figures = [](PlayerStats& r) {
        r.hands = r.name.starts_with("Fish") ? "500" : "50";
        r.vpip = r.name.starts_with("Fish") ? "60.00" : "20.00";
        r.pfr = "5.00";
        r.af = "1.00";
        r.wtsd = "30.00";
        r.won = r.name.starts_with("Fish") ? "-120.00" : "10.00";
    };
    client_ = std::make_unique<sim::SimulatedClient>(
        sim::Lobby({table("Alpha", "$1/$2", "$9.50", {"FishOne", "Rock"}),
                    table("Beta", "$2/$4", "$12.00", {"FishTwo", "FishOne", "nobody"}),
                    table("Gamma", "$5/$10", "$100.00", {"Shark"})}));
    GrabberServices services;
    services.platform = client_.get();
    services.clock = &clock_;
    services.lookup = &lookup_;
    services.settingsFile = SettingsStore::defaultPath();
    window_ = std::make_unique<grabber>(services);
    lookup_.cache = const_cast<PlayerRecordList*>(&window_->session().scanState().records);
    window_->setMessageHandler([this](const QString& title, const QString& text) {
        messages_ << title + QStringLiteral(": ") + text;
    });
}

void GrabberScanTest::cleanup() {
    window_.reset();
    client_.reset();
    QDir::setCurrent(oldCwd_);
    dir_.reset();
}

void GrabberScanTest::scanAll() {
    QTest::mouseClick(button("pbFullScan"), Qt::LeftButton);
    waitForPass();
}

void GrabberScanTest::waitForPass() {
    QTRY_VERIFY_WITH_TIMEOUT(!window_->isBusy(), 20000);
}

void GrabberScanTest::fullScanFillsBothListsWithFigures() {
    scanAll();
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join(QLatin1Char('\n'))));
    QTreeWidget* tables = list("tableList");
    QCOMPARE(column(tables, 0), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"),
                                             QStringLiteral("Gamma")}));
    QTreeWidgetItem* beta = tables->topLevelItem(1);
    QCOMPARE(beta->text(3), QStringLiteral("3"));  // the unknown player is counted
    QCOMPARE(beta->text(5), QStringLiteral("60.00"));
    QCOMPARE(beta->text(9), QStringLiteral("2 / 2"));
    QCOMPARE(beta->text(11), QStringLiteral("2"));
    QVERIFY(button("pbRefresh")->isEnabled());

    // One row per player and table: FishOne sits at two tables.
    QTreeWidget* whole = list("wholePlayerList");
    QCOMPARE(whole->topLevelItemCount(), 5);
    QCOMPARE(column(whole, 2).count(QStringLiteral("FishOne")), 2);
    QVERIFY(window_->findChild<QLabel*>(QStringLiteral("knownPlayers"))
                ->text()
                .startsWith(QStringLiteral("Knownplayer")));
}

void GrabberScanTest::clickingATableShowsItsPlayers() {
    scanAll();
    QTreeWidget* tables = list("tableList");
    tables->setCurrentItem(tables->topLevelItem(0));
    QTreeWidget* players = list("playerList");
    QCOMPARE(column(players, 1).size(), 2);
    QVERIFY(column(players, 1).contains(QStringLiteral("Rock")));

    // A click in the whole list jumps to that player's table.
    QTreeWidget* whole = list("wholePlayerList");
    QTreeWidgetItem* shark = whole->findItems(QStringLiteral("Shark"), Qt::MatchExactly, 2).first();
    emit whole->itemClicked(shark, 2);
    QCOMPARE(tables->currentItem()->text(0), QStringLiteral("Gamma"));
    QCOMPARE(column(players, 1), QStringList{QStringLiteral("Shark")});
}

void GrabberScanTest::buddyBoxAddsAndRemovesBuddies() {
    scanAll();
    QTreeWidget* whole = list("wholePlayerList");
    QTreeWidgetItem* rock = whole->findItems(QStringLiteral("Rock"), Qt::MatchExactly, 2).first();
    rock->setCheckState(4, Qt::Checked);
    emit whole->itemClicked(rock, 4);
    QCOMPARE(window_->buddies().indexOfBuddy("rock"), 0);
    QVERIFY(QFile::exists(QStringLiteral("mofofish")));
    QTreeWidgetItem* alpha = list("tableList")->topLevelItem(0);
    QCOMPARE(alpha->text(10), QStringLiteral("1"));

    rock->setCheckState(4, Qt::Unchecked);
    emit whole->itemClicked(rock, 4);
    QCOMPARE(window_->buddies().indexOfBuddy("Rock"), -1);
    QCOMPARE(alpha->text(10), QStringLiteral("0"));
}

void GrabberScanTest::avgPotSortsByAmount() {
    scanAll();
    QTreeWidget* tables = list("tableList");
    tables->sortByColumn(4, Qt::AscendingOrder);
    QCOMPARE(column(tables, 4), (QStringList{QStringLiteral("$9.50"), QStringLiteral("$12.00"),
                                             QStringLiteral("$100.00")}));
}

void GrabberScanTest::scanSelectedNeedsASelectedRow() {
    QTest::mouseClick(button("pbScan"), Qt::LeftButton);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_.first(),
             QStringLiteral("Error: Please select the table from the tablelist which you want to "
                            "scan.\nOr press Full Scan to scan all tables"));
}

void GrabberScanTest::cancellingTheOpenerQuestionKeepsItStopped() {
    window_->setOpenerQuestion([] { return std::nullopt; });
    QTest::mouseClick(button("pbOpener"), Qt::LeftButton);
    QVERIFY(!window_->isOpenerRunning());
    QCOMPARE(window_->openerMaximum(), 30);
    QCOMPARE(button("pbOpener")->text(), QStringLiteral("Run Opener"));
    QVERIFY(button("pbFullScan")->isEnabled());
}

void GrabberScanTest::openerOpensUpToItsMaximumAndStops() {
    window_->setOpenerQuestion([] { return 2; });
    QTest::mouseClick(button("pbOpener"), Qt::LeftButton);
    waitForPass();
    QVERIFY(window_->isOpenerRunning());
    QCOMPARE(button("pbOpener")->text(), QStringLiteral("Stop Opener"));
    QCOMPARE(client_->openedTables(), (std::vector<std::string>{"Alpha", "Beta"}));
    QVERIFY(!button("pbFullScan")->isEnabled());  // the opener keeps the scans to itself

    QTest::mouseClick(button("pbOpener"), Qt::LeftButton);
    QVERIFY(!window_->isOpenerRunning());
    QCOMPARE(button("pbOpener")->text(), QStringLiteral("Run Opener"));
    QVERIFY(button("pbFullScan")->isEnabled());
}

void GrabberScanTest::openButtonOpensTheSelectedTable() {
    QTest::mouseClick(button("pbRefresh"), Qt::LeftButton);
    waitForPass();
    QTreeWidget* tables = list("tableList");
    tables->setCurrentItem(tables->topLevelItem(2));
    QTest::mouseClick(button("pbJoin"), Qt::LeftButton);
    waitForPass();
    QCOMPARE(client_->openedTables(), std::vector<std::string>{"Gamma"});
}

void GrabberScanTest::scanResultGoesIntoTheChosenFolder() {
    QDir().mkpath(QStringLiteral("results"));
    DirConf conf;
    conf.saveFlag = 1;
    conf.resultPath = (dir_->path() + QStringLiteral("/results")).toStdString();
    QVERIFY(conf.write(dir_->path().toStdString()));
    // The folder is read at start-up, as the user's choice in the options.
    window_.reset();
    GrabberServices services;
    services.platform = client_.get();
    services.clock = &clock_;
    services.lookup = &lookup_;
    window_ = std::make_unique<grabber>(services);
    lookup_.cache = const_cast<PlayerRecordList*>(&window_->session().scanState().records);

    scanAll();
    QFile result(QStringLiteral("results/scanresult.txt"));
    QVERIFY(result.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = result.readAll().split('\n');
    QCOMPARE(lines.size(), 6);  // five rows and the empty rest after the last line feed
    QVERIFY(lines.contains("Gamma;Shark;1500;50;10.00;20.00;5.00;1.00;30.00;;"));
}

void GrabberScanTest::intervalScanCountsDownAndScansAgain() {
    auto* counter = window_->findChild<QSpinBox*>(QStringLiteral("sbInterval"));
    auto* interval = window_->findChild<QCheckBox*>(QStringLiteral("cbInterval"));
    QVERIFY(counter->isVisible() || !window_->isVisible());
    counter->setValue(2);
    QTest::mouseClick(interval, Qt::LeftButton);
    waitForPass();
    QCOMPARE(lookup_.connects, 1);  // the first scan runs at once
    ScanController& scans = window_->session().scans();
    scans.intervalTick();
    QCOMPARE(counter->value(), 1);
    QCOMPARE(lookup_.connects, 1);
    scans.intervalTick();
    waitForPass();
    QCOMPARE(lookup_.connects, 2);  // counted down: the next scan, and the counter starts again
    QCOMPARE(counter->value(), 2);

    QTest::mouseClick(interval, Qt::LeftButton);  // off
    QVERIFY(!interval->isChecked());
    QCOMPARE(counter->value(), 2);  // the chosen interval, not what was left of it
}

QTEST_MAIN(GrabberScanTest)
#include "GrabberScanTest.moc"
