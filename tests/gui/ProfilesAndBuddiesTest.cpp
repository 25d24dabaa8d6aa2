#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BuddyListWindow.h"
#include "ImportPlayersDialog.h"
#include "ProfilTab.h"
#include "ProfileRangeDialog.h"
#include "common/MessageSink.h"
#include "rating/BuddyList.h"
#include "rating/ColourRanges.h"
#include "settings/SettingsStore.h"
#include "stats/ImportProgress.h"
#include "stats/PlayerLookup.h"
#include "stats/PlayerNameSource.h"

using namespace kestrova;

namespace {

using Names = std::vector<std::string>;

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string le32(std::int32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] =
            static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xffu);
    return bytes;
}

std::string counted(const std::string& text) {
    return le32(static_cast<std::int32_t>(text.size())) + text;
}

std::string profileRow(const std::string& minimum, const std::string& maximum, int r, int g,
                       int b) {
    return counted(minimum) + counted(maximum) + le32(r) + le32(g) + le32(b);
}

QStringList texts(std::initializer_list<const char*> items) {
    QStringList result;
    for (const char* text : items)
        result << QString::fromUtf8(text);
    return result;
}

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QLatin1String(name));
    if (widget == nullptr)
        qFatal("no widget named %s", name);
    return widget;
}

// Every box the code under test shows, answered at once.
struct PromptLog {
    QStringList messages;  // "title|text"
    std::optional<QString> textAnswer;
    QString openAnswer;
    QString saveAnswer;
    QColor colourAnswer;
    QStringList fileTitles;

    UserPrompts prompts() {
        UserPrompts p;
        p.showMessage = [this](QWidget*, const QString& title, const QString& text) {
            messages << title + QLatin1Char('|') + text;
        };
        p.askText = [this](QWidget*, const QString& title, const QString& label) {
            fileTitles << title + QLatin1Char('|') + label;
            return textAnswer;
        };
        p.askOpenFile = [this](QWidget*, const QString& title, const QString& filter) {
            fileTitles << title + QLatin1Char('|') + filter;
            return openAnswer;
        };
        p.askSaveFile = [this](QWidget*, const QString& title, const QString& filter) {
            fileTitles << title + QLatin1Char('|') + filter;
            return saveAnswer;
        };
        p.askColour = [this](QWidget*, const QColor& initial) {
            if (initial != QColor(Qt::white))
                qFatal("the colour chooser must start at white");
            return colourAnswer;
        };
        return p;
    }
};

class FakeLookup final : public PlayerLookup {
public:
    bool connectDatabases(MessageSink&) override { return true; }
    void disconnectDatabases() override { ++disconnects; }
    std::shared_ptr<PlayerStats> lookupPlayer(const std::string& name, const std::string&,
                                              const std::string&, MessageSink&) override {
        lookedUp.push_back(name);
        const auto found = players.find(name);
        return found == players.end() ? nullptr : std::make_shared<PlayerStats>(found->second);
    }
    void add(const std::string& name, const std::string& hands, const std::string& vpip) {
        PlayerStats stats;
        stats.name = name;
        stats.hands = hands;
        stats.vpip = vpip;
        players[name] = stats;
    }
    std::map<std::string, PlayerStats> players;
    Names lookedUp;
    int disconnects = 0;
};

class FakeNames final : public PlayerNameSource {
public:
    Result collectNames(const DatabaseEntry& entry, std::vector<std::string>& names,
                        ImportProgress& progress, MessageSink& messages) override {
        if (entry.database == "broken") {
            messages.showMessage("Error", "BEGIN command failed: gone");
            return Result::Failed;
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i == cancelAtRow && onCancelRow)
                onCancelRow();
            if (progress.cancelled())
                return Result::Cancelled;
            names.push_back(rows[i]);
        }
        return Result::Done;
    }
    Names rows;
    std::size_t cancelAtRow = 0;
    std::function<void()> onCancelRow;
};

DatabaseEntry database(const std::string& name) {
    DatabaseEntry entry;
    entry.database = name;
    entry.kind = static_cast<std::int32_t>(DatabaseKind::PokerTracker2Postgres);
    return entry;
}

}  // namespace

class ProfilesAndBuddiesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        path_ = std::filesystem::path(dir_->path().toStdString());
        log_ = PromptLog();
    }

    // --- the profile page -------------------------------------------------

    void profilePageShowsTheTenStatisticsAndLoadsTheChosenFile() {
        writeFile(path_ / "PFR", le32(1) + profileRow("12.5", "30", 1, 2, 3));
        ProfilTab tab(path_, log_.prompts());
        auto* choice = child<QComboBox>(tab, "statChoice");
        QCOMPARE(choice->count(), 10);
        QCOMPARE(choice->itemText(0), QStringLiteral("VPIP"));
        QCOMPARE(choice->itemText(8), QStringLiteral("3Bet_Cap"));
        QCOMPARE(choice->itemText(9), QStringLiteral("Contibet_flop"));
        auto* ranges = child<QTreeWidget>(tab, "ranges");
        QCOMPARE(ranges->topLevelItemCount(), 0);
        choice->setCurrentIndex(1);
        QCOMPARE(ranges->topLevelItemCount(), 1);
        QCOMPARE(ranges->topLevelItem(0)->text(0), QStringLiteral("12.5"));
        QCOMPARE(ranges->topLevelItem(0)->text(1), QStringLiteral("30"));
        QCOMPARE(ranges->topLevelItem(0)->background(2).color(), QColor(1, 2, 3));
        QCOMPARE(ranges->headerItem()->text(2), QStringLiteral("Color"));
    }

    void profilePageSurvivesHostileFiles() {
        // A count far beyond the rows, then a length pointing past the end.
        writeFile(path_ / "VPIP",
                  le32(0x7fffffff) + profileRow("0", "20", 0, 255, 0) + le32(0x7ffffff0) + "12");
        writeFile(path_ / "AF", le32(-5));
        ProfilTab tab(path_, log_.prompts());
        auto* ranges = child<QTreeWidget>(tab, "ranges");
        QCOMPARE(ranges->topLevelItemCount(), 1);
        child<QComboBox>(tab, "statChoice")->setCurrentIndex(2);
        QCOMPARE(ranges->topLevelItemCount(), 0);
    }

    void newRowIsWrittenOnlyBySaveAndTheColoursShow() {
        ProfilTab tab(path_, log_.prompts());
        QSignalSpy saved(&tab, &ProfilTab::profileSaved);
        addRange(tab, "0", "20", QColor(0, 255, 0));
        addRange(tab, "15", "30", QColor(255, 0, 0));
        QVERIFY(!std::filesystem::exists(path_ / "VPIP"));
        QCOMPARE(saved.count(), 0);

        child<QPushButton>(tab, "pbSave")->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(fileBytes(path_ / "VPIP"),
                 le32(2) + profileRow("0", "20", 0, 255, 0) + profileRow("15", "30", 255, 0, 0));
        // What the main window loads after the signal.
        const ColourRanges colours = ColourRanges::load(path_);
        QCOMPARE(colours.cellColour(ProfileStat::Vpip, 18.0f), std::optional<Rgb>(Rgb{0, 255, 0}));
        QCOMPARE(colours.cellColour(ProfileStat::Vpip, 25.0f), std::optional<Rgb>(Rgb{255, 0, 0}));
        QCOMPARE(colours.cellColour(ProfileStat::Vpip, 20.0f), std::optional<Rgb>(Rgb{0, 255, 0}));
        QCOMPARE(colours.cellColour(ProfileStat::Vpip, 31.0f), std::optional<Rgb>());
    }

    void newRowWithoutAChosenColourIsWhiteAndNeverShows() {
        ProfilTab tab(path_, log_.prompts());
        addRange(tab, "0", "100", QColor());  // the chooser was cancelled
        child<QPushButton>(tab, "pbSave")->click();
        QCOMPARE(fileBytes(path_ / "VPIP"), le32(1) + profileRow("0", "100", 255, 255, 255));
        QCOMPARE(ColourRanges::load(path_).cellColour(ProfileStat::Vpip, 50.0f),
                 std::optional<Rgb>());
    }

    void incompleteNumbersKeepTheDialogOpen() {
        ProfilTab tab(path_, log_.prompts());
        bool checked = false;
        QTimer::singleShot(0, &tab, [&] {
            ProfileRangeDialog* dialog = tab.rangeDialog();
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("New"));
            QCOMPARE(dialog->confirmButton()->text(), QStringLiteral("Add"));
            QTest::keyClicks(dialog->minimumEdit(), QStringLiteral("1x2.345"));
            QCOMPARE(dialog->minimumText(), QStringLiteral("12.34"));  // validator
            dialog->confirmButton()->click();                          // "Max." empty
            QVERIFY(dialog->isVisible());
            // The user is told which bound is wrong.
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
    }

    void clickMarksTheSelectedRowRedAndEditReplacesIt() {
        writeFile(path_ / "VPIP",
                  le32(2) + profileRow("0", "20", 0, 255, 0) + profileRow("15", "30", 255, 0, 0));
        ProfilTab tab(path_, log_.prompts());
        auto* ranges = child<QTreeWidget>(tab, "ranges");
        QTreeWidgetItem* first = ranges->topLevelItem(0);
        QTreeWidgetItem* second = ranges->topLevelItem(1);

        // Without a selected row "Edit" and "Delete" do nothing.
        tab.slot_Edit();
        tab.slot_Delete();
        QCOMPARE(ranges->topLevelItemCount(), 2);

        tab.t_Clicked(first, 0);
        QCOMPARE(first->background(0).color(), QColor(Qt::red));
        QCOMPARE(first->background(1).color(), QColor(Qt::red));
        tab.t_Clicked(second, 1);
        QCOMPARE(first->background(0).color(), QColor(Qt::white));
        QCOMPARE(second->background(1).color(), QColor(Qt::red));
        QCOMPARE(tab.selectedRow(), second);

        log_.colourAnswer = QColor(0, 0, 255);
        QTimer::singleShot(0, &tab, [&] {
            ProfileRangeDialog* dialog = tab.rangeDialog();
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("New"));
            QCOMPARE(dialog->confirmButton()->text(), QStringLiteral("Edit"));
            QCOMPARE(dialog->minimumText(), QStringLiteral("15"));
            QCOMPARE(dialog->colour(), QColor(255, 0, 0));
            dialog->maximumEdit()->setText(QStringLiteral("35.5"));
            dialog->colourButton()->click();
            dialog->confirmButton()->click();
        });
        tab.slot_Edit();
        QCOMPARE(second->text(1), QStringLiteral("35.5"));
        QCOMPARE(second->background(2).color(), QColor(0, 0, 255));
        QCOMPARE(fileBytes(path_ / "VPIP"),
                 le32(2) + profileRow("0", "20", 0, 255, 0) + profileRow("15", "30", 255, 0, 0));
    }

    void deleteRewritesTheFileAtOnce() {
        writeFile(path_ / "WTSD",
                  le32(2) + profileRow("0", "20", 0, 255, 0) + profileRow("15", "30", 255, 0, 0));
        ProfilTab tab(path_, log_.prompts());
        QSignalSpy saved(&tab, &ProfilTab::profileSaved);
        child<QComboBox>(tab, "statChoice")->setCurrentText(QStringLiteral("WTSD"));
        auto* ranges = child<QTreeWidget>(tab, "ranges");
        tab.t_Clicked(ranges->topLevelItem(0), 0);
        child<QPushButton>(tab, "pbDelete")->click();
        QCOMPARE(ranges->topLevelItemCount(), 1);
        QCOMPARE(fileBytes(path_ / "WTSD"), le32(1) + profileRow("15", "30", 255, 0, 0));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.at(0).at(0).value<ProfileStat>(), ProfileStat::Wtsd);
        QVERIFY(tab.selectedRow() == nullptr);
    }

    void changingTheStatisticForgetsTheSelectedRow() {
        writeFile(path_ / "VPIP", le32(1) + profileRow("0", "20", 0, 255, 0));
        writeFile(path_ / "PFR", le32(1) + profileRow("5", "9", 1, 1, 1));
        ProfilTab tab(path_, log_.prompts());
        auto* ranges = child<QTreeWidget>(tab, "ranges");
        tab.t_Clicked(ranges->topLevelItem(0), 0);
        child<QComboBox>(tab, "statChoice")->setCurrentIndex(1);
        QVERIFY(tab.selectedRow() == nullptr);
        tab.slot_Delete();  // nothing selected: the PFR file stays
        QCOMPARE(fileBytes(path_ / "PFR"), le32(1) + profileRow("5", "9", 1, 1, 1));
    }

    void profileSettingsAreShownAndWritten() {
        SettingsStore settings(path_ / "Velloran.ini");
        ProfilTab fresh(path_, log_.prompts());
        fresh.loadSettings(settings);
        QCOMPARE(child<QLineEdit>(fresh, "profilhands")->text(), QStringLiteral("100"));
        QCOMPARE(child<QLineEdit>(fresh, "profilme")->text(), QString());
        QVERIFY(!child<QCheckBox>(fresh, "excludeme")->isChecked());

        child<QLineEdit>(fresh, "profilhands")->setText(QStringLiteral("250"));
        child<QLineEdit>(fresh, "profilme")->setText(QStringLiteral("Me Myself"));
        child<QCheckBox>(fresh, "excludeme")->setChecked(true);
        QVERIFY(fresh.writeSettings(settings));
        QCOMPARE(settings.read(keys::profilhands), 250);
        QCOMPARE(settings.readText(keys::profilme), std::string("Me Myself"));
        QCOMPARE(settings.read(keys::excludeme), 1);

        ProfilTab again(path_, log_.prompts());
        again.loadSettings(settings);
        QCOMPARE(child<QLineEdit>(again, "profilhands")->text(), QStringLiteral("250"));
        QVERIFY(child<QCheckBox>(again, "excludeme")->isChecked());
        QCOMPARE(child<QLineEdit>(again, "profilme")->maxLength(), 127);
    }

    // --- the buddy window and commands ---------------------------------------

    void buddyWindowListsSortedWithTheNote() {
        BuddyList buddies(path_);
        for (const char* name : {"zed", "Alpha", "mike"})
            buddies.addBuddy(name, false);
        BuddyListWindow window(buddies, log_.prompts());
        QCOMPARE(window.windowTitle(), QStringLiteral("Buddylist"));
        QCOMPARE(window.size(), QSize(300, 300));
        QVERIFY(window.isModal());
        auto* list = window.list();
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        QCOMPARE(shown, texts({"Alpha", "mike", "zed"}));
        window.show();
        QVERIFY(child<QPushButton>(window, "pbRemove")->isVisible());
        QVERIFY(child<QPushButton>(window, "pbClose")->isVisible());
        QVERIFY(!child<QPushButton>(window, "pbSearch")->isVisible());
        QVERIFY(!child<QPushButton>(window, "pbClearSearch")->isVisible());
        QCOMPARE(child<QLabel>(window, "note")->text(),
                 QStringLiteral("Note: You can select multiple Buddies for 'Search' or "
                                "'Removal'.\nJust use CTRL or SHIFT keys.\n\nThe 'Search' is a "
                                "filter to your scanned tables.\n Deselect all buddies (if "
                                "selected) and press 'Search' to remove the filter."));
        child<QPushButton>(window, "pbClose")->click();
        QVERIFY(!window.isVisible());
    }

    void removeTakesEverySelectedBuddyAndSaves() {
        BuddyList buddies(path_);
        for (const char* name : {"zed", "Alpha", "mike", "Bob"})
            buddies.addBuddy(name, false);
        BuddyListWindow window(buddies, log_.prompts());
        QSignalSpy changed(&window, &BuddyListWindow::buddiesChanged);
        auto* list = window.list();
        list->item(0)->setSelected(true);  // Alpha
        list->item(3)->setSelected(true);  // zed
        child<QPushButton>(window, "pbRemove")->click();
        QCOMPARE(list->count(), 2);
        QCOMPARE(buddies.names(), (Names{"mike", "Bob"}));
        BuddyList reloaded(path_);
        reloaded.loadBuddies();
        QCOMPARE(reloaded.names(), (Names{"mike", "Bob"}));
        QCOMPARE(changed.count(), 1);
        QVERIFY(log_.messages.isEmpty());
    }

    void refusedDiskIsToldOnceAndNothingIsLostInMemory() {
        BuddyList buddies(path_ / "gone");
        for (const char* name : {"a", "b", "c"})
            buddies.addBuddy(name, false);
        BuddyListWindow window(buddies, log_.prompts());
        window.list()->item(0)->setSelected(true);
        window.list()->item(1)->setSelected(true);
        window.slot_RemoveSel();
        QCOMPARE(log_.messages, texts({"Error|Unable to save mofofish"}));
        QCOMPARE(buddies.names(), Names{"c"});

        log_.messages.clear();
        log_.textAnswer = QStringLiteral("d");
        QVERIFY(addBuddyInteractively(nullptr, buddies, log_.prompts()));
        QCOMPARE(log_.messages, texts({"Error|Unable to save mofofish"}));
        QCOMPARE(buddies.names(), (Names{"c", "d"}));
    }

    void addIgnoresLetterCaseAndEmptyAnswers() {
        BuddyList buddies(path_);
        buddies.addBuddy("Rounder", false);
        log_.textAnswer = QStringLiteral("ROUNDER");
        QVERIFY(!addBuddyInteractively(nullptr, buddies, log_.prompts()));
        QCOMPARE(log_.fileTitles, texts({"Add player to list|Screenname :"}));
        log_.textAnswer = QString();
        QVERIFY(!addBuddyInteractively(nullptr, buddies, log_.prompts()));
        log_.textAnswer.reset();
        QVERIFY(!addBuddyInteractively(nullptr, buddies, log_.prompts()));
        QVERIFY(!std::filesystem::exists(path_ / "mofofish"));

        log_.textAnswer = QStringLiteral("Fish");
        QVERIFY(addBuddyInteractively(nullptr, buddies, log_.prompts()));
        BuddyList reloaded(path_);
        reloaded.loadBuddies();
        QCOMPARE(reloaded.names(), (Names{"Rounder", "Fish"}));
        QVERIFY(log_.messages.isEmpty());
    }

    void csvImportShowsItsBoxesAndTakesTheLastLine() {
        BuddyList buddies(path_);
        buddies.addBuddy("known", false);
        writeFile(path_ / "in.csv", "KNOWN\r\nalpha\r\n\r\n\nbeta");
        log_.openAnswer = QString::fromStdString((path_ / "in.csv").string());
        QVERIFY(importBuddiesFromCsv(nullptr, buddies, log_.prompts()));
        QCOMPARE(log_.messages.size(), 2);
        QCOMPARE(log_.messages[0],
                 QStringLiteral("Remark|Please note, that the CSV-file got to have the following "
                                "format:\nplayername1\nplayername2\nplayername3\n...\n\n So make "
                                "sure, when exporting the CSV-file from Pokertracker only the "
                                "field 'playername' is checked."));
        QCOMPARE(log_.messages[1], QStringLiteral("Import done|2 buddies successfully imported."));
        QCOMPARE(log_.fileTitles, texts({"Import from file|*.csv"}));
        QCOMPARE(buddies.names(), (Names{"known", "alpha", "beta"}));
        BuddyList reloaded(path_);
        reloaded.loadBuddies();
        QCOMPARE(reloaded.names(), buddies.names());
    }

    void csvImportCancelledAfterTheRemarkChangesNothing() {
        BuddyList buddies(path_);
        QVERIFY(!importBuddiesFromCsv(nullptr, buddies, log_.prompts()));
        QCOMPARE(log_.messages.size(), 1);
        QVERIFY(log_.messages[0].startsWith(QStringLiteral("Remark|")));
        QVERIFY(!std::filesystem::exists(path_ / "mofofish"));

        log_.messages.clear();
        log_.openAnswer = QString::fromStdString((path_ / "missing.csv").string());
        QVERIFY(!importBuddiesFromCsv(nullptr, buddies, log_.prompts()));
        QCOMPARE(log_.messages.size(), 2);
        QVERIFY(log_.messages[1].startsWith(QStringLiteral("Error|")));
    }

    void csvExportAppendsTheExtensionAndRoundTrips() {
        BuddyList buddies(path_);
        for (const char* name : {"zed", "Alpha"})
            buddies.addBuddy(name, false);
        log_.saveAnswer = QString::fromStdString((path_ / "out").string());
        exportBuddiesToCsv(nullptr, buddies, log_.prompts());
        QCOMPARE(log_.fileTitles, texts({"Export to file|*.csv"}));
        QVERIFY(log_.messages.isEmpty());
        QCOMPARE(fileBytes(path_ / "out.csv"), std::string("zed\nAlpha\n"));

        BuddyList copy(path_ / "copy");
        std::filesystem::create_directory(path_ / "copy");
        log_.openAnswer = QString::fromStdString((path_ / "out.csv").string());
        importBuddiesFromCsv(nullptr, copy, log_.prompts());
        QCOMPARE(copy.names(), buddies.names());
    }

    // --- the import from the databases --------------------------------------

    void importDialogReadsItsFields() {
        BuddyList buddies(path_);
        FakeLookup lookup;
        FakeNames names;
        ImportPlayersDialog dialog({}, buddies, lookup, log_.prompts(), nullptr, &names);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Import player from databases"));
        QCOMPARE(child<QCheckBox>(dialog, "vpipEnabled")->text(), QStringLiteral("VPIP between :"));
        QCOMPARE(child<QCheckBox>(dialog, "pfrEnabled")->text(), QStringLiteral("PFR between :"));
        QCOMPARE(child<QCheckBox>(dialog, "afEnabled")->text(), QStringLiteral("AF between :"));
        QTest::keyClicks(child<QLineEdit>(dialog, "vpipMin"), QStringLiteral("4a0.5"));
        QCOMPARE(child<QLineEdit>(dialog, "vpipMin")->text(), QStringLiteral("405"));
        child<QLineEdit>(dialog, "vpipMin")->setText(QStringLiteral("40"));
        child<QLineEdit>(dialog, "vpipMax")->setText(QStringLiteral("100"));
        child<QCheckBox>(dialog, "vpipEnabled")->setChecked(true);
        child<QLineEdit>(dialog, "minimumHands")->setText(QStringLiteral("200"));
        const ImportFilter filter = dialog.filter();
        QVERIFY(filter.vpip.enabled);
        QCOMPARE(filter.vpip.minimum, 40);
        QCOMPARE(filter.vpip.maximum, 100);
        QVERIFY(!filter.pfr.enabled);
        QCOMPARE(filter.minimumHands, 200);
    }

    void searchAddsPassingPlayersAndClosesBothDialogs() {
        BuddyList buddies(path_);
        FakeLookup lookup;
        lookup.add("edge", "300", "40.99");
        lookup.add("below", "300", "39.99");
        lookup.add("few", "199", "80");
        FakeNames names;
        names.rows = {"edge", "below", "few", "edge"};
        ImportPlayersDialog dialog({database("a")}, buddies, lookup, log_.prompts(), nullptr,
                                   &names);
        QSignalSpy changed(&dialog, &ImportPlayersDialog::buddiesChanged);
        child<QCheckBox>(dialog, "vpipEnabled")->setChecked(true);
        child<QLineEdit>(dialog, "vpipMin")->setText(QStringLiteral("40"));
        child<QLineEdit>(dialog, "vpipMax")->setText(QStringLiteral("100"));
        child<QLineEdit>(dialog, "minimumHands")->setText(QStringLiteral("200"));
        dialog.show();
        child<QPushButton>(dialog, "pbSearch")->click();
        QCOMPARE(buddies.names(), Names{"edge"});
        QCOMPARE(lookup.lookedUp, (Names{"edge", "below", "few"}));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.progressDialog() == nullptr);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(lookup.disconnects, 1);
        BuddyList reloaded(path_);
        reloaded.loadBuddies();
        QCOMPARE(reloaded.names(), Names{"edge"});
    }

    void cancelInTheProgressDialogStopsTheCollection() {
        BuddyList buddies(path_);
        FakeLookup lookup;
        lookup.add("p1", "1000", "50");
        lookup.add("p2", "1000", "50");
        FakeNames names;
        names.rows = {"p1", "p2", "p3"};
        ImportPlayersDialog dialog({database("a")}, buddies, lookup, log_.prompts(), nullptr,
                                   &names);
        bool sawProgress = false;
        names.cancelAtRow = 1;
        names.onCancelRow = [&] {
            QProgressDialog* progress = dialog.progressDialog();
            QVERIFY(progress != nullptr);
            QCOMPARE(progress->windowTitle(), QStringLiteral("Please Wait..."));
            QCOMPARE(progress->labelText(), QStringLiteral("Scan in progress..."));
            sawProgress = true;
            progress->cancel();
        };
        dialog.slot_bdbok();
        QVERIFY(sawProgress);
        QVERIFY(dialog.outcome().cancelled);
        QVERIFY(lookup.lookedUp.empty());
        QVERIFY(buddies.names().empty());
    }

    void failingDatabaseIsToldThroughThePrompts() {
        BuddyList buddies(path_);
        FakeLookup lookup;
        FakeNames names;
        ImportPlayersDialog dialog({database("broken")}, buddies, lookup, log_.prompts(), nullptr,
                                   &names);
        dialog.slot_bdbok();
        QCOMPARE(log_.messages, texts({"Error|BEGIN command failed: gone"}));
        QVERIFY(dialog.outcome().failed);
    }

    void cancelButtonClosesTheImportDialog() {
        BuddyList buddies(path_);
        FakeLookup lookup;
        FakeNames names;
        ImportPlayersDialog dialog({database("a")}, buddies, lookup, log_.prompts(), nullptr,
                                   &names);
        dialog.show();
        child<QPushButton>(dialog, "pbCancel")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(lookup.lookedUp.empty());
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

    std::unique_ptr<QTemporaryDir> dir_;
    std::filesystem::path path_;
    PromptLog log_;
};

QTEST_MAIN(ProfilesAndBuddiesTest)
#include "ProfilesAndBuddiesTest.moc"
