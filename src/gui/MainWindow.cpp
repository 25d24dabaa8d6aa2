#include "gui/MainWindow.h"

#include "SessionTypes.h"
#include "UserDataDir.h"

#include "gui/CompanionWatcher.h"
#include "gui/JobProgress.h"
#include "gui/MainMenus.h"
#include "gui/ScanProgress.h"
#include "gui/TrayIcon.h"
#include "gui/WindowState.h"
#include "gui/buddies/BuddyListWindow.h"
#include "gui/buddies/ImportPlayersDialog.h"
#include "gui/font/TeachFontDialog.h"
#include "gui/help/AboutDialog.h"
#include "gui/help/HelpWindow.h"
#include "gui/help/KeysDialog.h"
#include "gui/history/HistoryActions.h"
#include "gui/hud/LayoutManagerDialog.h"
#include "gui/lists/PlayerFilterDialog.h"
#include "gui/lists/PlayerListView.h"
#include "gui/lists/ScanFilterDialog.h"
#include "gui/lists/TableListView.h"
#include "gui/options/AggregatorDialogs.h"
#include "gui/options/CloseTab.h"
#include "gui/options/LimitTab.h"
#include "gui/options/OpenTab.h"
#include "gui/options/ProfilTab.h"
#include "gui/options/TabDialog.h"
#include "gui/update/UpdateOffer.h"
#include "gui/widgets/AppIcon.h"
#include "gui/widgets/PageScroller.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/QtTimerService.h"
#include "gui/widgets/ScreenFit.h"
#include "gui/widgets/WidgetHelpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace kestrova {

namespace {

constexpr int kDefaultOpenerMaximum = 30;
// The user's guide: the README shipped with the data, else the one on the web site.
constexpr std::string_view kGuideFile = "guide/README.md";
constexpr std::string_view kGuidePage = "/guide.php";

// The window's own messages, in English like the session's: the message box
// translates them.
const char* const kWaitForScan =
    QT_TRANSLATE_NOOP("Messages", "Please wait until the running scan has ended.");
const char* const kSelectTableFirst =
    QT_TRANSLATE_NOOP("Messages",
                      "Please select the table from the tablelist which you want to scan.\nOr "
                      "press Full Scan to scan all tables");

template <class Columns>
QStringList headersOf(const Columns& columns) {
    QStringList headers;
    for (const auto& column : columns)
        headers.push_back(translated(text_context::kColumns, column.header));
    return headers;
}

QPushButton* makeRowButton(const QString& text, const char* name, int maxWidth, const QString& tip,
                           const QString& statusTip) {
    QPushButton* button = makeButton(text, name, nullptr, tip, statusTip);
    // Wider only when a larger font needs it for the whole text.
    button->setMaximumWidth(std::max(maxWidth, button->sizeHint().width()));
    return button;
}

QTreeWidget* makeList(const char* name, const QStringList& headers) {
    auto* list = new QTreeWidget;
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setColumnCount(static_cast<int>(headers.size()));
    list->setHeaderLabels(headers);
    list->setSortingEnabled(true);
    list->header()->setSortIndicatorShown(true);
    list->sortByColumn(-1, Qt::AscendingOrder);
    return list;
}

// The headers' tooltips from a list's schema (its columns from `shift` on), and
// a first click on a column that lists the most first sorting it that way.
template <class Columns>
void describeColumns(QTreeWidget* list, const Columns& columns, int shift) {
    std::vector<bool> mostFirst(static_cast<std::size_t>(shift), false);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        list->headerItem()->setToolTip(static_cast<int>(c) + shift,
                                       translated(text_context::kColumns, columns[c].tip));
        mostFirst.push_back(columns[c].mostFirst);
    }
    // Qt turns the indicator before it tells of the click: the column sorted
    // before the click is kept to tell a first click from a second.
    QHeaderView* header = list->header();
    struct Sorted {
        int before = -1;
        int now = -1;
    };
    auto sorted = std::make_shared<Sorted>(Sorted{-1, header->sortIndicatorSection()});
    QObject::connect(header, &QHeaderView::sortIndicatorChanged, list,
                     [sorted](int section, Qt::SortOrder) {
                         sorted->before = sorted->now;
                         sorted->now = section;
                     });
    QObject::connect(
        header, &QHeaderView::sectionClicked, list, [header, sorted, mostFirst](int section) {
            if (sorted->before != section && header->sortIndicatorOrder() == Qt::AscendingOrder &&
                static_cast<std::size_t>(section) < mostFirst.size() &&
                mostFirst[static_cast<std::size_t>(section)])
                header->setSortIndicator(section, Qt::DescendingOrder);
        });
}

