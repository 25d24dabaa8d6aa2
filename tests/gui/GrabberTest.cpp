#include "grabber.h"

#include "FakePlatform.h"
#include "SimLobbies.h"
#include "common/Clock.h"
#include "sim/SimulatedClient.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace kestrova;

namespace {

// Waits without sleeping and notes whether the scan buttons were disabled meanwhile.
class WatchingClock final : public Clock {
public:
    std::function<void()> onSleep;
    void sleepMs(int) override
    {
        if (onSleep)
            onSleep();
    }
};

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
    void getTableListHonoursTheSizeFilter();
    void missingLobbyIsReportedAndEndsThePass();
    void menuTogglesWriteTheirKeys();

private:
    std::unique_ptr<grabber> makeWindow(ClientPlatform* platform);
    QString iniPath() const { return dir_->path() + QStringLiteral("/config/kestrova/Velloran.ini"); }
    void writeIni(const QByteArray& text);

    std::unique_ptr<QTemporaryDir> dir_;
    QString oldCwd_;
    WatchingClock clock_;
    std::vector<Message> messages_;
};

void GrabberTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    oldCwd_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    qputenv("XDG_CONFIG_HOME", (dir_->path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR);
    messages_.clear();
    clock_.onSleep = nullptr;
}

void GrabberTest::cleanup()
{
    QDir::setCurrent(oldCwd_);
    dir_.reset();
}

void GrabberTest::writeIni(const QByteArray& text)
{
    QDir().mkpath(QFileInfo(iniPath()).path());
    QFile f(iniPath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

std::unique_ptr<grabber> GrabberTest::makeWindow(ClientPlatform* platform)
{
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

void GrabberTest::constructionBuildsTheWindowAsUsersKnowIt()
{
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
                                 QStringLiteral("Update"), QStringLiteral("PT3 Aggregator")}));
    // Start-up always selects the Everest client.
    QCOMPARE(SettingsStore(SettingsStore::defaultPath()).readInt("form", 0), 5);
}

void GrabberTest::getTableListFillsTheListAndReenablesControls()
{
    sim::SimulatedClient client(test::makeLobby(30));
    auto w = makeWindow(&client);
    auto* refresh = w->findChild<QPushButton*>(QStringLiteral("pbRefresh"));
    auto* scan = w->findChild<QPushButton*>(QStringLiteral("pbScan"));
    auto* fullScan = w->findChild<QPushButton*>(QStringLiteral("pbFullScan"));
    bool disabledDuringPass = true;
    bool busyDuringPass = true;
    clock_.onSleep = [&] {
        disabledDuringPass = disabledDuringPass && !refresh->isEnabled() && !scan->isEnabled() &&
                             !fullScan->isEnabled();
        busyDuringPass = busyDuringPass && w->isBusy();
    };

    QTest::mouseClick(refresh, Qt::LeftButton);

    QVERIFY(messages_.empty());
    QVERIFY(disabledDuringPass);
    QVERIFY(busyDuringPass);
    QVERIFY(refresh->isEnabled() && scan->isEnabled() && fullScan->isEnabled());
    QVERIFY(!w->isBusy());

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

void GrabberTest::getTableListHonoursTheSizeFilter()
{
    writeIni("[Tallyhand]\r\nc_sixmax=0\r\n");
    sim::SimulatedClient client(test::makeLobby(12));
    auto w = makeWindow(&client);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("pbRefresh")), Qt::LeftButton);
    auto* tables = w->findChild<QTreeWidget*>(QStringLiteral("tableList"));
    QStringList shown;
    for (int i = 0; i < tables->topLevelItemCount(); ++i)
        shown << tables->topLevelItem(i)->text(0);
    QCOMPARE(shown, (QStringList{QStringLiteral("Table 01"), QStringLiteral("Table 02"),
                                 QStringLiteral("Table 03"), QStringLiteral("Table 04"),
                                 QStringLiteral("Table 06"), QStringLiteral("Table 08"),
                                 QStringLiteral("Table 09"), QStringLiteral("Table 11")}));
}

void GrabberTest::missingLobbyIsReportedAndEndsThePass()
{
    test::FakePlatform desktop;  // no lobby window at all
    auto w = makeWindow(&desktop);
    auto* refresh = w->findChild<QPushButton*>(QStringLiteral("pbRefresh"));
    QTest::mouseClick(refresh, Qt::LeftButton);
    QCOMPARE(messages_.size(), std::size_t{1});
    QCOMPARE(messages_[0].title, QStringLiteral("Error1"));
    QCOMPARE(messages_[0].text, QStringLiteral("Everestclient not found or minimized"));
    QVERIFY(refresh->isEnabled());
    QVERIFY(!w->isBusy());
    QCOMPARE(w->findChild<QTreeWidget*>(QStringLiteral("tableList"))->topLevelItemCount(), 0);
}

void GrabberTest::menuTogglesWriteTheirKeys()
{
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

QTEST_MAIN(GrabberTest)
#include "GrabberTest.moc"
