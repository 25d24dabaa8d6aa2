#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "PlayerFilterDialog.h"
#include "ScanFilterDialog.h"
#include "settings/SettingsStore.h"
#include "settings/StakesFile.h"

using kestrova::PlayerFilterSettings;
using kestrova::SettingsStore;
using kestrova::TableFilterSettings;

namespace {

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QLatin1String(name));
    if (widget == nullptr) {
        qFatal("no widget named %s", name);
    }
    return widget;
}

QStringList texts(QWidget& parent) {
    QStringList result;
    for (auto* box : parent.findChildren<QCheckBox*>()) {
        result << box->text();
    }
    for (auto* label : parent.findChildren<QLabel*>()) {
        result << label->text();
    }
    return result;
}

}  // namespace

class FilterDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        path_ = std::filesystem::path(dir_->path().toStdString());
        settings_ = std::make_unique<SettingsStore>(path_ / "Velloran.ini");
    }

    void scanFilterShowsItsDefaultsWithoutSettings() {
        ScanFilterDialog dialog(*settings_, path_, TableFilterSettings{}, {});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Scanfilter"));
        for (const char* key : {"c_fullring", "c_sixmax", "c_headsup", "Lim", "NLim", "PLim"}) {
            QVERIFY2(child<QCheckBox>(dialog, key)->isChecked(), key);
        }
        QVERIFY(!child<QCheckBox>(dialog, "fpc")->isChecked());
        QVERIFY(child<QCheckBox>(dialog, "fpc")->isHidden());
        QVERIFY(child<QCheckBox>(dialog, "tf_stakes")->isHidden());
        QVERIFY(child<QListWidget>(dialog, "stakes")->isHidden());
        QCOMPARE(child<QLineEdit>(dialog, "fpcmin")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(dialog, "fpcmax")->text(), QStringLiteral("10"));
        QCOMPARE(child<QComboBox>(dialog, "tfnum")->currentIndex(), 2);
        QCOMPARE(child<QComboBox>(dialog, "tfnum")->count(), 11);
        QCOMPARE(child<QComboBox>(dialog, "ofnum")->currentIndex(), 3);
        QCOMPARE(child<QLineEdit>(dialog, "tfstackmax")->text(), QStringLiteral("200"));
        QCOMPARE(child<QListWidget>(dialog, "stakes")->count(), 21);
        const QStringList shown = texts(dialog);
        for (const char* text :
             {"Scan Fullring tables", "Scan 6-Max tables", "Scan Heads Up tables",
              "Scan Limit tables", "Scan No Limit tables", "Scan Pot Limit tables",
              "Number of player between", "Active", "Player with :", "VPIP between ",
              "PFR between ", "AF between ", "Stack between (BB)", "Overall Losing Player",
              "Overall VPIP between", "Overall PFR between", "Minimum number of reads",
              "Selected stakes:", " - "}) {
            QVERIFY2(shown.contains(QLatin1String(text)), text);
        }
    }

    void scanFilterGroupsShowTheFilterInMemory() {
        settings_->writeText("tfvpipmin", "33");  // the groups ignore the file
        TableFilterSettings current;
        current.playerCountActive = true;
        current.requiredPlayers = 7;
        current.vpip = {true, 12, 34};
        current.overallPfr = {true, 5, 9};
        current.minimumReads = 10;
        ScanFilterDialog dialog(*settings_, path_, current, {"$1/$2", "$5/$10"});
        QVERIFY(child<QCheckBox>(dialog, "tfact")->isChecked());
        QCOMPARE(child<QComboBox>(dialog, "tfnum")->currentIndex(), 7);
        QVERIFY(child<QCheckBox>(dialog, "tfvpip")->isChecked());
        QCOMPARE(child<QLineEdit>(dialog, "tfvpipmin")->text(), QStringLiteral("12"));
        QCOMPARE(child<QLineEdit>(dialog, "ofpfrmax")->text(), QStringLiteral("9"));
        QCOMPARE(child<QComboBox>(dialog, "ofnum")->currentIndex(), 10);
        const auto selected = child<QListWidget>(dialog, "stakes")->selectedItems();
        QCOMPARE(selected.size(), 2);
    }

    void scanFilterSaveWritesEveryKeyAndTheStakesFile() {
        ScanFilterDialog dialog(*settings_, path_, TableFilterSettings{}, {});
        QSignalSpy saved(&dialog, &ScanFilterDialog::scanFilterSaved);
        child<QCheckBox>(dialog, "c_headsup")->setChecked(false);
        child<QCheckBox>(dialog, "tfact")->setChecked(true);
        child<QComboBox>(dialog, "tfnum")->setCurrentIndex(0);
        child<QCheckBox>(dialog, "tfstack")->setChecked(true);
        QLineEdit* stackMax = child<QLineEdit>(dialog, "tfstackmax");
        stackMax->clear();
        QTest::keyClicks(stackMax, QStringLiteral("1500"));
        child<QCheckBox>(dialog, "ofreads")->setChecked(true);
        child<QComboBox>(dialog, "ofnum")->setCurrentIndex(5);
        QListWidget* stakes = child<QListWidget>(dialog, "stakes");
        stakes->item(8)->setSelected(true);   // $1/$2
        stakes->item(11)->setSelected(true);  // $5/$10
        child<QPushButton>(dialog, "save")->click();

        QCOMPARE(saved.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SettingsStore& s = *settings_;
        QCOMPARE(s.readText("c_headsup", "?", 10), std::string("0"));
        QCOMPARE(s.readText("c_fullring", "?", 10), std::string("1"));
        QCOMPARE(s.readText("Lim", "?", 10), std::string("1"));
        QCOMPARE(s.readText("fpc", "?", 10), std::string("0"));
        QCOMPARE(s.readText("fpcmax", "?", 10), std::string("10"));
        QCOMPARE(s.readText("tfact", "?", 10), std::string("1"));
        QCOMPARE(s.readText("tfnum", "?", 10), std::string("0"));
        QCOMPARE(s.readText("tfstack", "?", 10), std::string("1"));
        QCOMPARE(s.readText("tfstackmax", "?", 10), std::string("1500"));
        QCOMPARE(s.readText("tfvpipmax", "?", 10), std::string("100"));
        QCOMPARE(s.readText("ofreads", "?", 10), std::string("1"));
        QCOMPARE(s.readText("ofnum", "?", 10), std::string("5"));
        QCOMPARE(s.readText("tf_stakes", "?", 10), std::string("1"));
        QCOMPARE(dialog.tableFilter().stack.maximum, 1500);
        QVERIFY(dialog.tableFilter().playerCountActive);
        QCOMPARE(dialog.tableFilter().requiredPlayers, 0);
        QCOMPARE(dialog.selectedStakes(), (std::vector<std::string>{"$1/$2", "$5/$10"}));
        QCOMPARE(fileBytes(path_ / "fstakes5"),
                 *kestrova::StakesFile::toBytes({"$1/$2", "$5/$10"}));
    }

    void scanFilterSaveWithoutStakesKeepsTheFile() {
        kestrova::StakesFile::write(path_, 5, {"$2/$4"});
        const std::string before = fileBytes(path_ / "fstakes5");
        ScanFilterDialog dialog(*settings_, path_, TableFilterSettings{}, {"$2/$4"});
        child<QListWidget>(dialog, "stakes")->clearSelection();
        child<QPushButton>(dialog, "save")->click();
        QCOMPARE(fileBytes(path_ / "fstakes5"), before);
        QVERIFY(dialog.selectedStakes().empty());
    }

    void scanFilterBoundsAcceptWholeNumbersOnly() {
        ScanFilterDialog dialog(*settings_, path_, TableFilterSettings{}, {});
        QLineEdit* vpipMax = child<QLineEdit>(dialog, "tfvpipmax");
        vpipMax->clear();
        // Letters and points never get in; digits do up to the width of the top bound.
        QTest::keyClicks(vpipMax, QStringLiteral("1x2.53"));
        QCOMPARE(vpipMax->text(), QStringLiteral("125"));
        QCOMPARE(vpipMax->width(), 50);
        QCOMPARE(child<QLineEdit>(dialog, "fpcmin")->maxLength(), 3);
    }

    void playerFilterShowsTheFilterAndSavesTheLowKeys() {
        PlayerFilterSettings current;
        current.losersOnly = true;
        current.stack = {true, 20, 5000};
        PlayerFilterDialog dialog(*settings_, current);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Playerfilter"));
        const QStringList shown = texts(dialog);
        for (const char* text : {"Is on Buddylist", "Overall Losing Player", "VPIP between ",
                                 "PFR between ", "AF between ", "Stack between (BB)"}) {
            QVERIFY2(shown.contains(QLatin1String(text)), text);
        }
        QVERIFY(child<QCheckBox>(dialog, "low_looser")->isChecked());
        QVERIFY(!child<QCheckBox>(dialog, "low_buddy")->isChecked());
        QCOMPARE(child<QLineEdit>(dialog, "low_tfstackmax")->text(), QStringLiteral("5000"));
        QCOMPARE(child<QLineEdit>(dialog, "low_tfpfrmax")->text(), QStringLiteral("10"));

        QSignalSpy saved(&dialog, &PlayerFilterDialog::playerFilterSaved);
        child<QCheckBox>(dialog, "low_buddy")->setChecked(true);
        child<QCheckBox>(dialog, "low_tfvpip")->setChecked(true);
        QLineEdit* vpipMin = child<QLineEdit>(dialog, "low_tfvpipmin");
        vpipMin->clear();
        QTest::keyClicks(vpipMin, QStringLiteral("25"));
        QLineEdit* stackMax = child<QLineEdit>(dialog, "low_tfstackmax");
        stackMax->clear();
        QTest::keyClicks(stackMax, QStringLiteral("9999999"));  // six digits at most
        child<QPushButton>(dialog, "save")->click();

        QCOMPARE(saved.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SettingsStore& s = *settings_;
        QCOMPARE(s.readText("low_buddy", "?", 10), std::string("1"));
        QCOMPARE(s.readText("low_looser", "?", 10), std::string("1"));
        QCOMPARE(s.readText("low_tfvpip", "?", 10), std::string("1"));
        QCOMPARE(s.readText("low_tfvpipmin", "?", 10), std::string("25"));
        QCOMPARE(s.readText("low_tfvpipmax", "?", 10), std::string("100"));
        QCOMPARE(s.readText("low_tfstackmax", "?", 10), std::string("999999"));
        QCOMPARE(s.readText("low_tfaf", "?", 10), std::string("0"));
        QVERIFY(dialog.playerFilter().buddiesOnly);
        QCOMPARE(dialog.playerFilter().vpip, (kestrova::FilterRange{true, 25, 100}));
    }

    void closingWithoutSaveWritesNothing() {
        PlayerFilterDialog dialog(*settings_, PlayerFilterSettings{});
        child<QCheckBox>(dialog, "low_buddy")->setChecked(true);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.reject();
        QCOMPARE(finished.count(), 1);
        QVERIFY(!std::filesystem::exists(path_ / "Velloran.ini"));
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::filesystem::path path_;
    std::unique_ptr<SettingsStore> settings_;
};

QTEST_MAIN(FilterDialogsTest)
#include "FilterDialogsTest.moc"
