#pragma once

#include "Session.h"
#include "SessionListener.h"
#include "gui/widgets/UserPrompts.h"

#include <QIcon>
#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace kestrova {

class HistoryActions;
class TrayIcon;
class PlayerListView;
class QtTimerService;
class JobProgress;
class ScanProgress;
class TableListView;
class HelpWindow;
class TeachFontDialog;
class UpdateOffer;

class ClientPlatform;
class Clock;
class DBTab;
class PlayerLookup;

// What the main window works with, handed in so tests can put the simulated
// client and a clock that never sleeps in place of the desktop.
struct MainWindowServices {
    ClientPlatform* platform = nullptr;  // null: no client can be reached
    std::string platformProblem;         // why, or what the platform cannot do
    Clock* clock = nullptr;              // null: real waits
    PlayerLookup* lookup = nullptr;      // null: the configured databases
    std::filesystem::path settingsFile = SettingsStore::defaultPath();
    // Companion files and the trace file live here.
    std::filesystem::path workingDir = ".";
    // Lines for the freshly started trace file (what start-up did to workingDir).
    std::vector<std::string> startupTrace;
    // Hands a web address to the browser; false when none could be started.
    // Null: the desktop's own way.
    std::function<bool(const QUrl&)> openUrl;
};

// The main window: the table list, the player lists and every user command,
// as views and commands over one session.
class MainWindow final : public QMainWindow, private SessionListener {
    Q_OBJECT

public:
    using MessageHandler = std::function<void(const Message& message)>;
    // Asks for the opener's maximum; nothing when the user cancels.
    using IntegerQuestion = std::function<std::optional<int>()>;

    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Messages normally open a modal box; tests answer them here instead.
    void setMessageHandler(MessageHandler handler);
    void setOpenerQuestion(IntegerQuestion question);
    // File, text and colour questions of the buddy and profile windows; tests answer them.
    void setUserPrompts(UserPrompts prompts);

    Session& session() { return *session_; }
    bool isBusy() const { return session_->passes().busy(); }
    bool isOpenerRunning() const { return session_->passes().schedule().openerRunning(); }
    int openerMaximum() const { return session_->passes().schedule().openerMaximum(); }
    const BuddyList& buddies() const { return session_->buddies().list(); }

public slots:
    void slot_pbRefresh();
    void slot_pbScan();
    void slot_pbFullScan();
    void slot_checkScan();
    void slot_pbOpener();
    void slot_pbFilter();
    void slot_pblowfilter();
    void table_Clicked(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void table_dblClicked(QTreeWidgetItem* item, int column);
    void tableSelectionChanged();
    void player_Clicked(QTreeWidgetItem* item, int column);
    void playerlist_Clicked(QTreeWidgetItem* item, int column);
    void slot_pbJoin();
    void slot_pbOptionen();
    void slot_ShowBuddies();
    void slot_AddBuddies();
    void slot_ImportBDB();
    void slot_ImportBuddies();
    void slot_ExportBuddies();
    void slot_Update();
    void slot_Download();
    void slot_Agg();
    void slot_AggHelp();
    void slot_UseAgg();
    void slot_qaAbout();
    void slot_qaUserGuide();
    void slot_qaKeys();
    void slot_qaTeachFont();
    void slot_quit();
    void slot_qaLayout();

private:
    // SessionListener
    void showMessage(const Message& message) override;
    void settingsChanged(const std::vector<SettingsPart>& parts) override;
    void updateScoreLegend();
    void showTableCount();
    void passStarted(PassKind pass) override;
    void lobbyFound(const Rect& lobby) override;
    void tableListRead(const std::vector<LobbyEntry>& tables) override;
    void tableScanned(const std::string& table) override;
    void fontFound(const std::string& description) override;
    void passFinished(const scan_event::Finished& done) override;
    void passProgress(const PassProgress& progress) override;
    void jobEvent(const JobEvent& event) override;
    void busyChanged(bool busy) override;
    void timersChanged() override;
    void historyAlerts(const std::vector<AlertNotice>& notices) override;
    void watchListChanged() override;

    void createLists();
    void createWidgets();
    void createMenus();
    void createTrayIcon(QAction* scanAll, QAction* exit);
    void createHistoryActions();
    void applyDisplaySettings();
    void updateControls();
    void fitTableColumns();
    void showTable(QTreeWidgetItem* row);
    UserPrompts prompts() const;
    // Tells the user why a job did not start.
    void refused();
    // The user guide at a section's heading, in front of `over` (a modal
    // dialog would block it otherwise); the web page when no guide was shipped.
    void showGuide(const QString& section, QWidget* over = nullptr);
    // Says so, with the address, when no browser can be started.
    void openInBrowser(const QUrl& url);

    MainWindowServices services_;
    QtTimerService* timers_ = nullptr;
    std::unique_ptr<Session> session_;
    MessageHandler messageHandler_;
    IntegerQuestion openerQuestion_;
    std::optional<UserPrompts> userPrompts_;
    std::vector<QIcon> autorateIcons_;
    std::unique_ptr<ScanProgress> progress_;
    std::unique_ptr<JobProgress> jobProgress_;
    // The open Options dialog's database page: it waits for its connection test.
    QPointer<DBTab> databasePage_;
    QPointer<TeachFontDialog> teachFont_;
    // The table row the running pass made last: current once the pass ends.
    std::string lastRowName_;
    // A table a notification's "Open" asked for while a pass ran: it opens at the pass's end.
    std::string pendingOpen_;
    UpdateOffer* updateOffer_ = nullptr;
    QPointer<HelpWindow> help_;

    TableListView* tables_ = nullptr;
    PlayerListView* tablePlayers_ = nullptr;
    PlayerListView* wholePlayers_ = nullptr;
    QLabel* scoreLegend_ = nullptr;
    bool inFrontAtStart_ = false;
    std::vector<QAction*> passActions_;  // enabled while nothing runs
    QAction* qaCancelPass_ = nullptr;
    QLabel* knownPlayers_ = nullptr;
    QLabel* passProblem_ = nullptr;
    QPushButton* pbFilter_ = nullptr;
    QPushButton* pbRefresh_ = nullptr;
    QPushButton* pbScan_ = nullptr;
    QPushButton* pbFullScan_ = nullptr;
    QPushButton* pbOpener_ = nullptr;
    QPushButton* pbJoin_ = nullptr;
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
    TrayIcon* trayIcon_ = nullptr;
    HistoryActions* historyActions_ = nullptr;
};

}  // namespace kestrova
