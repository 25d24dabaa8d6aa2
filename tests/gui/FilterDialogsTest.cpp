// The scan and player filter dialogs: they show the session's filter, and only
// "Save" hands it back, which the session writes as the window has it do.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "RefusedWrites.h"
#include "Session.h"
#include "SessionListener.h"
#include "TempDir.h"
#include "gui/lists/PlayerFilterDialog.h"
#include "gui/lists/ScanFilterDialog.h"
#include "settings/SettingsStore.h"
#include "settings/StakesFile.h"

using namespace kestrova;
using test::readBytes;

namespace {

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QLatin1String(name));
    if (widget == nullptr)
        qFatal("no widget named %s", name);
    return widget;
}

void type(QWidget& parent, const char* name, const QString& text) {
    QLineEdit* edit = child<QLineEdit>(parent, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

}  // namespace

class FilterDialogsTest : public QObject, private SessionListener {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDir>();
        settings_ = std::make_unique<SettingsStore>(*dir_ / "Velloran.ini");
        messages_.clear();
    }
    void cleanup() { session_.reset(); }

    // The dialog shows the filter in memory, not the file; "Save" writes the keys
    // and, when stakes are chosen, the stakes file.
    void scanFilterShowsTheFilterAndSaveWritesKeysAndStakes() {
        StakesFile::write(dir_->path(), ClientKind::PokerStars, {"$2/$4"});
        Session& session = start();
        AppSettings settings = session.settings();
        TableFilterSettings& current = settings.scanFilter.table;
        current.playerCountActive = true;
        current.requiredPlayers = 7;
        current.vpip = {true, 12, 34};
        current.overallPfr = {true, 5, 9};
        current.minimumReads = 10;
        session.apply(settings);
        ScanFilterDialog dialog(session.settings().scanFilter);
        QVERIFY(child<QCheckBox>(dialog, "tfact")->isChecked());
        QCOMPARE(child<QComboBox>(dialog, "tfnum")->currentIndex(), 7);
        QCOMPARE(child<QLineEdit>(dialog, "tfvpipmin")->text(), QStringLiteral("12"));
        QCOMPARE(child<QLineEdit>(dialog, "ofpfrmax")->text(), QStringLiteral("9"));
        QCOMPARE(child<QComboBox>(dialog, "ofnum")->currentIndex(), 10);
        QListWidget* stakes = child<QListWidget>(dialog, "stakes");
        QCOMPARE(stakes->selectedItems().size(), 1);

        QSignalSpy saved(&dialog, &ScanFilterDialog::scanFilterSaved);
        child<QCheckBox>(dialog, "c_headsup")->setChecked(false);
        child<QComboBox>(dialog, "tfnum")->setCurrentIndex(0);
        child<QCheckBox>(dialog, "tfstack")->setChecked(true);
        type(dialog, "tfstackmax", QStringLiteral("1500"));
        // Letters and points never get in; digits do up to the width of the top bound.
        type(dialog, "tfvpipmax", QStringLiteral("1x2.53"));
        stakes->clearSelection();
        stakes->item(8)->setSelected(true);   // $1/$2
        stakes->item(11)->setSelected(true);  // $5/$10
        child<QPushButton>(dialog, "save")->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(save(dialog), std::string());
        const char* const expected[][2] = {
            {"c_headsup", "0"},     {"c_fullring", "1"},  {"tfnum", "0"},  {"tfvpipmin", "12"},
            {"tfstackmax", "1500"}, {"tfvpipmax", "125"}, {"ofnum", "10"}, {"tf_stakes", "1"}};
        for (const auto& [key, value] : expected)
            QVERIFY2(settings_->readText(key, "?", 10) == value, key);
        QCOMPARE(session.settings().scanFilter.table.stack.maximum, 1500);
        const std::string chosen = readBytes(*dir_ / "fstakes5");
        QCOMPARE(chosen, *StakesFile::toBytes({"$1/$2", "$5/$10"}));

        // Saving no stakes keeps the chosen ones, in the file and in the session.
        ScanFilterDialog again(session.settings().scanFilter);
        QCOMPARE(child<QListWidget>(again, "stakes")->selectedItems().size(), 2);
        child<QListWidget>(again, "stakes")->clearSelection();
        child<QPushButton>(again, "save")->click();
        QCOMPARE(save(again), std::string());
        QCOMPARE(readBytes(*dir_ / "fstakes5"), chosen);
        QCOMPARE(session.settings().scanFilter.stakes,
                 (std::vector<std::string>{"$1/$2", "$5/$10"}));
    }

    // Only "Save" writes: the "low_" keys, the top bound six digits wide.
    void playerFilterShowsTheFilterAndOnlySaveWrites() {
        Session& session = start();
        PlayerFilterSettings current;
        current.losersOnly = true;
        current.stack = {true, 20, 5000};
        const std::string before = readBytes(settings_->path());
        {
            PlayerFilterDialog dialog(current);
            child<QCheckBox>(dialog, "low_buddy")->setChecked(true);
            dialog.reject();
            QCOMPARE(readBytes(settings_->path()), before);
        }
        PlayerFilterDialog dialog(current);
        QVERIFY(child<QCheckBox>(dialog, "low_looser")->isChecked());
        QCOMPARE(child<QLineEdit>(dialog, "low_tfstackmax")->text(), QStringLiteral("5000"));
        QSignalSpy saved(&dialog, &PlayerFilterDialog::playerFilterSaved);
        child<QCheckBox>(dialog, "low_buddy")->setChecked(true);
        child<QCheckBox>(dialog, "low_tfvpip")->setChecked(true);
        type(dialog, "low_tfvpipmin", QStringLiteral("25"));
        type(dialog, "low_tfstackmax", QStringLiteral("9999999"));
        child<QPushButton>(dialog, "save")->click();
        QCOMPARE(saved.count(), 1);
        AppSettings edited = session.settings();
        edited.playerFilter = dialog.playerFilter();
        QCOMPARE(session.update(edited, {SettingsPart::PlayerFilter}), std::string());
        const char* const expected[][2] = {{"low_buddy", "1"},
                                           {"low_looser", "1"},
                                           {"low_tfvpipmin", "25"},
                                           {"low_tfstackmax", "999999"}};
        for (const auto& [key, value] : expected)
            QVERIFY2(settings_->readText(key, "?", 10) == value, key);
        QVERIFY(session.settings().playerFilter.buddiesOnly);
        QCOMPARE(session.settings().playerFilter.vpip, (FilterRange{true, 25, 100}));
    }

    // A disk that refuses the writes: the dialog still closes, the first
    // failure is told once, and the files stay as they were.
    void aRefusedSaveIsToldAndLeavesTheFiles() {
        settings_->writeText("c_headsup", "1");
        StakesFile::write(dir_->path(), ClientKind::PokerStars, {"$2/$4"});
        Session& session = start();
        const std::string ini = readBytes(settings_->path());
        const std::string stakes = readBytes(*dir_ / "fstakes5");
        const test::RefusedWrites full;

        ScanFilterDialog scan(session.settings().scanFilter);
        child<QCheckBox>(scan, "c_headsup")->setChecked(false);
        child<QListWidget>(scan, "stakes")->item(8)->setSelected(true);
        child<QPushButton>(scan, "save")->click();
        QCOMPARE(scan.result(), int(QDialog::Accepted));
        const std::string told = save(scan);
        QVERIFY2(told.starts_with("Could not write the settings file ") &&
                     told.ends_with("No space left on device"),
                 told.c_str());
        QCOMPARE(messages_, std::vector<std::string>{"Error|" + told});
        QCOMPARE(readBytes(settings_->path()), ini);
        QCOMPARE(readBytes(*dir_ / "fstakes5"), stakes);
    }

private:
    void showMessage(const Message& message) override {
        messages_.push_back(message.title + '|' + message.text);
    }
    Session& start() {
        SessionServices services;
        services.post = [](std::function<void()> work) { work(); };
        services.settingsFile = settings_->path();
        services.workingDir = dir_->path();
        services.glyphs = GlyphTable{};
        services.headless = true;
        session_ = std::make_unique<Session>(std::move(services));
        session_->setListener(this);
        return *session_;
    }
    // What the window does with "Save".
    std::string save(const ScanFilterDialog& dialog) {
        AppSettings edited = session_->settings();
        edited.scanFilter = dialog.edited();
        return session_->update(edited, {SettingsPart::ScanFilter});
    }

    std::unique_ptr<test::TempDir> dir_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<Session> session_;
    std::vector<std::string> messages_;
};

QTEST_MAIN(FilterDialogsTest)
#include "FilterDialogsTest.moc"
