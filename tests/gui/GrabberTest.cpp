#include "grabber.h"

#include "GateClock.h"

#include "CloseTab.h"
#include "DisplayTab.h"
#include "FakePlatform.h"
#include "LimitTab.h"
#include "OpenTab.h"
#include "SimLobbies.h"
#include "TabDialog.h"
#include "common/Clock.h"
#include "settings/StakesFile.h"
#include "sim/SimulatedClient.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace kestrova;

namespace {

struct Message {
    QString title;
    QString text;
};

}  // namespace

class GrabberTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void constructionBuildsTheWindowAsUsersKnowIt();
    void getTableListFillsTheListAndReenablesControls();
    void cancelDuringAWaitEndsThePassAtOnce();
    void getTableListHonoursTheSizeFilter();
    void filterDialogPreselectsTheSavedStakes();
    void missingLobbyIsReportedAndEndsThePass();
    void menuTogglesWriteTheirKeys();
    void firstStartWithoutAnyFile();
    void windowConfRangeRules_data();
    void windowConfRangeRules();
    void closingSavesGeometrySortingAndWidths();
    void closingWhileMinimisedKeepsGeometry();
    void columnWidthsGoToBothPlayerLists();
    void optionsRunAt500AndTheWindowFollowsThemAfterwards();

private:
    std::unique_ptr<grabber> makeWindow(ClientPlatform* platform);
    QString iniPath() const {
        return dir_->path() + QStringLiteral("/config/kestrova/Velloran.ini");
    }
    void writeIni(const QByteArray& text);
    static QByteArray int32s(std::initializer_list<qint32> values);
    static void writeFile(const QString& name, const QByteArray& bytes);
    static QByteArray readFile(const QString& name);

    std::unique_ptr<QTemporaryDir> dir_;
    QString oldCwd_;
    test::GateClock clock_;
    std::vector<Message> messages_;
};

void GrabberTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    oldCwd_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    qputenv("XDG_CONFIG_HOME", (dir_->path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR);
    messages_.clear();
    clock_.setOpen(true);
}

void GrabberTest::cleanup() {
    QDir::setCurrent(oldCwd_);
    dir_.reset();
}

void GrabberTest::writeIni(const QByteArray& text) {
    QDir().mkpath(QFileInfo(iniPath()).path());
    QFile f(iniPath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

std::unique_ptr<grabber> GrabberTest::makeWindow(ClientPlatform* platform) {
    GrabberServices services;
    services.platform = platform;
    services.clock = &clock_;
    services.settingsFile = SettingsStore::defaultPath();
    auto window = std::make_unique<grabber>(services);
    window->setMessageHandler([this](const QString& title, const QString& text) {
        messages_.push_back({title, text});
    });
    return window;
}

void GrabberTest::constructionBuildsTheWindowAsUsersKnowIt() {
    auto w = makeWindow(nullptr);
    QCOMPARE(w->windowTitle(), QStringLiteral("Kestrova Everest v1.30"));
    auto* refresh = w->findChild<QPushButton*>(QStringLiteral("pbRefresh"));
    QVERIFY(refresh);
    QCOMPARE(refresh->text(), QStringLiteral("Get Table List"));
    QCOMPARE(refresh->toolTip(), QStringLiteral("Retrieve list of available tables"));
    QCOMPARE(refresh->statusTip(), QStringLiteral("Just retrieves the list of available tables."));
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("pbJoin"))->maximumWidth(), 100);
    QCOMPARE(refresh->maximumWidth(), 130);
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("knownPlayers"))->text(),
             QStringLiteral("Knownplayer : 0 %"));
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("pbLowFilter"))->text(),
             QStringLiteral("F\ni\nl\nt\ne\nr"));
    QCOMPARE(w->findChild<QSpinBox*>(QStringLiteral("sbInterval"))->value(), 15);

    auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
    QCOMPARE(tables->columnCount(), 13);
    QCOMPARE(tables->headerItem()->text(12), QStringLiteral("Tot.Stacks"));
    auto* players = w->findChild<QTreeWidget*>(QStringLiteral("playerList"));
    QCOMPARE(players->columnCount(), 20);
    QVERIFY(players->isColumnHidden(7));
    auto* whole = w->findChild<QTreeWidget*>(QStringLiteral("wholePlayerList"));
    QCOMPARE(whole->columnCount(), 21);
    QVERIFY(whole->isColumnHidden(8));

    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{QStringLiteral("Main"), QStringLiteral("Buddylist"),
                                 QStringLiteral("Update"), QStringLiteral("PT3 Aggregator"),
                                 QStringLiteral("HUD")}));
    // Start-up always selects the Everest client.
    QCOMPARE(SettingsStore(SettingsStore::defaultPath()).readInt("form", 0), 5);
}