// The first part of the session's known-player line, "Knownplayer :42.86 %", with
// its label in the user's language; in English exactly as the session has it.
QString knownPlayerText(const std::string& line) {
    const std::string share = line.substr(0, line.find('\n'));
    const std::string_view label = kKnownPlayerLabel;
    const QString shown = translated(text_context::kMessages, label);
    if (!share.starts_with(label) || shown == QLatin1String(label))
        return toQString(share);
    return shown + QLatin1Char(' ') + toQString(share.substr(label.size())).trimmed();
}

}  // namespace

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    timers_ = new QtTimerService(this);
    // This window and every dialog keep inside the screen, whatever its scale.
    new ScreenFit(this);
    SessionServices session;
    session.platform = services_.platform;
    session.clock = services_.clock;
    session.lookup = services_.lookup;
    session.timers = timers_;
    // Passes report from their worker thread; the window handles them on its own.
    session.post = [this](std::function<void()> work) {
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    };
    session.settingsFile = services_.settingsFile;
    session.workingDir = services_.workingDir;
    session_ = std::make_unique<Session>(std::move(session));
    if (!services_.openUrl)
        services_.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    for (const std::string& line : services_.startupTrace)
        session_->trace(line);
    session_->trace("1");

    // The program's own text first, then what to do about it; the title names the program.
    messageHandler_ = [this](const Message& message) { showMessageBox(this, message); };
    openerQuestion_ = [this]() -> std::optional<int> {
        QInputDialog dialog(this);
        dialog.setWindowTitle(tr("Maximum number of Tables?"));
        dialog.setLabelText(tr("Tables to open:"));
        dialog.setIntRange(0, 500);
        dialog.setIntValue(kDefaultOpenerMaximum);
        fitTitle(dialog);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.intValue();
    };
    for (int i = 0; i < AutorateIcons::kCount; ++i)
        autorateIcons_.emplace_back(
            QString::fromStdString(shippedFile(AutorateIcons::fileName(i)).string()));
    session_->trace("2");

    createLists();
    createWidgets();
    createMenus();
    setWindowTitle(QStringLiteral("Kestrova Everest v1.30"));
    setWindowIcon(appIcon());
    session_->trace("<16>");
    // The answer comes later from its own thread; the window does not wait for it.
    updateOffer_ = new UpdateOffer(this, session_->settings(),
                                   [this](const QUrl& url) { openInBrowser(url); });
    updateOffer_->checkAtStartup();

    applyDisplaySettings();
    restoreWindowState(*this, {tableList_, playerList_, wholePlayerList_}, services_.workingDir);
    createHistoryActions();
    // "kestrova-cli" may change the database and watch lists while the window runs.
    new CompanionWatcher(session_->companionFiles(), this);
    if (!services_.platformProblem.empty())
        statusBar()->showMessage(toQString(services_.platformProblem));
    session_->setListener(this);
    updateControls();
    session_->trace("<32>");
}

MainWindow::~MainWindow() {
    if (trayIcon_)
        trayIcon_->hide();
    if (saveWindowState(*this, {tableList_, playerList_, wholePlayerList_}, services_.workingDir)) {
        // The interval the user chose, not what is left of its countdown.
        const ScanSchedule& schedule = session_->passes().schedule();
        AppSettings edited = session_->settings();
        edited.scanIntervalMinutes =
            schedule.intervalScanOn() ? schedule.intervalMinutes() : sbInterval_->value();
        session_->update(edited, {SettingsPart::ScanInterval});
    }
    session_->trace(TraceLog::kCleanupMarker);
    // The worker stops before the views and their lists go.
    session_.reset();
}

void MainWindow::setMessageHandler(MessageHandler handler) {
    messageHandler_ = std::move(handler);
}

void MainWindow::setOpenerQuestion(IntegerQuestion question) {
    openerQuestion_ = std::move(question);
}

void MainWindow::setUserPrompts(UserPrompts prompts) {
    userPrompts_ = std::move(prompts);
}

UserPrompts MainWindow::prompts() const {
    UserPrompts p = userPrompts_ ? *userPrompts_ : UserPrompts::standard();
    p.showMessage = [this](QWidget*, const Message& message) { messageHandler_(message); };
    return p;
}

