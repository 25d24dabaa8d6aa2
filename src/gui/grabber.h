#pragma once

#include "client/ocr/GlyphTable.h"
#include "evaluation/PlayerFilter.h"
#include "evaluation/TableEvaluation.h"
#include "evaluation/TableFilter.h"
#include "rating/AutorateIcons.h"
#include "rating/BuddyList.h"
#include "rating/ColourRanges.h"
#include "scan/LobbyFilter.h"
#include "scan/ScanObserver.h"
#include "scan/ScanState.h"
#include "settings/LimitsFile.h"
#include "settings/SettingsStore.h"
#include "settings/TraceLog.h"
#include "stats/CacheExpiry.h"
#include "stats/PlayerLookup.h"
#include "stats/TrackerLookup.h"

#include "UserPrompts.h"

#include <QIcon>
#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QSystemTrayIcon;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

class ScanProgress;
namespace kestrova {
class BuddyListWindow;
class ImportPlayersDialog;
}  // namespace kestrova

namespace kestrova {
class ClientPlatform;
class Clock;
}  // namespace kestrova

// What the main window works with, handed in so tests can put the simulated
// client and a clock that never sleeps in place of the desktop.
struct GrabberServices {
    kestrova::ClientPlatform* platform = nullptr;  // null: no client can be reached
    kestrova::Clock* clock = nullptr;              // null: real waits
    kestrova::PlayerLookup* lookup = nullptr;      // null: the configured databases
    std::filesystem::path settingsFile = kestrova::SettingsStore::defaultPath();
    // Companion files and the trace file live here.
    std::filesystem::path workingDir = ".";
    // Run without a visible window (the command line): no trace file, no tray
    // icon, and closing saves nothing, so the user's window keeps its state.
    bool headless = false;
};

// The main window: the table list, the player lists and every user command.
class grabber final : public QMainWindow {
    Q_OBJECT

public:
    using MessageHandler = std::function<void(const QString& title, const QString& text)>;
    // Asks for the opener's maximum; nothing when the user cancels.
    using IntegerQuestion = std::function<std::optional<int>()>;

    explicit grabber(GrabberServices services, QWidget* parent = nullptr);
    ~grabber() override;

    // Messages normally open a modal box; tests answer them here instead.
    void setMessageHandler(MessageHandler handler);
    void setOpenerQuestion(IntegerQuestion question);
    // File, text and colour questions of the buddy and profile windows; tests answer them.
    void setUserPrompts(kestrova::UserPrompts prompts);

