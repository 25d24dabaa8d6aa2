#include "grabber.h"

#include "AboutDialog.h"
#include "AggregatorDialogs.h"
#include "AppIcon.h"
#include "BuddyListWindow.h"
#include "CTreeWidgetItem.h"
#include "ImportPlayersDialog.h"
#include "MessageHandlerSink.h"
#include "ProfilTab.h"
#include "QtText.h"
#include "ScanProgress.h"
#include "client/lobby/EverestLobby.h"
#include "client/lobby/GlyphTables.h"
#include "common/Clock.h"
#include "common/DataFiles.h"
#include "scan/PassContext.h"
#include "scan/TableListPass.h"
#include "scan/TableListRows.h"
#include "settings/ColumnConf.h"
#include "settings/DirConf.h"
#include "settings/OpenCountConf.h"
#include "settings/SettingKeys.h"
#include "settings/StakesFile.h"
#include "settings/Window2Conf.h"
#include "settings/WindowConf.h"
#include "stats/DatabaseList.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
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
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdlib>
#include <ctime>

using namespace kestrova;

namespace {

constexpr int kEverestClientKind = 5;

const QStringList& tableListHeaders() {
    static const QStringList headers = {
        QStringLiteral("Tablename"), QStringLiteral("Limit"),     QStringLiteral("WL"),
        QStringLiteral("Player"),    QStringLiteral("Avg. Pot"),  QStringLiteral("Avg. VPIP"),
        QStringLiteral("Avg. PFR"),  QStringLiteral("Avg. AF"),   QStringLiteral("Avg. WTSD"),
        QStringLiteral("# Reads"),   QStringLiteral("# Buddies"), QStringLiteral("# Loser"),
        QStringLiteral("Tot.Stacks")};
    return headers;
}

const QStringList& playerListHeaders() {
    static const QStringList headers = {
        QStringLiteral("Seat"),         QStringLiteral("Screenname"),
        QStringLiteral("Autorate"),     QStringLiteral("Buddy"),
        QStringLiteral("Stack"),        QStringLiteral("Hands"),
        QStringLiteral("Won"),          QStringLiteral("BB/100"),
        QStringLiteral("VPIP"),         QStringLiteral("PFR"),
        QStringLiteral("AF"),           QStringLiteral("WTSD"),
        QStringLiteral("Won SD"),       QStringLiteral("Flop AF"),
        QStringLiteral("Turn AF"),      QStringLiteral("River AF"),
        QStringLiteral("Att. Steal"),   QStringLiteral("Fold SB t.S."),
        QStringLiteral("Fold BB t.S."), QStringLiteral("Conti Bet Flop")};
    return headers;
}

QPushButton* makeButton(const QString& text, int maxWidth, const QString& tip,
                        const QString& statusTip) {
    auto* button = new QPushButton(text);
    button->setMaximumWidth(maxWidth);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    if (!statusTip.isEmpty())
        button->setStatusTip(statusTip);
    return button;
}

QAction* makeAction(QMenu* menu, const QString& text, const QString& tip,
                    const QString& statusTip = QString()) {
    QAction* action = menu->addAction(text);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    action->setStatusTip(statusTip.isEmpty() ? tip : statusTip);
    return action;
}

}  // namespace