void MainWindow::createLists() {
    tableList_ = makeList("tableList", headersOf(tableColumns()));
    // The score is what a table is chosen by: it shows beside the name.
    tableList_->header()->moveSection(kScoreColumn, 1);
    describeColumns(tableList_, tableColumns(), 0);
    tableList_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(tableList_, &QTreeWidget::currentItemChanged, this, &MainWindow::table_Clicked);
    connect(tableList_, &QTreeWidget::itemDoubleClicked, this, &MainWindow::table_dblClicked);

    playerList_ = makeList("playerList", headersOf(playerColumns()));
    describeColumns(playerList_, playerColumns(), 0);
    playerList_->setSelectionMode(QAbstractItemView::NoSelection);
    playerList_->setAlternatingRowColors(true);
    connect(playerList_, &QTreeWidget::itemClicked, this, &MainWindow::player_Clicked);

    QStringList wholeHeaders = headersOf(playerColumns());
    wholeHeaders.prepend(translated(text_context::kColumns, kWholeListTableHeader));
    wholePlayerList_ = makeList("wholePlayerList", wholeHeaders);
    wholePlayerList_->headerItem()->setToolTip(0, tr("The table he sits at"));
    describeColumns(wholePlayerList_, playerColumns(), 1);
    wholePlayerList_->setSelectionMode(QAbstractItemView::SingleSelection);
    wholePlayerList_->setAlternatingRowColors(true);
    wholePlayerList_->setMinimumHeight(50);
    connect(wholePlayerList_, &QTreeWidget::itemClicked, this, &MainWindow::playerlist_Clicked);

    tables_ = new TableListView(
        tableList_, session_->lists().tables(),
        [this] { return session_->settings().display.score.validated().goodScore; },
        [this]() -> const ColourRanges& { return session_->colours(); },
        [this](const TableRow& row, bool weakOnly) {
            return session_->lists().waitingPlayersText(row, weakOnly);
        },
        this);
    // The session keeps the current row and its selection; the buttons act on that.
    connect(tableList_, &QTreeWidget::currentItemChanged, this, &MainWindow::tableSelectionChanged);
    connect(tableList_, &QTreeWidget::itemSelectionChanged, this,
            &MainWindow::tableSelectionChanged);
    tablePlayers_ =
        new PlayerListView(playerList_, session_->lists().tablePlayers(),
                           PlayerListView::Columns::TablePlayers, *session_, autorateIcons_, this);
    wholePlayers_ =
        new PlayerListView(wholePlayerList_, session_->lists().players(),
                           PlayerListView::Columns::WholeList, *session_, autorateIcons_, this);
}

void MainWindow::createWidgets() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);

    auto* row = new QHBoxLayout;
    knownPlayers_ = new QLabel(knownPlayerText(kInitialKnownPlayerLine));
    knownPlayers_->setObjectName(QStringLiteral("knownPlayers"));
    pbFilter_ = makeRowButton(tr("F&ilter"), "pbFilter", 130, tr("Filter which tables to scan"),
                              tr("Specify the filter for which tables to scan."));
    pbRefresh_ = makeRowButton(tr("&Get Table List"), "pbRefresh", 130,
                               tr("Retrieve list of available tables"),
                               tr("Just retrieves the list of available tables."));
    pbScan_ = makeRowButton(tr("Scan &Selected Table"), "pbScan", 130, tr("Scan The Table"),
                            tr("Scans the currently selected table from the tablelist."));
    pbFullScan_ = makeRowButton(tr("Scan &All Tables"), "pbFullScan", 130,
                                tr("Updates the tablelist and start a Scan"),
                                tr("Reloads the tablelist and starts the scanning of all tables, "
                                   "which suffice the specified filter."));
    pbOpener_ = makeRowButton(tr("&Run Opener"), "pbOpener", 130, QString(), QString());
    pbJoin_ = makeRowButton(tr("&Open"), "pbJoin", 100, tr("Open the table"), tr("Open the table"));
    for (QWidget* w : std::initializer_list<QWidget*>{knownPlayers_, pbFilter_, pbRefresh_, pbScan_,
                                                      pbFullScan_, pbOpener_, pbJoin_})
        row->addWidget(w);

    sbInterval_ = new QSpinBox;
    sbInterval_->setObjectName(QStringLiteral("sbInterval"));
    sbInterval_->setRange(0, 60);
    sbInterval_->setMaximumWidth(40);
    sbInterval_->setValue(session_->settings().scanIntervalMinutes);
    sbInterval_->setToolTip(tr("Counter for intervalscan (in minutes)"));
    sbInterval_->setStatusTip(tr("Counts the minutes till the next FullScan."));
    cbInterval_ = new QCheckBox(tr("Inter&valscan"));
    cbInterval_->setObjectName(QStringLiteral("cbInterval"));
    cbInterval_->setMaximumWidth(cbInterval_->sizeHint().width());  // its whole text, no more
    cbInterval_->setToolTip(tr("Activate intervalscan"));
    cbInterval_->setStatusTip(tr("If checked: Fullscan will be run if counter is zero."));
    row->addWidget(sbInterval_);
    row->addWidget(cbInterval_);
    layout->addLayout(row);

    connect(pbFilter_, &QPushButton::clicked, this, &MainWindow::slot_pbFilter);
    connect(pbRefresh_, &QPushButton::clicked, this, &MainWindow::slot_pbRefresh);
    connect(pbScan_, &QPushButton::clicked, this, &MainWindow::slot_pbScan);
    connect(pbFullScan_, &QPushButton::clicked, this, &MainWindow::slot_pbFullScan);
    connect(pbOpener_, &QPushButton::clicked, this, &MainWindow::slot_pbOpener);
    connect(pbJoin_, &QPushButton::clicked, this, &MainWindow::slot_pbJoin);
    connect(cbInterval_, &QCheckBox::clicked, this, &MainWindow::slot_checkScan);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    auto* tablePanel = new QWidget;
    auto* tableLayout = new QVBoxLayout(tablePanel);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(tableList_);
    scoreLegend_ = new QLabel;
    scoreLegend_->setObjectName(QStringLiteral("scoreLegend"));
    tableLayout->addWidget(scoreLegend_);
    updateScoreLegend();
    splitter->addWidget(tablePanel);
    splitter->addWidget(playerList_);
    wholePlayerPanel_ = new QWidget;
    auto* panelLayout = new QHBoxLayout(wholePlayerPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(wholePlayerList_);
    // The word stands letter under letter on the narrow button.
    pbLowFilter_ = new QPushButton(tr("F\ni\nl\nt\ne\nr"));
    pbLowFilter_->setObjectName(QStringLiteral("pbLowFilter"));
    pbLowFilter_->setMaximumWidth(30);
    pbLowFilter_->setMinimumHeight(100);
    connect(pbLowFilter_, &QPushButton::clicked, this, &MainWindow::slot_pblowfilter);
    panelLayout->addWidget(pbLowFilter_);
    splitter->addWidget(wholePlayerPanel_);
    layout->addWidget(splitter);

    // At a large scale the buttons and lists can need more than the screen
    // has: they scroll then rather than push the window off it.
    setCentralWidget(new PageScroller(central));
    // A pass's last problem; a label, so that status tips do not wipe it.
    passProblem_ = new QLabel(this);
    passProblem_->setObjectName(QStringLiteral("passProblem"));
    statusBar()->addWidget(passProblem_, 1);
}

