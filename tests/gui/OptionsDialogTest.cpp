// The "Options" dialog through its own controls on the offscreen platform:
// what "OK" and "Cancel" write, and the "Databases" page against a real
// PostgreSQL server, its logins tested by a session's job as the window does.
#include "gui/options/TabDialog.h"

#include "LocalPort.h"
#include "PostgresServer.h"
#include "Session.h"
#include "SessionListener.h"
#include "TempDir.h"
#include "gui/options/DBTab.h"
#include "gui/options/DisplayTab.h"
#include "gui/options/GeneralTab.h"
#include "gui/options/ProfilTab.h"
#include "records/DatabaseList.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <map>
#include <memory>
#include <utility>

using namespace kestrova;
using test::le32;
using test::LocalPort;
using test::readBytes;
using test::writeBytes;

namespace {

constexpr auto kTimeout = std::chrono::milliseconds(1000);
const char* const kDatabase = "kt_options";

std::string counted(const std::string& text) {
    return le32({static_cast<std::int32_t>(text.size())}) + text;
}

// One record of "db.conf" as other programs write it (no port trailer).
std::string dbRecord(const std::string& host, const std::string& db, int kind, char marker) {
    return counted(host) + counted(db) + counted("me") + le32({kind}) + counted("pw") + marker;
}

}  // namespace

class OptionsDialogTest : public QObject, private SessionListener {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void okWithoutSettingsWritesEveryDefaultOfTheOptionGroups();
    void okWritesBackWhatThePagesHold();
    void cancelLeavesEveryFileAsItWas();
    void storedListLoadsInOrderWithItsMarkers();
    void anUnreachableStoredDatabaseKeepsItsRowAndRemovingTheFirstRowRewritesTheFiles();
    void findAsksForTheFileOfFileDatabasesOnly();
    void addDatabaseTestsTheLoginWithoutShowingThePassword();
    void anUnansweringServerCostsTheTimeOutWhileOnlyThePageWaits();

private:
    // SessionListener: the window's part, the test's answer to the open page.
    void showMessage(const Message& message) override {
        messages_ << QString::fromStdString(message.title + '|' + message.text);
    }
    void jobEvent(const JobEvent& event) override {
        if (const auto* tested = std::get_if<job_event::ConnectionsTested>(&event);
            tested && dialog_)
            dialog_->dbTab()->connectionsTested(tested->failures);
    }

    std::unique_ptr<TabDialog> makeDialog();
    template <typename T>
    T* child(QWidget* parent, const char* name) {
        T* widget = parent->findChild<T*>(QLatin1String(name));
        if (widget == nullptr)
            qFatal("no widget named %s", name);
        return widget;
    }
    QLineEdit* field(TabDialog& dialog, const char* name) {
        return child<QLineEdit>(dialog.dbTab(), name);
    }
    void click(QWidget* parent, const char* button) {
        QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
    }
    std::string ini() const { return readBytes(dir_->path() / "Velloran.ini"); }

    std::unique_ptr<test::TempDir> dir_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<Session> session_;
    QPointer<TabDialog> dialog_;
    QStringList messages_;
    QString directoryAnswer_;
    QStringList openFileQuestions_;
};

void OptionsDialogTest::initTestCase() {
    if (test::PostgresServer::available())
        test::PostgresServer::shared().createDatabase(kDatabase);
}

void OptionsDialogTest::cleanupTestCase() {}

void OptionsDialogTest::cleanup() {
    session_.reset();
}

void OptionsDialogTest::init() {
    dir_ = std::make_unique<test::TempDir>();
    store_ = std::make_unique<SettingsStore>(dir_->path() / "Velloran.ini");
    messages_.clear();
    openFileQuestions_.clear();
    qunsetenv("PGPORT");
}