    bool isBusy() const { return busy_; }
    bool isOpenerRunning() const { return openerRunning_; }
    int openerMaximum() const { return openerMaximum_; }
    const kestrova::ScanState& scanState() const { return scan_; }
    const kestrova::BuddyList& buddies() const { return buddies_; }

public slots:
    void slot_pbRefresh();
    void slot_pbScan();
    void slot_pbFullScan();
    void slot_checkScan();
    void stepScan();
    void slot_pbOpener();
    void clearCache();
    void slot_pbFilter();
    void slot_scanok();
    void slot_pblowfilter();
    void slot_pblowfilter_save();
    void table_Clicked(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void table_dblClicked(QTreeWidgetItem* item, int column);
    void player_Clicked(QTreeWidgetItem* item, int column);
    void playerlist_Clicked(QTreeWidgetItem* item, int column);
    void slot_pbJoin();
    void slot_pbOptionen();
    void slot_ShowBuddies();
    void slot_AddBuddies();
    void slot_ImportBDB();
    void slot_ImportBuddies();
    void slot_ExportBuddies();
    void slot_RemoveSel();
    void slot_buddyClose();
    void slot_bdbok();
    void slot_bdcancel();
    void slot_Update();
    void slot_Download();
    void slot_Agg();
    void slot_AggHelp();
    void slot_UseAgg();
    void slot_qaAbout();
    void slot_aboutok();
    void slot_quit();
    void slot_Profiles();

    // Commands of menus this window builds but does not offer yet.
    void slot_pbStart();
    void zielEmpire();
    void zielParty();
    void zielBoDog();
    void zielFullTiltPoker();
    void zielAbsolutePoker();
    void zielBigChip();
    void zielVegas();
    void zielParadisePoker();
    void zielTribeca();
    void slot_AutoCenter();
    void slot_HUD();
    void slot_HUDTYPE();
    void slot_HUD_FR();
    void slot_HUD_SH();
    void slot_qaDefHUD();
    void slot_rangeHUD();

private:
    void createTimers();
    void createLists();
    void createWidgets();
    void createMenus();
    void createHiddenMenus();
    void createTrayIcon();
    void loadFilterKeys();
    void restoreGeometryAndSorting();
    void applyColumnWidths();
    void saveGeometryAndWidths();
    void trace(std::string_view marker) const;
    void selectEverestClient();
    void setScanControlsEnabled(bool enabled);
    void clearPassResults();
    void addTableListRows();
    void showMessage(const QString& title, const QString& text);
    kestrova::PlayerLookup& lookup();
    // The shared shell of the scans: busy, controls, progress, and the end-of-scan steps.
    bool beginPass(bool clearResults);
    void finishScan(bool keepControlsDisabled);
    void connectResults(ScanProgress& progress, bool intoSelectedRow);
    void tableScanned(const kestrova::ScannedTable& table, const kestrova::TableRowTexts& row,
                      bool intoSelectedRow);
    bool addPlayerRow(const std::shared_ptr<kestrova::PlayerStats>& record);
    bool showTablePlayers(const kestrova::ScannedTable& table);
    void evaluateTable(kestrova::ScannedTable& table, QTreeWidgetItem* row);
    void updateKnownPlayers();
    void applyTableFilter();
    void applyPlayerFilter();
    void fitTableColumns();
    void writeScanResult();
    void applyColumnVisibility();
    void toggleBuddy(QTreeWidgetItem* item, int buddyColumn, int nameColumn);
    void loadRatingAndFilters();
    void decoratePlayerRow(QTreeWidgetItem* item, const kestrova::PlayerStats& record, int shift);
    void refreshPlayerRows();
    void loadDatabases();
    kestrova::UserPrompts prompts() const;

    GrabberServices services_;
    std::unique_ptr<kestrova::Clock> ownClock_;
    kestrova::Clock* clock_ = nullptr;
    kestrova::SettingsStore settings_;
    kestrova::TraceLog traceLog_;
    kestrova::GlyphTable glyphs_;
    MessageHandler messageHandler_;

    int clientKind_ = 5;
    int skin_ = 0;
    bool busy_ = false;
    bool scanning_ = false;
    kestrova::LobbyFilter lobbyFilter_;
    kestrova::ScanState scan_;
    kestrova::BuddyList buddies_;
    kestrova::ColourRanges colours_;
    kestrova::AutorateIcons autorate_;
    std::vector<QIcon> autorateIcons_;
    kestrova::EvaluationSettings evaluation_;
    kestrova::TableFilterSettings tableFilter_;
    kestrova::PlayerFilterSettings playerFilter_;
    std::vector<std::string> selectedStakes_;
    kestrova::CacheExpiry cacheExpiry_;
    QTimer* clearCacheTimer_ = nullptr;
    std::unique_ptr<kestrova::TrackerLookup> tracker_;
    std::vector<kestrova::DatabaseEntry> databases_;
    std::optional<kestrova::UserPrompts> userPrompts_;
    QPointer<kestrova::BuddyListWindow> buddyWindow_;
    QPointer<kestrova::ImportPlayersDialog> importDialog_;
    IntegerQuestion openerQuestion_;
    int intervalMinutes_ = 0;
    bool doubleClickOpens_ = true;
    QTreeWidgetItem* currentTableItem_ = nullptr;
    int tablesToOpen_ = 4;
    std::vector<kestrova::LimitRecord> limits_;
    std::vector<std::string> stakes_;
    bool saveScanResult_ = false;
    std::string scanResultPath_;
    int openerMaximum_ = 30;
    bool openerRunning_ = false;

    QTimer* intervalTimer_ = nullptr;
    QTimer* openerTimer_ = nullptr;

    QLabel* knownPlayers_ = nullptr;
    QPushButton* pbFilter_ = nullptr;
    QPushButton* pbRefresh_ = nullptr;
    QPushButton* pbScan_ = nullptr;
    QPushButton* pbFullScan_ = nullptr;
    QPushButton* pbOpener_ = nullptr;
    QPushButton* pbJoin_ = nullptr;
    QPushButton* pbWaitJoin_ = nullptr;
    QPushButton* pbLowFilter_ = nullptr;
    QSpinBox* sbInterval_ = nullptr;
    QCheckBox* cbInterval_ = nullptr;
    QTreeWidget* tableList_ = nullptr;
    QTreeWidget* playerList_ = nullptr;
    QTreeWidget* wholePlayerList_ = nullptr;
    QWidget* wholePlayerPanel_ = nullptr;
    QAction* qaOptions_ = nullptr;
    QAction* qaCheckUpdate_ = nullptr;
    QAction* qaUseAgg_ = nullptr;
    QMenu* dataminingMenu_ = nullptr;
    QMenu* clientMenu_ = nullptr;
    QMenu* hudMenu_ = nullptr;
    QSystemTrayIcon* trayIcon_ = nullptr;
};