void MainWindow::createMenus() {
    const MainMenus menus = MainMenus::build(*menuBar(), session_->settings());
    qaOptions_ = menus.options;
    qaCheckUpdate_ = menus.checkUpdate;
    qaUseAgg_ = menus.useAggregator;
    connect(menus.options, &QAction::triggered, this, &MainWindow::slot_pbOptionen);
    connect(menus.getTableList, &QAction::triggered, this, &MainWindow::slot_pbRefresh);
    connect(menus.scanSelected, &QAction::triggered, this, &MainWindow::slot_pbScan);
    connect(menus.scanAll, &QAction::triggered, this, &MainWindow::slot_pbFullScan);
    connect(menus.open, &QAction::triggered, this, &MainWindow::slot_pbJoin);
    tableList_->addAction(menus.open);  // Return on a row
    connect(menus.cancelPass, &QAction::triggered, this,
            [this] { session_->passes().scans().cancel(); });
    passActions_ = {menus.getTableList, menus.scanSelected, menus.scanAll};
    qaCancelPass_ = menus.cancelPass;
    connect(menus.about, &QAction::triggered, this, &MainWindow::slot_qaAbout);
    connect(menus.userGuide, &QAction::triggered, this, &MainWindow::slot_qaUserGuide);
    connect(menus.keys, &QAction::triggered, this, &MainWindow::slot_qaKeys);
    connect(menus.teachFont, &QAction::triggered, this, &MainWindow::slot_qaTeachFont);
    connect(menus.exit, &QAction::triggered, this, &MainWindow::slot_quit);
    connect(menus.showBuddies, &QAction::triggered, this, &MainWindow::slot_ShowBuddies);
    connect(menus.addBuddy, &QAction::triggered, this, &MainWindow::slot_AddBuddies);
    connect(menus.importBuddies, &QAction::triggered, this, &MainWindow::slot_ImportBDB);
    connect(menus.csvImport, &QAction::triggered, this, &MainWindow::slot_ImportBuddies);
    connect(menus.csvExport, &QAction::triggered, this, &MainWindow::slot_ExportBuddies);
    connect(menus.checkUpdate, &QAction::toggled, this, &MainWindow::slot_Update);
    connect(menus.download, &QAction::triggered, this, &MainWindow::slot_Download);
    connect(menus.updateAggregator, &QAction::triggered, this, &MainWindow::slot_Agg);
    connect(menus.useAggregator, &QAction::toggled, this, &MainWindow::slot_UseAgg);
    connect(menus.aggregatorHelp, &QAction::triggered, this, &MainWindow::slot_AggHelp);
    connect(menus.layoutManager, &QAction::triggered, this, &MainWindow::slot_qaLayout);
    connect(menus.history, &QAction::triggered, this, [this] { historyActions_->showHistory(); });
    connect(menus.watchList, &QAction::triggered, this,
            [this] { historyActions_->showWatchList(); });
    createTrayIcon(menus.scanAll, menus.exit);
}