std::unique_ptr<TabDialog> OptionsDialogTest::makeDialog() {
    // The window's session, over the files the test put in place.
    SessionServices sessionServices;
    sessionServices.post = [this](std::function<void()> work) {
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    };
    sessionServices.settingsFile = store_->path();
    sessionServices.workingDir = dir_->path();
    sessionServices.glyphs = GlyphTable{};
    sessionServices.headless = true;
    session_ = std::make_unique<Session>(std::move(sessionServices));
    session_->setListener(this);

    TabDialog::Services services;
    services.prompts.showMessage = [this](QWidget*, const Message& message) {
        messages_ << QString::fromStdString(message.title + '|' + message.text);
    };
    services.prompts.askDirectory = [this](QWidget*, const QString&) { return directoryAnswer_; };
    services.prompts.askOpenFile = [this](QWidget*, const QString& title, const QString& filter) {
        openFileQuestions_ << title + QLatin1Char('|') + filter;
        return QStringLiteral("/data/pm.fdb");
    };
    services.databases.testConnections = [this](std::vector<DatabaseEntry> entries,
                                                std::chrono::milliseconds timeout) {
        return session_->passes().jobs().testConnections(std::move(entries), timeout);
    };
    services.databases.connectTimeout = kTimeout;
    services.databases.stored = session_->databases();
    services.databases.storedProblem = session_->databaseProblem();
    services.saveDatabases = [this](const DatabaseList& list) { session_->saveDatabases(list); };
    services.save = [this](const AppSettings& edited, SettingsPart part) {
        session_->update(edited, {part});
    };
    auto dialog = std::make_unique<TabDialog>(session_->settings(), std::move(services));
    dialog_ = dialog.get();
    return dialog;
}

void OptionsDialogTest::okWithoutSettingsWritesEveryDefaultOfTheOptionGroups() {
    auto dialog = makeDialog();
    click(dialog.get(), "pbOk");
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(messages_.isEmpty());

    // The defaults as the user knows them, written out here so that a wrong
    // default in the key table shows; the table only says which keys to expect.
    // clang-format off
    std::map<std::string, std::string> expected{
        {"delay", "1000"}, {"suffix", "txt"}, {"observed", "0"}, {"add6max", "0"},
        {"realtime", "0"}, {"curLim", "0"}, {"dbcache", "1"}, {"cache", "1200"}, {"scan", "500"},
        {"hudLim", "1"}, {"adaptivewait", "0"}, {"open", "1"}, {"sixmax", "1"}, {"both", "0"},
        {"minplayer", "5"}, {"exc", "0"}, {"close", "1"}, {"mincloseplayer", "4"},
        {"closeHands", "0"}, {"closeHandsNumPlayer", "4"}, {"closeHandsCount", "500"},
        {"tdblclick", "0"}, {"excludeme", "0"}, {"profilhands", "100"}, {"profilme", ""},
        {"weakvpip", "35"}, {"priorvpip", "25"}, {"priorhands", "30"}, {"goodscore", "2.0"},
        {"historydays", "90"}, {"historydb", ""}};
    for (const char* shown :
         {"dtname", "dtlimit", "dtwl", "dtplayer", "dtavgpot", "dtavgvpip", "dtavgpfr", "dtavgaf",
          "dtavgwtsd", "dtreads", "dtbuddies", "dpseat", "dpname", "dpicon", "dpbuddy", "dpstack",
          "dphands", "dpwon", "dpvpip", "dppfr", "dpaf", "dpwtsd", "dpwonsd", "dpflopaf",
          "dpturnaf", "dpriveraf", "dpatts", "dpfoldsb", "dpfoldbb", "dpcbet", "dpweak", "cbPlayerList",
          "tdblclickopen"})
        expected[shown] = "1";
    // clang-format on
    for (const auto& [name, value] : expected)
        QVERIFY2(store_->readText(name, "<missing>", 100) == value, name.c_str());
    for (const SettingKey& key : allSettingKeys()) {
        const SettingGroup group = settingGroup(key);
        const std::string name(settingName(key));
        if (group != SettingGroup::MainWindow && group != SettingGroup::ScanFilter &&
            group != SettingGroup::PlayerFilter)
            QVERIFY2(expected.contains(name), name.c_str());
    }
    QCOMPARE(readBytes(dir_->path() / "c.conf"), le32({4}));
    QCOMPARE(readBytes(dir_->path() / "Close.conf"), le32({0, 0, 0}));
    QCOMPARE(readBytes(dir_->path() / "dir.conf"), le32({0, 0}));
    QVERIFY(DatabaseList::load(dir_->path()).empty());
}