grabber::grabber(GrabberServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      settings_(services_.settingsFile),
      traceLog_(services_.workingDir / kestrova::TraceLog::kFileName),
      buddies_(services_.workingDir) {
    // Font smoothing, the hook log and the local MySQL server of the Windows client
    // have no counterpart on this desktop.
    if (!services_.headless)
        traceLog_.truncate();
    trace("1");
    clock_ = services_.clock;
    if (!clock_) {
        ownClock_ = std::make_unique<SystemClock>();
        clock_ = ownClock_.get();
    }
    messageHandler_ = [this](const QString& title, const QString& text) {
        QMessageBox::information(this, title, text);
    };
    openerQuestion_ = [this]() -> std::optional<int> {
        bool ok = false;
        const int maximum =
            QInputDialog::getInt(this, QStringLiteral("Maximum number of Tables?"),
                                 QStringLiteral("Tables to open:"), 30, 0, 500, 1, &ok);
        return ok ? std::optional<int>(maximum) : std::nullopt;
    };
    trace("2");

    autorate_ = AutorateIcons::fromSettings(settings_);
    for (int i = 0; i < AutorateIcons::kCount; ++i)
        autorateIcons_.emplace_back(
            QString::fromStdString(findDataFile(AutorateIcons::fileName(i)).string()));
    createTimers();
    trace("3");

    clientKind_ = settings_.read(keys::form);
    skin_ = settings_.read(keys::skin);
    tablesToOpen_ = OpenCountConf::read(services_.workingDir);
    tableFilter_ = TableFilterSettings::fromSettings(settings_);
    loadDatabases();
    createLists();
    trace("<12>");

    createWidgets();
    createMenus();
    createHiddenMenus();
    setWindowTitle(QStringLiteral("Kestrova Everest v1.30"));
    setWindowIcon(appIcon());
    trace("<16>");

    if (buddies_.loadBuddies() == BuddyList::LoadResult::ReadError)
        showMessage(toQString(BuddyList::kErrorTitle), toQString(BuddyList::kReadErrorText));
    colours_ = ColourRanges::load(services_.workingDir);
    limits_ = LimitsFile::read(services_.workingDir, clientKind_);
    applyColumnVisibility();
    cacheExpiry_.setLifetimeSeconds(cacheLifetimeSeconds(settings_));
    trace("<20>");
    loadFilterKeys();
    evaluation_ = EvaluationSettings::fromSettings(settings_);
    trace("<22>");

    restoreGeometryAndSorting();
    trace("<24>");

    selectEverestClient();
    trace("<26>");
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (!services_.headless)
        createTrayIcon();
    trace("<28>");

    applyColumnWidths();
    trace("<30>");

    glyphs_ = loadGlyphTables();
    playerFilter_ = PlayerFilterSettings::fromSettings(settings_);
    currentTableItem_ = nullptr;
    trace("<32>");
}

grabber::~grabber() {
    if (trayIcon_)
        trayIcon_->hide();
    if (services_.headless)
        return;
    saveGeometryAndWidths();
    trace(TraceLog::kCleanupMarker);
}

// The tracking databases are read once here and again after the options dialog.
void grabber::loadDatabases() {
    std::string problem;
    const DatabaseList list = DatabaseList::load(services_.workingDir, &problem);
    databases_.assign(list.begin(), list.end());
    if (!tracker_)
        tracker_ = std::make_unique<TrackerLookup>(databases_, settings_, &buddies_, scan_.records,
                                                   traceLog_);
    else
        tracker_->setDatabases(databases_);
    if (!problem.empty())
        showMessage(QStringLiteral("Error"), toQString(problem));
}

void grabber::trace(std::string_view marker) const {
    if (!services_.headless)
        traceLog_.append(marker);
}

void grabber::restoreGeometryAndSorting() {
    resize(800, 600);
    const WindowStartGeometry start =
        WindowStartGeometry::from(WindowConf::read(services_.workingDir));
    if (start.tableSortColumn)
        tableList_->sortByColumn(*start.tableSortColumn, Qt::DescendingOrder);
    if (start.playerSortColumn)
        playerList_->sortByColumn(*start.playerSortColumn, Qt::DescendingOrder);

    const Window2Conf whole = Window2Conf::read(services_.workingDir);
    if (whole.sortColumn && *whole.sortColumn >= 0 &&
        *whole.sortColumn < wholePlayerList_->columnCount())
        wholePlayerList_->sortByColumn(
            *whole.sortColumn, whole.ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);

    const DirConf dir = DirConf::read(services_.workingDir);
    saveScanResult_ = dir.saveOn();
    scanResultPath_ = dir.resultPath;

    move(0, 0);
    resize(start.width, start.height);
}

void grabber::applyColumnWidths() {
    const ColumnConf widths = ColumnConf::read(services_.workingDir);
    const auto apply = [](QTreeWidget* list, int column, int width) {
        if (column >= 0 && column < list->columnCount() && width >= 0)
            list->header()->resizeSection(column, width);
    };
    for (std::size_t i = 0; i < widths.tableWidths.size(); ++i)
        apply(tableList_, static_cast<int>(i), widths.tableWidths[i]);
    for (std::size_t i = 0; i < widths.playerWidths.size(); ++i) {
        apply(playerList_, static_cast<int>(i), widths.playerWidths[i]);
        apply(wholePlayerList_, static_cast<int>(i) + 1, widths.playerWidths[i]);
    }
}

// Closing saves where the window was and how its lists were sorted; a minimised
// window has no size worth keeping, so only the column widths are written then.
void grabber::saveGeometryAndWidths() {
    if (!isMinimized()) {
        WindowConf conf;
        conf.tableSortColumn = tableList_->header()->sortIndicatorSection();
        conf.playerSortColumn = playerList_->header()->sortIndicatorSection();
        conf.width = width();
        conf.height = height();
        conf.write(services_.workingDir);
        Window2Conf::write(services_.workingDir, wholePlayerList_->header()->sortIndicatorSection(),
                           wholePlayerList_->header()->sortIndicatorOrder() == Qt::AscendingOrder);
        settings_.writeText(keys::scanint.name, std::to_string(sbInterval_->value()));
    }
    ColumnConf widths;
    for (int c = 0; c < 11; ++c)
        widths.tableWidths.push_back(tableList_->header()->sectionSize(c));
    for (int c = 0; c < 15; ++c)
        widths.playerWidths.push_back(playerList_->header()->sectionSize(c));
    widths.write(services_.workingDir);
}

void grabber::setMessageHandler(MessageHandler handler) {
    messageHandler_ = std::move(handler);
}

void grabber::setOpenerQuestion(IntegerQuestion question) {
    openerQuestion_ = std::move(question);
}

void grabber::showMessage(const QString& title, const QString& text) {
    messageHandler_(title, text);
}

void grabber::createTimers() {
    intervalTimer_ = new QTimer(this);
    connect(intervalTimer_, &QTimer::timeout, this, &grabber::stepScan);
    openerTimer_ = new QTimer(this);
    connect(openerTimer_, &QTimer::timeout, this, &grabber::slot_pbFullScan);
}

void grabber::loadFilterKeys() {
    lobbyFilter_ = LobbyFilter::fromSettings(settings_);
}

void grabber::createLists() {
    tableList_ = new QTreeWidget;
    tableList_->setObjectName(QStringLiteral("tableList"));
    tableList_->setRootIsDecorated(false);
    tableList_->setSelectionMode(QAbstractItemView::SingleSelection);
    tableList_->setColumnCount(tableListHeaders().size());
    tableList_->setHeaderLabels(tableListHeaders());
    tableList_->setSortingEnabled(true);
    tableList_->header()->setSortIndicatorShown(true);
    tableList_->sortByColumn(-1, Qt::AscendingOrder);
    connect(tableList_, &QTreeWidget::currentItemChanged, this, &grabber::table_Clicked);
    connect(tableList_, &QTreeWidget::itemDoubleClicked, this, &grabber::table_dblClicked);

    playerList_ = new QTreeWidget;
    playerList_->setObjectName(QStringLiteral("playerList"));
    playerList_->setRootIsDecorated(false);
    playerList_->setSelectionMode(QAbstractItemView::NoSelection);
    playerList_->setAlternatingRowColors(true);
    playerList_->setColumnCount(playerListHeaders().size());
    playerList_->setHeaderLabels(playerListHeaders());
    playerList_->setColumnHidden(7, true);
    playerList_->setSortingEnabled(true);
    playerList_->header()->setSortIndicatorShown(true);
    playerList_->sortByColumn(-1, Qt::AscendingOrder);
    connect(playerList_, &QTreeWidget::itemClicked, this, &grabber::player_Clicked);

    wholePlayerList_ = new QTreeWidget;
    wholePlayerList_->setObjectName(QStringLiteral("wholePlayerList"));
    wholePlayerList_->setRootIsDecorated(false);
    wholePlayerList_->setSelectionMode(QAbstractItemView::SingleSelection);
    wholePlayerList_->setAlternatingRowColors(true);
    wholePlayerList_->setMinimumHeight(50);
    QStringList wholeHeaders = playerListHeaders();
    wholeHeaders.prepend(QStringLiteral("Table"));
    wholePlayerList_->setColumnCount(wholeHeaders.size());
    wholePlayerList_->setHeaderLabels(wholeHeaders);
    wholePlayerList_->setColumnHidden(8, true);
    wholePlayerList_->setSortingEnabled(true);
    wholePlayerList_->header()->setSortIndicatorShown(true);
    wholePlayerList_->sortByColumn(-1, Qt::AscendingOrder);
    connect(wholePlayerList_, &QTreeWidget::itemClicked, this, &grabber::playerlist_Clicked);
}

void grabber::createWidgets() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);

    auto* row = new QHBoxLayout;
    knownPlayers_ = new QLabel(QStringLiteral("Knownplayer : 0 %"));
    knownPlayers_->setObjectName(QStringLiteral("knownPlayers"));
    pbFilter_ =
        makeButton(QStringLiteral("Filter"), 130, QStringLiteral("Filter which tables to scan"),
                   QStringLiteral("Specify the filter for which tables to scan."));
    pbRefresh_ = makeButton(QStringLiteral("Get Table List"), 130,
                            QStringLiteral("Retrieve list of available tables"),
                            QStringLiteral("Just retrieves the list of available tables."));
    pbScan_ =
        makeButton(QStringLiteral("Scan Selected Table"), 130, QStringLiteral("Scan The Table"),
                   QStringLiteral("Scans the currently selected table from the tablelist."));
    pbFullScan_ = makeButton(QStringLiteral("Scan All Tables"), 130,
                             QStringLiteral("Updates the tablelist and start a Scan"),
                             QStringLiteral("Reloads the tablelist and starts the scanning of all "
                                            "tables, which suffice the specified filter."));
    pbOpener_ = makeButton(QStringLiteral("Run Opener"), 130, QString(), QString());
    pbJoin_ = makeButton(QStringLiteral("Open"), 100, QStringLiteral("Open the table"),
                         QStringLiteral("Open the table"));
    pbFilter_->setObjectName(QStringLiteral("pbFilter"));
    pbRefresh_->setObjectName(QStringLiteral("pbRefresh"));
    pbScan_->setObjectName(QStringLiteral("pbScan"));
    pbFullScan_->setObjectName(QStringLiteral("pbFullScan"));
    pbOpener_->setObjectName(QStringLiteral("pbOpener"));
    pbJoin_->setObjectName(QStringLiteral("pbJoin"));
    for (QWidget* w : {static_cast<QWidget*>(knownPlayers_), static_cast<QWidget*>(pbFilter_),
                       static_cast<QWidget*>(pbRefresh_), static_cast<QWidget*>(pbScan_),
                       static_cast<QWidget*>(pbFullScan_), static_cast<QWidget*>(pbOpener_),
                       static_cast<QWidget*>(pbJoin_)})
        row->addWidget(w);

    pbWaitJoin_ = makeButton(
        QStringLiteral("Join"), 100, QStringLiteral("Join the Waitinglist"),
        QStringLiteral("Join the Waitinglist. Opens the table if no player in waitinglist."));
    sbInterval_ = new QSpinBox;
    sbInterval_->setObjectName(QStringLiteral("sbInterval"));
    sbInterval_->setRange(0, 60);
    sbInterval_->setMaximumWidth(40);
    sbInterval_->setValue(settings_.read(keys::scanint));
    sbInterval_->setToolTip(QStringLiteral("Counter for intervalscan (in minutes)"));
    sbInterval_->setStatusTip(QStringLiteral("Counts the minutes till the next FullScan."));
    cbInterval_ = new QCheckBox(QStringLiteral("Intervalscan"));
    cbInterval_->setObjectName(QStringLiteral("cbInterval"));
    cbInterval_->setMaximumWidth(80);
    cbInterval_->setToolTip(QStringLiteral("Activate intervalscan"));
    cbInterval_->setStatusTip(
        QStringLiteral("If checked: Fullscan will be run if counter is zero."));
    // The interval scan works, so its counter and switch are offered; joining the
    // waiting list is not, so its button stays hidden.
    row->addWidget(sbInterval_);
    row->addWidget(cbInterval_);
    row->addWidget(pbWaitJoin_);
    pbWaitJoin_->hide();
    layout->addLayout(row);

    connect(pbFilter_, &QPushButton::clicked, this, &grabber::slot_pbFilter);
    connect(pbRefresh_, &QPushButton::clicked, this, &grabber::slot_pbRefresh);
    connect(pbScan_, &QPushButton::clicked, this, &grabber::slot_pbScan);
    connect(pbFullScan_, &QPushButton::clicked, this, &grabber::slot_pbFullScan);
    connect(pbOpener_, &QPushButton::clicked, this, &grabber::slot_pbOpener);
    connect(pbJoin_, &QPushButton::clicked, this, &grabber::slot_pbJoin);
    connect(cbInterval_, &QCheckBox::clicked, this, &grabber::slot_checkScan);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(tableList_);
    splitter->addWidget(playerList_);
    wholePlayerPanel_ = new QWidget;
    auto* panelLayout = new QHBoxLayout(wholePlayerPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(wholePlayerList_);
    pbLowFilter_ = new QPushButton(QStringLiteral("F\ni\nl\nt\ne\nr"));
    pbLowFilter_->setObjectName(QStringLiteral("pbLowFilter"));
    pbLowFilter_->setMaximumWidth(30);
    pbLowFilter_->setMinimumHeight(100);
    connect(pbLowFilter_, &QPushButton::clicked, this, &grabber::slot_pblowfilter);
    panelLayout->addWidget(pbLowFilter_);
    splitter->addWidget(wholePlayerPanel_);
    layout->addWidget(splitter);

    setCentralWidget(central);
    statusBar();
}