void MainWindow::createHistoryActions() {
    historyActions_ = new HistoryActions(*session_, prompts(), trayIcon_, this);
    historyActions_->addTableList(tableList_, [this](const QTreeWidgetItem* item) {
        const std::string* name = item ? tables_->nameOf(item) : nullptr;
        return name ? *name : std::string();
    });
    for (PlayerListView* view : {tablePlayers_, wholePlayers_})
        historyActions_->addPlayerList(view->widget(), [view](const QTreeWidgetItem* item) {
            const std::shared_ptr<PlayerStats> record = item ? view->recordOf(item) : nullptr;
            return record ? record->name : std::string();
        });
    connect(historyActions_, &HistoryActions::selectTable, this, [this](const QString& table) {
        if (QTreeWidgetItem* item = tables_->itemOf(table.toStdString()))
            tableList_->setCurrentItem(item);
        showNormal();
        raise();
        activateWindow();
    });
    connect(historyActions_, &HistoryActions::openTable, this, [this](const QString& table) {
        if (QTreeWidgetItem* item = tables_->itemOf(table.toStdString()))
            tableList_->setCurrentItem(item);
        // A pass holds the client: the table opens when it ends.
        if (session_->passes().busy()) {
            pendingOpen_ = table.toStdString();
            statusBar()->showMessage(tr("%1 opens when the running scan ends.").arg(table), 15000);
            return;
        }
        session_->passes().openTable(table.toStdString());
    });
    for (auto said : {&HistoryActions::unshown, &HistoryActions::said})
        connect(historyActions_, said, this,
                [this](const QString& text) { statusBar()->showMessage(text, 15000); });
}

void MainWindow::historyAlerts(const std::vector<AlertNotice>& notices) {
    historyActions_->alertsRaised(notices);
}

void MainWindow::watchListChanged() {
    historyActions_->watchListChanged();
    // The name tips say who is watched.
    session_->lists().players().refresh();
    session_->lists().tablePlayers().refresh();
}

void MainWindow::createTrayIcon(QAction* scanAll, QAction* exit) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    trayIcon_ = new TrayIcon(this, appIcon(), scanAll, exit);
    trayIcon_->show();
}

void MainWindow::applyDisplaySettings() {
    const DisplaySettings& display = session_->settings().display;
    for (std::size_t c = 0; c < kTableColumnCount; ++c)
        tableList_->setColumnHidden(static_cast<int>(c), !display.tableColumns[c]);
    for (std::size_t c = 0; c < kPlayerColumnCount; ++c) {
        const bool hidden = !display.playerColumns[c];
        playerList_->setColumnHidden(static_cast<int>(c), hidden);
        wholePlayerList_->setColumnHidden(static_cast<int>(c) + 1, hidden);
    }
    wholePlayerPanel_->setVisible(display.wholePlayerList);
}

// Scans and the table list wait while anything runs, and while the opener
// keeps the scans to itself; the opener can always be stopped.
void MainWindow::updateControls() {
    const bool busy = session_->passes().busy();
    const ScanSchedule& schedule = session_->passes().schedule();
    const bool free = !busy && !schedule.openerRunning();
    for (QWidget* w : std::initializer_list<QWidget*>{pbFullScan_, pbScan_, pbRefresh_})
        w->setEnabled(free);
    for (QAction* action : passActions_)
        action->setEnabled(free);
    qaCancelPass_->setEnabled(busy);
    qaOptions_->setEnabled(free);
    sbInterval_->setEnabled(free && !schedule.intervalScanOn());
    pbOpener_->setEnabled(schedule.openerRunning() || !busy);
    pbOpener_->setText(schedule.openerRunning() ? tr("Stop Op&ener") : tr("&Run Opener"));
    if (schedule.intervalScanOn())
        sbInterval_->setValue(schedule.intervalMinutesLeft());
}

void MainWindow::settingsChanged(const std::vector<SettingsPart>& parts) {
    if (std::find(parts.begin(), parts.end(), SettingsPart::Options) != parts.end()) {
        applyDisplaySettings();
        updateScoreLegend();
    }
}

// The last scan's share of known players, and the table rows so far; the session's
// line has the count too, but in English.
void MainWindow::showTableCount() {
    const std::string& line = session_->lists().knownPlayerLine();
    knownPlayers_->setText(knownPlayerText(line) + QLatin1Char('\n') +
                           tr("Tables: %1").arg(session_->lists().tables().size()));
}

void MainWindow::updateScoreLegend() {
    const ScoreSettings score = session_->settings().display.score.validated();
    scoreLegend_->setText(
        tr("<span style=\"background-color:#d6f0d6\">&nbsp;&nbsp;&nbsp;&nbsp;</span> Score %1 or "
           "more: that many weak players (true VPIP above %2 %) are expected at the table.")
            .arg(QString::number(score.goodScore, 'f', 1))
            .arg(score.weakVpipPercent));
}

void MainWindow::showMessage(const Message& message) {
    // The box goes once it is answered; the status bar keeps the problem in
    // sight (a database left out, say) until the next pass starts.
    QString line = messageText(message.text);
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    passProblem_->setText(messageText(message.title) + QStringLiteral(": ") + line);
    messageHandler_(message);
}