void GrabberTest::getTableListFillsTheListAndReenablesControls() {
    sim::SimulatedClient client(test::makeLobby(30));
    auto w = makeWindow(&client);
    auto* refresh = w->findChild<QPushButton*>(QStringLiteral("pbRefresh"));
    auto* scan = w->findChild<QPushButton*>(QStringLiteral("pbScan"));
    auto* fullScan = w->findChild<QPushButton*>(QStringLiteral("pbFullScan"));
    clock_.setOpen(false);

    QTest::mouseClick(refresh, Qt::LeftButton);
    // The pass waits on its own thread while the window goes on answering.
    QTRY_VERIFY(clock_.waiting());
    QVERIFY(!clock_.threads().count(std::this_thread::get_id()));
    QVERIFY(w->isBusy());
    QVERIFY(!refresh->isEnabled() && !scan->isEnabled() && !fullScan->isEnabled());
    bool eventLoopTurned = false;
    QTimer::singleShot(0, [&] { eventLoopTurned = true; });
    QTRY_VERIFY(eventLoopTurned);
    QVERIFY(clock_.waiting());

    clock_.setOpen(true);
    QTRY_VERIFY(!w->isBusy());
    QVERIFY(messages_.empty());
    QVERIFY(refresh->isEnabled() && scan->isEnabled() && fullScan->isEnabled());

    auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
    QStringList expected;
    for (const sim::LobbyTable& t : client.lobby().tables()) {
        if (t.seated >= 1 && t.seated <= 10)
            expected << QString::fromStdString(t.name);
    }
    QStringList shown;
    for (int i = 0; i < tables->topLevelItemCount(); ++i)
        shown << tables->topLevelItem(i)->text(0);
    QCOMPARE(shown, expected);

    QTreeWidgetItem* first = tables->topLevelItem(0);
    QCOMPARE(first->text(1), QStringLiteral("$1/$2"));
    QCOMPARE(first->text(2), QStringLiteral("0"));
    QCOMPARE(first->text(3), QStringLiteral("2"));
    QCOMPARE(first->text(4), QStringLiteral("$10.50"));
}

void GrabberTest::cancelDuringAWaitEndsThePassAtOnce() {
    sim::SimulatedClient client(test::makeLobby(30));
    auto w = makeWindow(&client);
    auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("pbFullScan")), Qt::LeftButton);
    QTRY_VERIFY(tables->topLevelItemCount() >= 2);
    clock_.setOpen(false);
    QTRY_VERIFY(clock_.waiting());
    const int scanned = tables->topLevelItemCount();

    auto* progress = w->findChild<QProgressDialog*>(QStringLiteral("scanProgress"));
    QVERIFY(progress);
    emit progress->canceled();  // what its "Cancel" button sends
    // The gate stays shut: only the cancel can end the wait.
    QTRY_VERIFY_WITH_TIMEOUT(!w->isBusy(), 2000);
    QVERIFY(w->findChild<QPushButton*>(QStringLiteral("pbFullScan"))->isEnabled());
    QVERIFY(tables->topLevelItemCount() >= scanned);
    QVERIFY(tables->topLevelItemCount() < 30);
    QVERIFY(messages_.empty());
}

void GrabberTest::filterDialogPreselectsTheSavedStakes() {
    QVERIFY(StakesFile::write(dir_->path().toStdString(), 5, {"$1/$2", "$5/$10"}));
    auto w = makeWindow(nullptr);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("pbFilter")), Qt::LeftButton);
    auto* stakes = w->findChild<QListWidget*>(QStringLiteral("stakes"));
    QVERIFY(stakes);
    QStringList selected;
    for (const QListWidgetItem* item : stakes->selectedItems())
        selected << item->text();
    selected.sort();
    QCOMPARE(selected, (QStringList{QStringLiteral("$1/$2"), QStringLiteral("$5/$10")}));
}

void GrabberTest::getTableListHonoursTheSizeFilter() {
    writeIni("[Tallyhand]\r\nc_sixmax=0\r\n");
    sim::SimulatedClient client(test::makeLobby(12));
    auto w = makeWindow(&client);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("pbRefresh")), Qt::LeftButton);
    QTRY_VERIFY(!w->isBusy());
    auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
    QStringList shown;
    for (int i = 0; i < tables->topLevelItemCount(); ++i)
        shown << tables->topLevelItem(i)->text(0);
    QCOMPARE(shown, (QStringList{QStringLiteral("Table 01"), QStringLiteral("Table 02"),
                                 QStringLiteral("Table 03"), QStringLiteral("Table 04"),
                                 QStringLiteral("Table 06"), QStringLiteral("Table 08"),
                                 QStringLiteral("Table 09"), QStringLiteral("Table 11")}));
}