void OptionsDialogTest::okWritesBackWhatThePagesHold() {
    // Values only a hand-edited file holds; the hidden pages keep them.
    writeBytes(dir_->path() / "Velloran.ini",
               "[Tallyhand]\nopen=0\nminplayer=20\nclose=0\ncloseHandsCount=77\ndelay=abc\n"
               "dtname=0\n");
    writeBytes(dir_->path() / "dir.conf", le32({1}) + counted("/somewhere"));
    writeBytes(dir_->path() / "Close.conf", le32({1, 3, 40}));
    auto dialog = makeDialog();
    QCOMPARE(child<QLineEdit>(dialog->generalTab(), "directory")->text(),
             QStringLiteral("/somewhere"));
    QVERIFY(!child<QCheckBox>(dialog->displayTab(), "dtname")->isChecked());

    // Cancelling the directory chooser empties the field.
    directoryAnswer_.clear();
    click(dialog->generalTab(), "pbSearch");
    QVERIFY(child<QLineEdit>(dialog->generalTab(), "directory")->text().isEmpty());
    child<QCheckBox>(dialog->displayTab(), "dpseat")->setChecked(false);
    // An own name the settings file cannot hold: the Profile tab's write fails, and says so.
    child<QLineEdit>(dialog->profilTab(), "profilme")->setText(QStringLiteral("two\nlines"));
    click(dialog.get(), "pbOk");
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].startsWith(QStringLiteral("Error|Could not write the settings file ") +
                                     QString::fromStdString(dir_->path() / "Velloran.ini")),
             qPrintable(messages_[0]));

    QCOMPARE(readBytes(dir_->path() / "dir.conf"), le32({1, 0}));
    const char* const expected[][2] = {
        {"open", "0"},    {"minplayer", "20"}, {"close", "0"}, {"closeHandsCount", "77"},
        {"delay", "abc"}, {"dtname", "0"},     {"dpseat", "0"}};
    for (const auto& [key, value] : expected)
        QVERIFY2(store_->readText(key, "", 10) == value, key);
    QCOMPARE(readBytes(dir_->path() / "Close.conf"), le32({1, 3, 40}));
}

void OptionsDialogTest::cancelLeavesEveryFileAsItWas() {
    writeBytes(dir_->path() / "Velloran.ini", "[Tallyhand]\ncache=300\n");
    writeBytes(dir_->path() / "dir.conf", le32({0}) + counted("/x"));
    writeBytes(dir_->path() / "db.conf", le32({1}) + dbRecord("h", "d", 6, '0'));
    auto dialog = makeDialog();
    // The scan history's file is its own thread's, written whatever the dialog does.
    const auto companionFiles = [this] {
        std::map<std::string, std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir_->path()))
            if (!entry.path().filename().string().starts_with("history.sqlite"))
                found[entry.path().filename().string()] = readBytes(entry.path());
        return found;
    };
    const std::map<std::string, std::string> files = companionFiles();

    child<QCheckBox>(dialog->generalTab(), "saveResult")->setChecked(true);
    child<QLineEdit>(dialog->generalTab(), "cache")->setText(QStringLiteral("999"));
    dialog->dbTab()->list()->topLevelItem(0)->setCheckState(6, Qt::Unchecked);
    click(dialog.get(), "pbCancel");
    QCOMPARE(dialog->result(), int(QDialog::Rejected));

    QVERIFY(companionFiles() == files);
}