void MainWindow::busyChanged(bool busy) {
    updateControls();
    if (!busy && !pendingOpen_.empty()) {
        // Not from inside the session's own report.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!session_->passes().busy() && !pendingOpen_.empty())
                    session_->passes().openTable(std::exchange(pendingOpen_, std::string()));
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::timersChanged() {
    updateControls();
}

void MainWindow::passProgress(const PassProgress& progress) {
    if (progress_)
        progress_->show(progress);
}

void MainWindow::passStarted(PassKind) {
    passProblem_->clear();
    lastRowName_.clear();
    // The lobby comes up for reading only: the results come back in front.
    inFrontAtStart_ = isActiveWindow();
    progress_ =
        std::make_unique<ScanProgress>(this, [this] { session_->passes().scans().cancel(); });
}

void MainWindow::lobbyFound(const Rect& lobby) {
    if (progress_)
        progress_->lobbyFound(lobby);
}

void MainWindow::tableListRead(const std::vector<LobbyEntry>& tables) {
    showTableCount();
    if (!tables.empty())
        lastRowName_ = tables.back().name;
}

void MainWindow::tableScanned(const std::string& table) {
    lastRowName_ = table;
    showTableCount();
    // "Scan Selected Table" shows the table it scanned, found by name.
    if (session_->passes().scans().runningPass() == PassKind::ScanSelected) {
        if (QTreeWidgetItem* row = tables_->itemOf(table)) {
            tableList_->setCurrentItem(row);
            showTable(row);
        }
    }
}

void MainWindow::fontFound(const std::string& description) {
    statusBar()->showMessage(
        tr("The lobby is read in the font found: %1").arg(toQString(description)));
}

void MainWindow::passFinished(const scan_event::Finished& done) {
    progress_.reset();
    // An opened table stays in front of the window.
    if (inFrontAtStart_ && done.pass != PassKind::OpenTable &&
        !session_->passes().scans().runningOpenerScan()) {
        raise();
        activateWindow();
    }
    // The last row a pass made is the current one, so that "Open" acts on
    // it; the selection stays as the user left it.
    if (done.pass == PassKind::TableList || done.pass == PassKind::ScanAll) {
        if (QTreeWidgetItem* row = tables_->itemOf(lastRowName_);
            row && !session_->lists().currentTable())
            tableList_->setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
    }
    if (done.pass == PassKind::ScanSelected || done.pass == PassKind::ScanAll) {
        if (trayIcon_)
            trayIcon_->scanEnded(session_->lists().tables().rows());
        showTableCount();
        fitTableColumns();
    }
}

void MainWindow::jobEvent(const JobEvent& event) {
    if (const auto* started = std::get_if<job_event::Started>(&event)) {
        const auto cancel = [this] { session_->passes().jobs().cancel(); };
        switch (started->job) {
            case JobKind::PlayerImport:
                jobProgress_ = std::make_unique<JobProgress>(
                    this, tr("Please Wait..."), messageText(PlayerImport::kCollectingLabel),
                    QStringLiteral("importProgress"), cancel);
                break;
            case JobKind::AggregatorBuild:
                jobProgress_ = std::make_unique<JobProgress>(
                    this, aggregatorQuestionTitle(), tr("Please Wait..."),
                    QStringLiteral("aggregatorProgress"), cancel);
                break;
            case JobKind::ConnectionTest:
                // The database page shows its own wait, inside the modal Options dialog.
                break;
            case JobKind::PlayerLookup:  // the command line's alone
            case JobKind::LobbyCapture:  // a moment: the dialog follows
            case JobKind::FontSearch:    // the dialog says it is looking
                break;
        }
    } else if (const auto* progress = std::get_if<job_event::Progress>(&event)) {
        if (jobProgress_)
            jobProgress_->show(*progress);
    } else if (const auto* built = std::get_if<job_event::AggregatorDone>(&event)) {
        jobProgress_.reset();
        if (built->built)
            showAggregatorUpdated(this, toQString(built->completionText));
    } else if (const auto* captured = std::get_if<job_event::LobbyCaptured>(&event)) {
        if (!captured->capture) {
            // Capturing fails only where no lobby can be found.
            messageHandler_(
                guiMessage(MessageKind::LobbyNotFound, errorTitle(), toQString(captured->problem)));
            return;
        }
        auto* dialog = new TeachFontDialog(*session_, *captured->capture, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        teachFont_ = dialog;
        dialog->open();
    } else if (const auto* searched = std::get_if<job_event::FontSearched>(&event)) {
        // Nobody waits when the dialog closed meanwhile; the font is read with all the same.
        if (teachFont_)
            teachFont_->fontSearched(*searched);
    } else if (const auto* tested = std::get_if<job_event::ConnectionsTested>(&event)) {
        // Nobody waits when the dialog closed meanwhile.
        if (databasePage_)
            databasePage_->connectionsTested(tested->failures);
    } else {
        jobProgress_.reset();
    }
}

void MainWindow::fitTableColumns() {
    for (int c = 0; c < kTableColumnsFitted; ++c)
        tableList_->resizeColumnToContents(c);
}

void MainWindow::slot_pbRefresh() {
    session_->passes().getTableList();
}

void MainWindow::slot_pbScan() {
    const std::string* selected = session_->lists().selectedTable();
    if (!selected) {
        messageHandler_(
            guiMessage(MessageKind::Failure, errorTitle(), QString::fromLatin1(kSelectTableFirst)));
        return;
    }
    session_->passes().scanSelected(std::string(*selected));
}

void MainWindow::slot_pbFullScan() {
    session_->passes().scanAll();
}

void MainWindow::slot_checkScan() {
    ScanSchedule& schedule = session_->passes().schedule();
    schedule.setIntervalScan(cbInterval_->isChecked(), schedule.intervalScanOn()
                                                           ? schedule.intervalMinutes()
                                                           : sbInterval_->value());
    if (!cbInterval_->isChecked())
        sbInterval_->setValue(schedule.intervalMinutes());
}

void MainWindow::slot_pbOpener() {
    ScanSchedule& schedule = session_->passes().schedule();
    if (schedule.openerRunning()) {
        schedule.stopOpener();
        return;
    }
    const std::optional<int> maximum = openerQuestion_();
    if (maximum && !schedule.startOpener(*maximum))
        refused();
}

void MainWindow::showTable(QTreeWidgetItem* row) {
    const std::string* name = tables_->nameOf(row);
    session_->lists().showTable(name ? *name : std::string());
    for (int c = 0; c < kPlayerColumnsFitted; ++c)
        playerList_->resizeColumnToContents(c);
    playerList_->sortByColumn(playerList_->header()->sortIndicatorSection(), Qt::DescendingOrder);
}

void MainWindow::table_Clicked(QTreeWidgetItem* current, QTreeWidgetItem*) {
    if (!current)
        return;
    current->setSelected(true);
    showTable(current);
}

void MainWindow::table_dblClicked(QTreeWidgetItem*, int) {
    if (session_->settings().display.doubleClickOpens)
        slot_pbJoin();
}

void MainWindow::tableSelectionChanged() {
    const QTreeWidgetItem* current = tableList_->currentItem();
    const std::string* name = tables_->nameOf(current);
    session_->lists().setSelection(name ? std::optional<std::string>(*name) : std::nullopt,
                                   current && current->isSelected());
}

void MainWindow::player_Clicked(QTreeWidgetItem* item, int column) {
    if (!item || column != kBuddyColumn)
        return;
    if (const std::shared_ptr<PlayerStats> record = tablePlayers_->recordOf(item)) {
        offerBuddyFileRepair(this, session_->buddies(), prompts());
        session_->setBuddy(record->name, item->checkState(column) == Qt::Checked);
    }
}

void MainWindow::playerlist_Clicked(QTreeWidgetItem* item, int column) {
    const std::shared_ptr<PlayerStats> record = item ? wholePlayers_->recordOf(item) : nullptr;
    if (!record)
        return;
    if (column == kBuddyColumn + 1) {
        offerBuddyFileRepair(this, session_->buddies(), prompts());
        session_->setBuddy(record->name, item->checkState(column) == Qt::Checked);
        return;
    }
    // A player row leads to his table.
    for (QTreeWidgetItem* selected : tableList_->selectedItems())
        selected->setSelected(false);
    if (QTreeWidgetItem* row = tables_->itemOf(record->table)) {
        tableList_->setCurrentItem(row);
        table_Clicked(row, nullptr);
    }
}

void MainWindow::slot_pbJoin() {
    if (const std::string* name = session_->lists().currentTable())
        session_->passes().openTable(std::string(*name));
}

void MainWindow::slot_pbFilter() {
    const AppSettings& settings = session_->settings();
    auto* dialog = new ScanFilterDialog(settings.scanFilter, settings.clientKind, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ScanFilterDialog::scanFilterSaved, this, [this, dialog] {
        AppSettings edited = session_->settings();
        edited.scanFilter = dialog->edited();
        session_->update(edited, {SettingsPart::ScanFilter});
    });
    dialog->open();
}

void MainWindow::slot_pblowfilter() {
    auto* dialog = new PlayerFilterDialog(session_->settings().playerFilter, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &PlayerFilterDialog::playerFilterSaved, this, [this, dialog] {
        AppSettings edited = session_->settings();
        edited.playerFilter = dialog->playerFilter();
        session_->update(edited, {SettingsPart::PlayerFilter});
    });
    dialog->open();
}

void MainWindow::slot_pbOptionen() {
    TabDialog::Services services;
    services.prompts = prompts();
    services.databases.help = [this] {
        showGuide(QString::fromLatin1(HelpWindow::kDatabasesSection), databasePage_.data());
    };
    services.databases.testConnections = [this](std::vector<DatabaseEntry> entries,
                                                std::chrono::milliseconds timeout) {
        const bool started = session_->passes().jobs().testConnections(std::move(entries), timeout);
        if (!started)
            refused();
        return started;
    };
    services.databases.stored = session_->databases();
    services.databases.storedProblem = session_->databaseProblem();
    services.saveDatabases = [this](const DatabaseList& list) { session_->saveDatabases(list); };
    services.save = [this](const AppSettings& edited, SettingsPart part) {
        session_->update(edited, {part});
    };
    services.profiles = session_->colours();
    // New colours show at once, not only after the dialog.
    services.saveProfile = [this](ProfileStat stat, const StatProfile& profile) {
        std::string problem;
        if (session_->saveProfile(stat, profile, &problem))
            return true;
        messageHandler_(guiMessage(MessageKind::Failure, errorTitle(), toQString(problem)));
        return false;
    };
    TabDialog dialog(session_->settings(), std::move(services), this);
    // Soon enough: the answer to the page's test comes through the dialog's event loop.
    databasePage_ = dialog.dbTab();
    // The datamining pages serve only the clients it can read.
    if (!hasDatamining(session_->settings().clientKind)) {
        dialog.openTab()->setEnabled(false);
        dialog.closeTab()->setEnabled(false);
        dialog.limitTab()->setEnabled(false);
    }
    dialog.resize(500, 500);
    // Never narrower than its pages' texts, whatever the language and font size.
    dialog.setMinimumWidth(std::max(500, dialog.minimumSizeHint().width()));
    dialog.exec();
    session_->optionsClosed();
}

void MainWindow::refused() {
    messageHandler_(
        guiMessage(MessageKind::PassRunning, errorTitle(), QString::fromLatin1(kWaitForScan)));
}

void MainWindow::slot_ShowBuddies() {
    BuddyListWindow window(session_->buddies(), prompts(), this);
    connect(&window, &BuddyListWindow::buddiesChanged, this,
            [this] { session_->buddiesChanged(); });
    window.exec();
}

void MainWindow::slot_AddBuddies() {
    if (addBuddyInteractively(this, session_->buddies(), prompts()))
        session_->buddiesChanged();
}

void MainWindow::slot_ImportBuddies() {
    if (importBuddiesFromCsv(this, session_->buddies(), prompts()))
        session_->buddiesChanged();
}

void MainWindow::slot_ExportBuddies() {
    exportBuddiesToCsv(this, session_->buddies(), prompts());
}

void MainWindow::slot_ImportBDB() {
    if (session_->passes().busy()) {
        refused();
        return;
    }
    auto* dialog = new ImportPlayersDialog(
        [this](const ImportFilter& filter) {
            const bool started = session_->passes().jobs().importPlayers(filter);
            if (!started)
                refused();
            return started;
        },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::slot_Update() {
    AppSettings edited = session_->settings();
    edited.checkUpdate = qaCheckUpdate_->isChecked();
    session_->update(edited, {SettingsPart::CheckUpdate});
}

void MainWindow::slot_Download() {
    updateOffer_->visitDownloadPage();
}

void MainWindow::slot_Agg() {
    if (session_->passes().busy()) {
        refused();
        return;
    }
    if (confirmAggregatorUpdate(this) && !session_->passes().jobs().buildAggregator())
        refused();
}

void MainWindow::slot_AggHelp() {
    showAggregatorHelp(this);
}

void MainWindow::slot_UseAgg() {
    AppSettings edited = session_->settings();
    edited.useAggregator = qaUseAgg_->isChecked();
    session_->update(edited, {SettingsPart::UseAggregator});
}

void MainWindow::slot_qaLayout() {
    LayoutManagerDialog dialog(
        session_->workingDir(), this,
        [this](QWidget*, const Message& message) { messageHandler_(message); });
    dialog.exec();
}

void MainWindow::slot_qaAbout() {
    auto* about = new AboutDialog(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    connect(about, &AboutDialog::closeRequested, about, &QWidget::close);
    about->open();
}

void MainWindow::slot_qaUserGuide() {
    showGuide(QString());
}

void MainWindow::showGuide(const QString& section, QWidget* over) {
    QWidget* owner = over ? over->window() : this;
    if (!help_ || help_->parentWidget() != owner) {
        if (help_)
            help_->close();
        auto* window =
            new HelpWindow(QString::fromStdString(shippedFile(kGuideFile).string()), owner);
        if (!window->loaded()) {
            delete window;
            openInBrowser(QUrl(toQString(updateOffer_->site().page(kGuidePage))));
            return;
        }
        window->setAttribute(Qt::WA_DeleteOnClose);
        help_ = window;
    }
    help_->showSection(section);
}

void MainWindow::openInBrowser(const QUrl& url) {
    if (!services_.openUrl(url))
        messageHandler_(guiMessage(
            MessageKind::Failure, errorTitle(),
            tr("No web browser could be started for %1. Please open the address in a browser "
               "yourself.")
                .arg(url.toString())));
}

void MainWindow::slot_qaKeys() {
    KeysDialog dialog(*menuBar(), this);
    dialog.exec();
}

void MainWindow::slot_qaTeachFont() {
    // The capture waits on the X server: the worker takes it, the dialog follows.
    if (!session_->passes().jobs().captureLobby())
        refused();
}

// "Exit" ends at once: nothing is saved, as the user asked for a hard stop.
void MainWindow::slot_quit() {
    std::exit(0);
}

}  // namespace kestrova