void grabber::createMenus() {
    QMenu* main = menuBar()->addMenu(QStringLiteral("Main"));
    main->setObjectName(QStringLiteral("menuMain"));
    qaOptions_ = makeAction(main, QStringLiteral("Options"), QStringLiteral("Options dialog"),
                            QStringLiteral("Options dialog."));
    connect(qaOptions_, &QAction::triggered, this, &grabber::slot_pbOptionen);
    connect(makeAction(main, QStringLiteral("Profiles…"),
                       QStringLiteral("Edit the statistic profiles")),
            &QAction::triggered, this, &grabber::slot_Profiles);
    connect(main->addAction(QStringLiteral("Info")), &QAction::triggered, this,
            &grabber::slot_qaAbout);
    main->addSeparator();
    connect(main->addAction(QStringLiteral("Exit")), &QAction::triggered, this,
            &grabber::slot_quit);

    QMenu* buddies = menuBar()->addMenu(QStringLiteral("Buddylist"));
    connect(makeAction(buddies, QStringLiteral("Show"), QStringLiteral("Open the buddylist"),
                       QStringLiteral("Open the buddylist.")),
            &QAction::triggered, this, &grabber::slot_ShowBuddies);
    connect(makeAction(buddies, QStringLiteral("Add"), QStringLiteral("Add a player to buddylist")),
            &QAction::triggered, this, &grabber::slot_AddBuddies);
    connect(makeAction(buddies, QStringLiteral("Import from Database"),
                       QStringLiteral("Import player from databases")),
            &QAction::triggered, this, &grabber::slot_ImportBDB);
    connect(makeAction(buddies, QStringLiteral("CSV-Import"),
                       QStringLiteral("Import buddylist to file")),
            &QAction::triggered, this, &grabber::slot_ImportBuddies);
    connect(makeAction(buddies, QStringLiteral("CSV-Export"),
                       QStringLiteral("Export buddylist to file")),
            &QAction::triggered, this, &grabber::slot_ExportBuddies);

    QMenu* update = menuBar()->addMenu(QStringLiteral("Update"));
    qaCheckUpdate_ = update->addAction(QStringLiteral("Check for Updates on Startup"));
    qaCheckUpdate_->setCheckable(true);
    qaCheckUpdate_->setChecked(settings_.read(keys::checkupdate) == 1);
    connect(qaCheckUpdate_, &QAction::toggled, this, &grabber::slot_Update);
    connect(update->addAction(QStringLiteral("Visit Download Page")), &QAction::triggered, this,
            &grabber::slot_Download);

    QMenu* aggregator = menuBar()->addMenu(QStringLiteral("PT3 Aggregator"));
    connect(aggregator->addAction(QStringLiteral("Update database")), &QAction::triggered, this,
            &grabber::slot_Agg);
    qaUseAgg_ = aggregator->addAction(QStringLiteral("Use Aggregator Database"));
    qaUseAgg_->setCheckable(true);
    qaUseAgg_->setChecked(settings_.read(keys::useagg) == 1);
    connect(qaUseAgg_, &QAction::toggled, this, &grabber::slot_UseAgg);
    aggregator->addSeparator();
    connect(aggregator->addAction(QStringLiteral("Help / about Aggregator")), &QAction::triggered,
            this, &grabber::slot_AggHelp);
}

