// The scan and player filter dialogs: they show the filter in memory, and only
// "Save" writes the keys and the stakes file.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "RefusedWrites.h"
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

class FilterDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDir>();
        settings_ = std::make_unique<SettingsStore>(*dir_ / "Velloran.ini");
    }

    // The dialog shows the filter in memory, not the file; "Save" writes the keys
    // and, when stakes are chosen, the stakes file.
    void scanFilterShowsTheFilterAndSaveWritesKeysAndStakes() {
        settings_->writeText("tfvpipmin", "33");
        TableFilterSettings current;
        current.playerCountActive = true;
        current.requiredPlayers = 7;
        current.vpip = {true, 12, 34};
        current.overallPfr = {true, 5, 9};
        current.minimumReads = 10;
        ScanFilterDialog dialog(*settings_, dir_->path(), current, {"$2/$4"});
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
        const char* const expected[][2] = {
            {"c_headsup", "0"},     {"c_fullring", "1"},  {"tfnum", "0"},  {"tfvpipmin", "12"},
            {"tfstackmax", "1500"}, {"tfvpipmax", "125"}, {"ofnum", "10"}, {"tf_stakes", "1"}};
        for (const auto& [key, value] : expected)
            QVERIFY2(settings_->readText(key, "?", 10) == value, key);
        QCOMPARE(dialog.tableFilter().stack.maximum, 1500);
        const std::string chosen = readBytes(*dir_ / "fstakes5");
        QCOMPARE(chosen, *StakesFile::toBytes({"$1/$2", "$5/$10"}));

        ScanFilterDialog again(*settings_, dir_->path(), dialog.tableFilter(), {"$2/$4"});
        child<QListWidget>(again, "stakes")->clearSelection();
        child<QPushButton>(again, "save")->click();
        QCOMPARE(readBytes(*dir_ / "fstakes5"), chosen);
        QVERIFY(again.selectedStakes().empty());
    }

    // Only "Save" writes: the "low_" keys, the top bound six digits wide.
    void playerFilterShowsTheFilterAndOnlySaveWrites() {
        PlayerFilterSettings current;
        current.losersOnly = true;
        current.stack = {true, 20, 5000};
        {
            PlayerFilterDialog dialog(*settings_, current);
            child<QCheckBox>(dialog, "low_buddy")->setChecked(true);
            dialog.reject();
            QVERIFY(!std::filesystem::exists(settings_->path()));
        }
        PlayerFilterDialog dialog(*settings_, current);
        QVERIFY(child<QCheckBox>(dialog, "low_looser")->isChecked());
        QCOMPARE(child<QLineEdit>(dialog, "low_tfstackmax")->text(), QStringLiteral("5000"));
        QSignalSpy saved(&dialog, &PlayerFilterDialog::playerFilterSaved);
        child<QCheckBox>(dialog, "low_buddy")->setChecked(true);
        child<QCheckBox>(dialog, "low_tfvpip")->setChecked(true);
        type(dialog, "low_tfvpipmin", QStringLiteral("25"));
        type(dialog, "low_tfstackmax", QStringLiteral("9999999"));
        child<QPushButton>(dialog, "save")->click();
        QCOMPARE(saved.count(), 1);
        const char* const expected[][2] = {{"low_buddy", "1"},
                                           {"low_looser", "1"},
                                           {"low_tfvpipmin", "25"},
                                           {"low_tfstackmax", "999999"}};
        for (const auto& [key, value] : expected)
            QVERIFY2(settings_->readText(key, "?", 10) == value, key);
        QVERIFY(dialog.playerFilter().buddiesOnly);
        QCOMPARE(dialog.playerFilter().vpip, (FilterRange{true, 25, 100}));
    }

    // A disk that refuses the writes: both dialogs still close and tell the
    // first failure once; the files stay as they were.
    void aRefusedSaveIsToldAndLeavesTheFiles() {
        settings_->writeText("c_headsup", "1");
        StakesFile::write(dir_->path(), 5, {"$2/$4"});
        const std::string ini = readBytes(settings_->path());
        const std::string stakes = readBytes(*dir_ / "fstakes5");
        const test::RefusedWrites full;

        ScanFilterDialog scan(*settings_, dir_->path(), TableFilterSettings{}, {"$1/$2"});
        QSignalSpy scanFailed(&scan, &ScanFilterDialog::saveFailed);
        child<QCheckBox>(scan, "c_headsup")->setChecked(false);
        child<QPushButton>(scan, "save")->click();
        QCOMPARE(scan.result(), int(QDialog::Accepted));
        QCOMPARE(scanFailed.count(), 1);
        const QString told = scanFailed.at(0).at(0).toString();
        QVERIFY2(told.startsWith(QStringLiteral("Could not write the settings file ")) &&
                     told.endsWith(QStringLiteral("No space left on device")),
                 qPrintable(told));

        PlayerFilterDialog player(*settings_, PlayerFilterSettings{});
        QSignalSpy playerFailed(&player, &PlayerFilterDialog::saveFailed);
        child<QPushButton>(player, "save")->click();
        QCOMPARE(playerFailed.count(), 1);
        QCOMPARE(readBytes(settings_->path()), ini);
        QCOMPARE(readBytes(*dir_ / "fstakes5"), stakes);
    }

private:
    std::unique_ptr<test::TempDir> dir_;
    std::unique_ptr<SettingsStore> settings_;
};

QTEST_MAIN(FilterDialogsTest)
#include "FilterDialogsTest.moc"