void GrabberTest::missingLobbyIsReportedAndEndsThePass() {
    test::FakePlatform desktop;  // no lobby window at all
    auto w = makeWindow(&desktop);
    auto* refresh = w->findChild<QPushButton*>(QStringLiteral("pbRefresh"));
    QTest::mouseClick(refresh, Qt::LeftButton);
    QTRY_VERIFY(!w->isBusy());
    QCOMPARE(messages_.size(), std::size_t{1});
    QCOMPARE(messages_[0].title, QStringLiteral("Error1"));
    QCOMPARE(messages_[0].text, QStringLiteral("Everestclient not found or minimized"));
    QVERIFY(refresh->isEnabled());
    QVERIFY(!w->isBusy());
    QCOMPARE(w->findChild<QTreeWidget*>(QStringLiteral("tableList"))->topLevelItemCount(), 0);
}

void GrabberTest::menuTogglesWriteTheirKeys() {
    auto w = makeWindow(nullptr);
    QAction* useAgg = nullptr;
    QAction* checkUpdate = nullptr;
    for (QAction* a : w->findChildren<QAction*>()) {
        if (a->text() == QStringLiteral("Use Aggregator Database"))
            useAgg = a;
        if (a->text() == QStringLiteral("Check for Updates on Startup"))
            checkUpdate = a;
    }
    QVERIFY(useAgg && checkUpdate);
    QVERIFY(!useAgg->isChecked());
    QVERIFY(checkUpdate->isChecked());
    useAgg->trigger();
    checkUpdate->trigger();
    const SettingsStore store(SettingsStore::defaultPath());
    QCOMPARE(store.readInt("useagg", 0), 1);
    QCOMPARE(store.readInt("checkupdate", 1), 0);
}

QByteArray GrabberTest::int32s(std::initializer_list<qint32> values) {
    QByteArray bytes;
    for (qint32 v : values) {
        const auto u = static_cast<quint32>(v);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((u >> shift) & 0xffu));
    }
    return bytes;
}

void GrabberTest::writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray GrabberTest::readFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void GrabberTest::firstStartWithoutAnyFile() {
    {
        auto w = makeWindow(nullptr);
        QCOMPARE(w->size(), QSize(500, 400));
        QCOMPARE(w->pos(), QPoint(0, 0));
        auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
        QCOMPARE(tables->header()->sortIndicatorSection(), -1);
        const QByteArray log = readFile(QStringLiteral("log.txt"));
        QVERIFY(log.startsWith("1"));
        QVERIFY(log.contains("<32>"));
    }
    QVERIFY(readFile(QStringLiteral("log.txt")).endsWith("---->cleanup\n"));
}

void GrabberTest::windowConfRangeRules_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("tableSort");
    QTest::addColumn<int>("playerSort");
    QTest::addColumn<QSize>("size");
    QTest::newRow("all applied") << int32s({10, 12, 900, 700}) << 10 << 12 << QSize(900, 700);
    QTest::newRow("table column 11 ignored alone")
        << int32s({11, 3, 900, 700}) << -1 << 3 << QSize(900, 700);
    QTest::newRow("player column 13 ignored")
        << int32s({2, 13, 900, 700}) << 2 << -1 << QSize(900, 700);
    QTest::newRow("negative column ignored")
        << int32s({-1, 0, 900, 700}) << -1 << 0 << QSize(900, 700);
    QTest::newRow("width 3000 gives 500 x 400")
        << int32s({1, 2, 3000, 700}) << 1 << 2 << QSize(500, 400);
    QTest::newRow("too short for the size") << int32s({1, 2}) << 1 << 2 << QSize(800, 600);
}