// Built as the client of old offered them; not in the menu bar, so unreachable for now.
void grabber::createHiddenMenus() {
    dataminingMenu_ = new QMenu(QStringLiteral("Datamining"), this);
    makeAction(dataminingMenu_, QStringLiteral("Start complete automatic"),
               QStringLiteral("Start fully automatical datamining"),
               QStringLiteral("Use this for datamining when NOT playing at the tables."));
    makeAction(dataminingMenu_, QStringLiteral("Start in background"),
               QStringLiteral("Start background datamining"),
               QStringLiteral("Use this for datamining when playing at the tables, while "
                              "datamining."));
    makeAction(dataminingMenu_, QStringLiteral("Stop"), QStringLiteral("Stop datamining"),
               QStringLiteral("Stop datamining."))
        ->setEnabled(false);
    makeAction(dataminingMenu_, QStringLiteral("Close Tables"), QStringLiteral("Close all tables"),
               QStringLiteral("Closes all tables, no matter you are sitting at."));
    QAction* minimize = makeAction(
        dataminingMenu_, QStringLiteral("Minimize tables"), QStringLiteral("Minimize all tables"),
        QStringLiteral("Minimize all tables, no matter you are sitting at."));
    minimize->setCheckable(true);
    minimize->setChecked(settings_.read(keys::minimize) == 1);

    clientMenu_ = new QMenu(QStringLiteral("Client"), this);
    auto* clients = new QActionGroup(this);
    clients->setExclusive(true);
    const QStringList names = {QStringLiteral("Partypoker"),     QStringLiteral("Empirepoker"),
                               QStringLiteral("FullTiltPoker"),  QStringLiteral("Absolute Poker"),
                               QStringLiteral("Big Chip Poker"), QStringLiteral("Vegas Poker 24/7"),
                               QStringLiteral("ParadisePoker"),  QStringLiteral("PokerStars"),
                               QStringLiteral("BoDog"),          QStringLiteral("Doyles Room")};
    for (const QString& name : names) {
        QAction* a =
            makeAction(clientMenu_, name, QStringLiteral("Set Kestrova to work with ") + name);
        a->setCheckable(true);
        a->setChecked(name == QStringLiteral("PokerStars"));
        clients->addAction(a);
    }

    hudMenu_ = new QMenu(QStringLiteral("HUD"), this);
    hudMenu_->addAction(QStringLiteral("Active"))->setCheckable(true);
    hudMenu_->addAction(QStringLiteral("Layout Manager"));
    QAction* def6max = hudMenu_->addAction(QStringLiteral("Default 6-max"));
    def6max->setCheckable(true);
    def6max->setChecked(settings_.read(keys::def6max) == 1);
    hudMenu_->addAction(QStringLiteral("Auto Center (FullTilt)"));
    QAction* playerFilter = hudMenu_->addAction(QStringLiteral("Player-filter"));
    playerFilter->setCheckable(true);
    playerFilter->setChecked(settings_.read(keys::hudLim) == 1);
    hudMenu_->addAction(QStringLiteral("All to 6-max"));
    hudMenu_->addAction(QStringLiteral("All to fullring"));
}