void OptionsDialogTest::storedListLoadsInOrderWithItsMarkers() {
    // Kinds without a login test; any marker but "1" is active.
    writeBytes(dir_->path() / "db.conf", le32({3}) + dbRecord("a", "a.fdb", 1, '0') +
                                             dbRecord("b", "b", 2, 'x') +
                                             dbRecord("c", "c.mdb", 3, '1'));
    writeBytes(dir_->path() / "port1.conf", le32({3306}));
    auto dialog = makeDialog();
    QTreeWidget* list = dialog->dbTab()->list();
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("b"));
    QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("3306"));
    QCOMPARE(list->topLevelItem(2)->text(1), QStringLiteral("5432"));
    QCOMPARE(list->topLevelItem(1)->checkState(6), Qt::Checked);
    QCOMPARE(list->topLevelItem(2)->checkState(6), Qt::Unchecked);
    // The password is in no visible text.
    QVERIFY(list->isColumnHidden(5) && list->topLevelItem(0)->text(5).isEmpty());
    QVERIFY(messages_.isEmpty());
}

void OptionsDialogTest::
    anUnreachableStoredDatabaseKeepsItsRowAndRemovingTheFirstRowRewritesTheFiles() {
    const LocalPort closed(false);
    writeBytes(dir_->path() / "db.conf", le32({2}) + dbRecord("127.0.0.1", "e", 6, '0') +
                                             dbRecord("127.0.0.1", "pt3", 5, '0'));
    writeBytes(dir_->path() / "port0.conf", le32({7000}));
    writeBytes(dir_->path() / "port1.conf", le32({closed.port()}));
    {
        auto dialog = makeDialog();
        // The rows show at once; only the page waits for the logins.
        QTreeWidget* list = dialog->dbTab()->list();
        QCOMPARE(list->topLevelItemCount(), 2);
        QVERIFY(!dialog->dbTab()->isEnabled());
        QTRY_VERIFY(dialog->dbTab()->isEnabled());
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].startsWith(QStringLiteral("Error|Connection to database failed: ")));
        QVERIFY(!messages_[0].contains(QStringLiteral("pw")));
        QVERIFY(list->topLevelItem(0)->toolTip(0).isEmpty());
        QCOMPARE(list->topLevelItem(1)->toolTip(0),
                 QStringLiteral("No connection when the options opened"));
        click(dialog.get(), "pbOk");
        QCOMPARE(DatabaseList::load(dir_->path()).size(), std::size_t{2});
    }

    auto dialog = makeDialog();
    DBTab* page = dialog->dbTab();
    QTRY_VERIFY(page->isEnabled());
    QTreeWidget* list = page->list();
    page->Database_Clicked(list->topLevelItem(1), 0);
    page->Database_Clicked(list->topLevelItem(0), 0);
    QCOMPARE(list->topLevelItem(1)->background(0).color(), QColor(Qt::white));
    QCOMPARE(list->topLevelItem(0)->background(3).color(), QColor(Qt::red));
    QCOMPARE(field(*dialog, "port")->text(), QStringLiteral("7000"));
    QCOMPARE(field(*dialog, "password")->text(), QStringLiteral("pw"));
    QCOMPARE(child<QComboBox>(page, "kind")->currentIndex(), 6);
    click(page, "pbRemove");
    QCOMPARE(list->topLevelItemCount(), 1);
    QVERIFY(field(*dialog, "host")->text().isEmpty());
    QCOMPARE(child<QComboBox>(page, "kind")->currentIndex(), 0);
    click(dialog.get(), "pbOk");

    const DatabaseList saved = DatabaseList::load(dir_->path());
    QCOMPARE(saved.size(), std::size_t{1});
    QCOMPARE(saved.at(0).database, std::string("pt3"));
    QCOMPARE(readBytes(dir_->path() / "port0.conf"), le32({closed.port()}));
    // Left on disk for programs that never look past the count.
    QVERIFY(std::filesystem::exists(dir_->path() / "port1.conf"));
}

void OptionsDialogTest::findAsksForTheFileOfFileDatabasesOnly() {
    auto dialog = makeDialog();
    DBTab* page = dialog->dbTab();
    auto* find = child<QPushButton>(page, "pbFind");
    QVERIFY(!find->isEnabled());
    child<QComboBox>(page, "kind")->setCurrentIndex(1);
    QVERIFY(find->isEnabled());
    click(page, "pbFind");
    QCOMPARE(openFileQuestions_, QStringList{QStringLiteral("Choose a Database file|*.fdb")});
    QCOMPARE(field(*dialog, "database")->text(), QStringLiteral("/data/pm.fdb"));
    child<QComboBox>(page, "kind")->setCurrentIndex(5);
    QVERIFY(!find->isEnabled());
}