void GrabberTest::windowConfRangeRules() {
    QFETCH(QByteArray, file);
    QFETCH(int, tableSort);
    QFETCH(int, playerSort);
    QFETCH(QSize, size);
    writeFile(QStringLiteral("Window.conf"), file);
    auto w = makeWindow(nullptr);
    auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
    auto* players = w->findChild<QTreeWidget*>(QStringLiteral("playerList"));
    QCOMPARE(tables->header()->sortIndicatorSection(), tableSort);
    QCOMPARE(players->header()->sortIndicatorSection(), playerSort);
    if (tableSort >= 0)
        QCOMPARE(tables->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(w->size(), size);
}

void GrabberTest::closingSavesGeometrySortingAndWidths() {
    {
        auto w = makeWindow(nullptr);
        w->resize(640, 480);
        w->findChild<QTreeWidget*>(QStringLiteral("tableList"))
            ->sortByColumn(4, Qt::AscendingOrder);
        w->findChild<QTreeWidget*>(QStringLiteral("wholePlayerList"))
            ->sortByColumn(6, Qt::AscendingOrder);
        w->findChild<QSpinBox*>(QStringLiteral("sbInterval"))->setValue(7);
    }
    QCOMPARE(readFile(QStringLiteral("Window.conf")), int32s({4, -1, 640, 480}));
    QCOMPARE(readFile(QStringLiteral("Window2.conf")), int32s({6, 1}));
    QCOMPARE(SettingsStore(SettingsStore::defaultPath()).readInt("scanint", 15), 7);
    const QByteArray columns = readFile(QStringLiteral("Column.conf"));
    QCOMPARE(columns.size(), 4 + 11 * 4 + 4 + 15 * 4);
    QCOMPARE(columns.left(4), int32s({11}));
    QCOMPARE(columns.mid(48, 4), int32s({15}));

    // The next start finds the window as it was left.
    auto again = makeWindow(nullptr);
    QCOMPARE(again->size(), QSize(640, 480));
    QCOMPARE(again->findChild<QTreeWidget*>(QStringLiteral("tableList"))
                 ->header()
                 ->sortIndicatorSection(),
             4);
    auto* whole = again->findChild<QTreeWidget*>(QStringLiteral("wholePlayerList"));
    QCOMPARE(whole->header()->sortIndicatorSection(), 6);
    QCOMPARE(whole->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(again->findChild<QSpinBox*>(QStringLiteral("sbInterval"))->value(), 7);
}

void GrabberTest::closingWhileMinimisedKeepsGeometry() {
    const QByteArray window = int32s({1, 2, 900, 700});
    writeFile(QStringLiteral("Window.conf"), window);
    writeFile(QStringLiteral("Window2.conf"), int32s({3, 0}));
    {
        auto w = makeWindow(nullptr);
        w->showMinimized();
        QTRY_VERIFY(w->isMinimized());
        w->findChild<QSpinBox*>(QStringLiteral("sbInterval"))->setValue(9);
    }
    QCOMPARE(readFile(QStringLiteral("Window.conf")), window);
    QCOMPARE(readFile(QStringLiteral("Window2.conf")), int32s({3, 0}));
    QCOMPARE(SettingsStore(SettingsStore::defaultPath()).readInt("scanint", 15), 15);
    QCOMPARE(readFile(QStringLiteral("Column.conf")).size(), 4 + 11 * 4 + 4 + 15 * 4);
}

void GrabberTest::columnWidthsGoToBothPlayerLists() {
    writeFile(QStringLiteral("Column.conf"), int32s({2, 150, 60}) + int32s({3, 40, 170, 55}));
    auto w = makeWindow(nullptr);
    auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
    auto* players = w->findChild<QTreeWidget*>(QStringLiteral("playerList"));
    auto* whole = w->findChild<QTreeWidget*>(QStringLiteral("wholePlayerList"));
    QCOMPARE(tables->header()->sectionSize(0), 150);
    QCOMPARE(tables->header()->sectionSize(1), 60);
    QCOMPARE(players->header()->sectionSize(1), 170);
    QCOMPARE(whole->header()->sectionSize(2), 170);
    QCOMPARE(whole->header()->sectionSize(3), 55);
}

QTEST_MAIN(GrabberTest)
#include "GrabberTest.moc"

void GrabberTest::optionsRunAt500AndTheWindowFollowsThemAfterwards() {
    auto w = makeWindow(nullptr);
    auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
    QVERIFY(!tables->isColumnHidden(0));
    QStringList entries;
    for (QAction* a : w->menuBar()->actions().first()->menu()->actions())
        entries << a->text();
    QVERIFY(!entries.contains(QStringLiteral("Profiles…")));

    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<TabDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->size(), QSize(500, 500));
        QCOMPARE(dialog->minimumWidth(), 500);
        // The Everest client is none of the datamining clients.
        QVERIFY(!dialog->openTab()->isEnabled());
        QVERIFY(!dialog->closeTab()->isEnabled());
        QVERIFY(!dialog->limitTab()->isEnabled());
        dialog->displayTab()->findChild<QCheckBox*>(QStringLiteral("dtname"))->setChecked(false);
        dialog->accept();
        checked = true;
    });
    w->slot_pbOptionen();
    QVERIFY(checked);
    QVERIFY(tables->isColumnHidden(0));
    QVERIFY(!w->session().settings().display.tableColumns[0]);
}