void grabber::createTrayIcon() {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    trayIcon_ = new QSystemTrayIcon(windowIcon(), this);
    trayIcon_->setToolTip(QStringLiteral("Everest"));
    trayIcon_->show();
}

void grabber::selectEverestClient() {
    clientKind_ = kEverestClientKind;
    settings_.writeText(keys::form.name, std::to_string(kEverestClientKind));
    stakes_ = StakesFile::read(services_.workingDir, clientKind_);
    for (QWidget* w : {static_cast<QWidget*>(pbRefresh_), static_cast<QWidget*>(pbScan_),
                       static_cast<QWidget*>(pbFullScan_), static_cast<QWidget*>(pbOpener_),
                       static_cast<QWidget*>(pbJoin_), static_cast<QWidget*>(pbFilter_)})
        w->setEnabled(true);
}

void grabber::slot_pbOptionen() {}

void grabber::setUserPrompts(UserPrompts prompts) {
    userPrompts_ = std::move(prompts);
}

UserPrompts grabber::prompts() const {
    UserPrompts p = userPrompts_ ? *userPrompts_ : UserPrompts::standard();
    p.showMessage = [this](QWidget*, const QString& title, const QString& text) {
        messageHandler_(title, text);
    };
    return p;
}

void grabber::slot_ShowBuddies() {
    BuddyListWindow window(buddies_, prompts(), this);
    buddyWindow_ = &window;
    connect(&window, &BuddyListWindow::buddiesChanged, this, &grabber::refreshPlayerRows);
    window.exec();
}