void OptionsDialogTest::addDatabaseTestsTheLoginWithoutShowingThePassword() {
    if (!test::PostgresServer::available())
        QSKIP("PostgreSQL server programs not installed");
    const test::PostgresServer& server = test::PostgresServer::shared();
    auto dialog = makeDialog();
    DBTab* page = dialog->dbTab();
    const auto fill = [&](int kind, const QString& port, const QString& password) {
        child<QComboBox>(page, "kind")->setCurrentIndex(kind);
        field(*dialog, "host")->setText(QStringLiteral("127.0.0.1"));
        field(*dialog, "port")->setText(port);
        field(*dialog, "database")->setText(QLatin1String(kDatabase));
        field(*dialog, "user")->setText(QStringLiteral("tracker"));
        field(*dialog, "password")->setText(password);
        click(page, "pbAdd");
        QTRY_VERIFY(page->isEnabled());
    };
    const QString port = QString::fromStdString(server.portText());
    const QString password = QString::fromLatin1(test::PostgresServer::kPassword);

    fill(5, port, QStringLiteral("wrong-secret"));
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].startsWith(QStringLiteral("Error|Connection to database failed: ")));
    QVERIFY(!messages_[0].contains(QStringLiteral("wrong-secret")));
    QCOMPARE(page->list()->topLevelItemCount(), 0);
    QCOMPARE(field(*dialog, "password")->text(), QStringLiteral("wrong-secret"));

    fill(5, port, password);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(page->list()->topLevelItemCount(), 1);
    QCOMPARE(page->list()->topLevelItem(0)->checkState(6), Qt::Checked);
    QVERIFY(field(*dialog, "host")->text().isEmpty());
    QVERIFY(field(*dialog, "password")->text().isEmpty());
    QCOMPARE(field(*dialog, "port")->text(), port);

    // Port 5432 is left out of the connection text, so libpq takes its own default.
    qputenv("PGPORT", port.toLatin1());
    fill(4, QStringLiteral("5432"), password);
    QCOMPARE(page->list()->topLevelItemCount(), 2);
    QCOMPARE(page->list()->topLevelItem(1)->checkState(6), Qt::Unchecked);
    QCOMPARE(page->list()->topLevelItem(1)->text(4), QStringLiteral("Holdem Manager"));
    // So is an empty password: the server asks for one.
    fill(0, port, QString());
    QCOMPARE(messages_.size(), 2);
    QVERIFY(messages_[1].contains(QStringLiteral("no password supplied")));

    click(dialog.get(), "pbOk");
    const DatabaseList saved = DatabaseList::load(dir_->path());
    QCOMPARE(saved.size(), std::size_t{2});
    QCOMPARE(saved.at(0).password, test::PostgresServer::kPassword);
    QCOMPARE(saved.at(1).port, std::string("5432"));
    QVERIFY(saved.at(0).active && !saved.at(1).active);
}

void OptionsDialogTest::anUnansweringServerCostsTheTimeOutWhileOnlyThePageWaits() {
    const LocalPort silent(true);
    auto dialog = makeDialog();
    DBTab* page = dialog->dbTab();
    child<QComboBox>(page, "kind")->setCurrentIndex(5);
    field(*dialog, "host")->setText(QStringLiteral("127.0.0.1"));
    field(*dialog, "port")->setText(QString::fromStdString(silent.text()));
    QElapsedTimer clock;
    clock.start();
    click(page, "pbAdd");
    // The click returns at once; the list takes no input until the answer is in.
    QVERIFY(clock.elapsed() < kTimeout.count());
    QVERIFY(!page->isEnabled());
    QVERIFY(child<QPushButton>(dialog.get(), "pbCancel")->isEnabled());
    click(page, "pbAdd");
    QTRY_VERIFY_WITH_TIMEOUT(page->isEnabled(), 4 * kTimeout.count());
    QVERIFY(clock.elapsed() < 4 * kTimeout.count());
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(page->list()->topLevelItemCount(), 0);
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
