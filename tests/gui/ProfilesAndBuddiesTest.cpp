// The profile page, the buddy window and boxes, and the import dialog: what the
// widgets do with the files and the prompts. Reading and rating are the core's.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "BuddyBook.h"
#include "TempDir.h"
#include "gui/buddies/BuddyListWindow.h"
#include "gui/buddies/ImportPlayersDialog.h"
#include "gui/options/ProfilTab.h"
#include "gui/options/ProfileRangeDialog.h"
#include "rating/BuddyList.h"

using namespace kestrova;
using test::le32;
using test::readBytes;
using test::writeBytes;

namespace {

using Names = std::vector<std::string>;

std::string counted(const std::string& text) {
    return le32({static_cast<std::int32_t>(text.size())}) + text;
}

std::string profileRow(const std::string& minimum, const std::string& maximum, int r, int g,
                       int b) {
    return counted(minimum) + counted(maximum) + le32({r, g, b});
}

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QLatin1String(name));
    if (widget == nullptr)
        qFatal("no widget named %s", name);
    return widget;
}

Names reloaded(const std::filesystem::path& dir) {
    BuddyList buddies(dir);
    buddies.loadBuddies();
    return buddies.names();
}

// Every box the code under test shows, answered at once.
struct PromptLog {
    QStringList messages;  // "title|text"
    std::optional<QString> textAnswer;
    QString openAnswer;
    QColor colourAnswer;
    bool yesAnswer = false;
    QStringList questions;  // "title|text"

    UserPrompts prompts() {
        UserPrompts p;
        p.showMessage = [this](QWidget*, const Message& message) {
            messages << QString::fromStdString(message.title + '|' + message.text);
        };
        p.askText = [this](QWidget*, const QString&, const QString&) { return textAnswer; };
        p.askOpenFile = [this](QWidget*, const QString&, const QString&) { return openAnswer; };
        p.askSaveFile = [](QWidget*, const QString&, const QString&) { return QString(); };
        p.askColour = [this](QWidget*, const QColor&) { return colourAnswer; };
        p.askYesNo = [this](QWidget*, const QString& title, const QString& text) {
            questions << title + QLatin1Char('|') + text;
            return yesAnswer;
        };
        return p;
    }
};

}  // namespace

// Profiles saved straight to their files, as the session does.
ProfilTab::SaveProfile savesTo(const std::filesystem::path& directory) {
    return [directory](ProfileStat stat, const StatProfile& profile) {
        return StatProfile::save(directory, stat, profile);
    };
}

class ProfilesAndBuddiesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDir>();
        path_ = dir_->path();
        log_ = PromptLog();
    }

    // Incomplete numbers keep the range dialog open and say which bound is wrong;
    // a cancelled colour chooser leaves a new row white; only "Save" writes.
    void newRowsAreCheckedAndWrittenOnlyBySave() {
        ProfilTab tab(ColourRanges::load(path_), savesTo(path_), log_.prompts());
        bool checked = false;
        QTimer::singleShot(0, &tab, [&] {
            ProfileRangeDialog* dialog = tab.rangeDialog();
            QVERIFY(dialog != nullptr);
            QTest::keyClicks(dialog->minimumEdit(), QStringLiteral("1x2.345"));
            QCOMPARE(dialog->minimumText(), QStringLiteral("12.34"));
            dialog->confirmButton()->click();  // "Max." empty
            QVERIFY(dialog->isVisible());
            QCOMPARE(log_.messages.size(), 1);
            QVERIFY(log_.messages.last().startsWith(QStringLiteral("Error|Max. must be a number")));
            QTest::keyClicks(dialog->maximumEdit(), QStringLiteral("900001"));
            dialog->confirmButton()->click();  // above 900000
            QVERIFY(dialog->isVisible());
            checked = true;
            dialog->cancelButton()->click();
        });
        tab.slot_New();
        QVERIFY(checked);
        QCOMPARE(child<QTreeWidget>(tab, "ranges")->topLevelItemCount(), 0);

        QSignalSpy saved(&tab, &ProfilTab::profileSaved);
        addRange(tab, "0", "20", QColor(0, 255, 0));
        addRange(tab, "15", "30", QColor());
        QVERIFY(!std::filesystem::exists(path_ / "VPIP"));
        child<QPushButton>(tab, "pbSave")->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(readBytes(path_ / "VPIP"), le32({2}) + profileRow("0", "20", 0, 255, 0) +
                                                profileRow("15", "30", 255, 255, 255));
    }

    void clickSelectsTheRowThatEditAndDeleteChange() {
        const std::string rows =
            profileRow("0", "20", 0, 255, 0) + profileRow("15", "30", 255, 0, 0);
        writeBytes(path_ / "WTSD", le32({2}) + rows);
        writeBytes(path_ / "PFR", le32({2}) + rows);
        ProfilTab tab(ColourRanges::load(path_), savesTo(path_), log_.prompts());
        QSignalSpy saved(&tab, &ProfilTab::profileSaved);
        child<QComboBox>(tab, "statChoice")->setCurrentText(QStringLiteral("WTSD"));
        auto* ranges = child<QTreeWidget>(tab, "ranges");
        tab.slot_Edit();  // nothing selected: nothing happens
        tab.slot_Delete();
        QCOMPARE(ranges->topLevelItemCount(), 2);

        QTreeWidgetItem* first = ranges->topLevelItem(0);
        QTreeWidgetItem* second = ranges->topLevelItem(1);
        tab.t_Clicked(first, 0);
        tab.t_Clicked(second, 1);
        QCOMPARE(first->background(0).color(), QColor(Qt::white));
        QCOMPARE(second->background(1).color(), QColor(Qt::red));

        // "Edit" changes the row on the page; only "Save" or "Delete" write.
        log_.colourAnswer = QColor(0, 0, 255);
        QTimer::singleShot(0, &tab, [&] {
            ProfileRangeDialog* dialog = tab.rangeDialog();
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->minimumText(), QStringLiteral("15"));
            dialog->maximumEdit()->setText(QStringLiteral("35.5"));
            dialog->colourButton()->click();
            dialog->confirmButton()->click();
        });
        tab.slot_Edit();
        QCOMPARE(second->text(1), QStringLiteral("35.5"));
        QCOMPARE(readBytes(path_ / "WTSD"), le32({2}) + rows);

        tab.t_Clicked(first, 0);
        child<QPushButton>(tab, "pbDelete")->click();
        QCOMPARE(readBytes(path_ / "WTSD"), le32({1}) + profileRow("15", "35.5", 0, 0, 255));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.at(0).at(0).value<ProfileStat>(), ProfileStat::Wtsd);
        QVERIFY(tab.selectedRow() == nullptr);

        // A row selected on one statistic is forgotten when another is shown.
        tab.t_Clicked(ranges->topLevelItem(0), 0);
        child<QComboBox>(tab, "statChoice")->setCurrentText(QStringLiteral("PFR"));
        tab.slot_Delete();
        QCOMPARE(readBytes(path_ / "PFR"), le32({2}) + rows);
    }

    // What the disk refuses is told, and nothing is lost in memory.
    void buddyWindowSortsAndRemovesEverySelectedBuddy() {
        BuddyList buddies(path_);
        for (const char* name : {"zed", "Alpha", "mike", "Bob"})
            buddies.addBuddy(name, false);
        BuddyBook book(buddies);
        BuddyListWindow window(book, log_.prompts());
        QSignalSpy changed(&window, &BuddyListWindow::buddiesChanged);
        QListWidget* list = window.list();
        QCOMPARE(list->item(0)->text(), QStringLiteral("Alpha"));
        QCOMPARE(list->item(3)->text(), QStringLiteral("zed"));
        list->item(0)->setSelected(true);
        list->item(3)->setSelected(true);
        child<QPushButton>(window, "pbRemove")->click();
        QCOMPARE(list->count(), 2);
        QCOMPARE(reloaded(path_), (Names{"mike", "Bob"}));
        QCOMPARE(changed.count(), 1);
        QVERIFY(log_.messages.isEmpty());

        std::filesystem::remove_all(path_);
        list->item(0)->setSelected(true);
        window.slot_RemoveSel();
        QCOMPARE(log_.messages, QStringList{QStringLiteral("Error|Unable to save mofofish")});
        QCOMPARE(buddies.names(), Names{"mike"});
        log_.textAnswer = QStringLiteral("d");
        QVERIFY(addBuddyInteractively(nullptr, book, log_.prompts()));
        QCOMPARE(log_.messages.size(), 2);
        QCOMPARE(buddies.names(), (Names{"mike", "d"}));
    }

    // A damaged file is rewritten with the names that could be read only
    // after the user agrees; until then every change is refused on disk.
    void damagedBuddyFileIsRepairedOnlyWhenTheUserAgrees() {
        const std::string damaged = std::string("\x03\0\0\0\x03\0\0\0abc\x09\0\0\0de", 17);
        writeBytes(path_ / "mofofish", damaged);
        BuddyList buddies(path_);
        QCOMPARE(buddies.loadBuddies(), BuddyList::LoadResult::ReadError);
        BuddyBook book(buddies);
        log_.textAnswer = QStringLiteral("Kat");
        QVERIFY(addBuddyInteractively(nullptr, book, log_.prompts()));
        QCOMPARE(log_.questions.size(), 1);
        QVERIFY(log_.questions[0].contains(QStringLiteral("entry 2 of 3")));
        QVERIFY(log_.questions[0].contains(QStringLiteral("with the 2 names")));
        QCOMPARE(log_.messages, QStringList{QStringLiteral("Error|Unable to save mofofish")});
        QCOMPARE(readBytes(path_ / "mofofish"), damaged);

        log_.yesAnswer = true;
        log_.textAnswer = QStringLiteral("Bo");
        QVERIFY(addBuddyInteractively(nullptr, book, log_.prompts()));
        QCOMPARE(log_.questions.size(), 2);
        QCOMPARE(log_.messages.size(), 1);
        QCOMPARE(reloaded(path_), (Names{"abc", "Kat", "Bo"}));
        log_.textAnswer = QStringLiteral("Cy");
        QVERIFY(addBuddyInteractively(nullptr, book, log_.prompts()));
        QCOMPARE(log_.questions.size(), 2);
    }

    // The remark comes first; without a chosen file nothing changes.
    void csvImportTellsTheFormatThenTheCount() {
        BuddyList buddies(path_);
        BuddyBook book(buddies);
        QVERIFY(!importBuddiesFromCsv(nullptr, book, log_.prompts()));
        QVERIFY(log_.messages.value(0).startsWith(QStringLiteral("Remark|")));
        QVERIFY(!std::filesystem::exists(path_ / "mofofish"));
        writeBytes(path_ / "in.csv", "alpha\r\n\r\nbeta");
        log_.openAnswer = QString::fromStdString((path_ / "in.csv").string());
        QVERIFY(importBuddiesFromCsv(nullptr, book, log_.prompts()));
        QCOMPARE(log_.messages.last(),
                 QStringLiteral("Import done|2 buddies successfully imported."));
        QCOMPARE(reloaded(path_), (Names{"alpha", "beta"}));
    }

    // "Search" hands the fields' filter to the import job and closes once it started.
    void importSearchStartsTheJobWithTheFieldsAndCloses() {
        std::vector<ImportFilter> started;
        bool start = false;
        ImportPlayersDialog dialog([&](const ImportFilter& filter) {
            started.push_back(filter);
            return start;
        });
        child<QCheckBox>(dialog, "vpipEnabled")->setChecked(true);
        QTest::keyClicks(child<QLineEdit>(dialog, "vpipMin"), QStringLiteral("4a0"));
        child<QLineEdit>(dialog, "vpipMax")->setText(QStringLiteral("100"));
        child<QLineEdit>(dialog, "minimumHands")->setText(QStringLiteral("200"));
        dialog.show();
        child<QPushButton>(dialog, "pbSearch")->click();
        QVERIFY(dialog.isVisible());  // refused: the user was told, the fields stay
        start = true;
        child<QPushButton>(dialog, "pbSearch")->click();
        QCOMPARE(started.size(), std::size_t{2});
        QVERIFY(started[1].vpip.enabled);
        QCOMPARE(started[1].vpip.minimum, 40);
        QCOMPARE(started[1].vpip.maximum, 100);
        QVERIFY(!started[1].pfr.enabled);
        QCOMPARE(started[1].minimumHands, 200);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

private:
    void addRange(ProfilTab& tab, const char* minimum, const char* maximum, const QColor& colour) {
        log_.colourAnswer = colour;
        const int before = child<QTreeWidget>(tab, "ranges")->topLevelItemCount();
        QTimer::singleShot(0, &tab, [&] {
            ProfileRangeDialog* dialog = tab.rangeDialog();
            QVERIFY(dialog != nullptr);
            QTest::keyClicks(dialog->minimumEdit(), QString::fromUtf8(minimum));
            QTest::keyClicks(dialog->maximumEdit(), QString::fromUtf8(maximum));
            dialog->colourButton()->click();
            dialog->confirmButton()->click();
        });
        child<QPushButton>(tab, "pbNew")->click();
        QCOMPARE(child<QTreeWidget>(tab, "ranges")->topLevelItemCount(), before + 1);
    }

    std::unique_ptr<test::TempDir> dir_;
    std::filesystem::path path_;
    PromptLog log_;
};

QTEST_MAIN(ProfilesAndBuddiesTest)
#include "ProfilesAndBuddiesTest.moc"