void grabber::slot_RemoveSel() {
    if (buddyWindow_)
        buddyWindow_->slot_RemoveSel();
}

void grabber::slot_buddyClose() {
    if (buddyWindow_)
        buddyWindow_->slot_buddyClose();
}

void grabber::slot_AddBuddies() {
    if (addBuddyInteractively(this, buddies_, prompts()))
        refreshPlayerRows();
}

void grabber::slot_ImportBuddies() {
    if (importBuddiesFromCsv(this, buddies_, prompts()))
        refreshPlayerRows();
}

void grabber::slot_ExportBuddies() {
    exportBuddiesToCsv(this, buddies_, prompts());
}

void grabber::slot_ImportBDB() {
    ImportPlayersDialog dialog(databases_, buddies_, lookup(), prompts(), this);
    importDialog_ = &dialog;
    connect(&dialog, &ImportPlayersDialog::buddiesChanged, this, &grabber::refreshPlayerRows);
    dialog.exec();
}

void grabber::slot_bdbok() {
    if (importDialog_)
        importDialog_->slot_bdbok();
}

void grabber::slot_bdcancel() {
    if (importDialog_)
        importDialog_->slot_bdcancel();
}

// The profile page, until the options dialog hosts it; its colours show at once.
void grabber::slot_Profiles() {
    execProfilesDialog(this, services_.workingDir, settings_, prompts(), [this] {
        colours_ = ColourRanges::load(services_.workingDir);
        evaluation_ = EvaluationSettings::fromSettings(settings_);
        refreshPlayerRows();
    });
    evaluation_ = EvaluationSettings::fromSettings(settings_);
}

void grabber::slot_Update() {
    settings_.writeText(keys::checkupdate.name, qaCheckUpdate_->isChecked() ? "1" : "0");
}

void grabber::slot_Download() {}
void grabber::slot_Agg() {
    MessageHandlerSink messages(messageHandler_);
    runAggregatorUpdate(this, *tracker_, messages);
}

void grabber::slot_AggHelp() {
    showAggregatorHelp(this);
}

void grabber::slot_UseAgg() {
    settings_.writeText(keys::useagg.name, qaUseAgg_->isChecked() ? "1" : "0");
}

void grabber::slot_qaAbout() {
    auto* about = new AboutDialog(this);
    connect(about, &AboutDialog::closeRequested, this, &grabber::slot_aboutok);
    about->open();
}

void grabber::slot_aboutok() {
    if (auto* about = findChild<AboutDialog*>())
        about->deleteLater();
}

// "Exit" ends at once: nothing is saved, as the user asked for a hard stop.
void grabber::slot_quit() {
    std::exit(0);
}

void grabber::slot_pbStart() {}
void grabber::zielEmpire() {}
void grabber::zielParty() {}
void grabber::zielBoDog() {}
void grabber::zielFullTiltPoker() {}
void grabber::zielAbsolutePoker() {}
void grabber::zielBigChip() {}
void grabber::zielVegas() {}
void grabber::zielParadisePoker() {}
void grabber::zielTribeca() {}
void grabber::slot_AutoCenter() {}
void grabber::slot_HUD() {}
void grabber::slot_HUDTYPE() {}
void grabber::slot_HUD_FR() {}
void grabber::slot_HUD_SH() {}
void grabber::slot_qaDefHUD() {}
void grabber::slot_rangeHUD() {}
