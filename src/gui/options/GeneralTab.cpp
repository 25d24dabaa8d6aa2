#include "gui/options/GeneralTab.h"

#include "SessionTypes.h"
#include "gui/options/OptionControls.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrova {

namespace {

QGroupBox* makeGroup(const QString& title, bool shown, QVBoxLayout* page, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setVisible(shown);
    page->addWidget(group);
    return group;
}

}  // namespace

GeneralTab::GeneralTab(const GeneralOptions& options, const HistoryOptions& history,
                       UserPrompts prompts, QWidget* parent)
    : QWidget(parent), prompts_(std::move(prompts)) {
    auto* page = new QVBoxLayout(this);
    const DirConf& scanResult = options.scanResult;

    QGroupBox* result = makeGroup(tr("Save scanresult to file"), true, page, this);
    const QString saveText = tr("Save the result of a scan to");
    saveResult_ = makeCheck(saveText, "saveResult", scanResult.checkedInGeneralTab(), result,
                            saveText, saveText);
    const QString dirTip = tr("Directory to which handhistories will be saved");
    // The path names a folder of this system: its bytes are the local file-name encoding.
    directory_ = makeField(QFile::decodeName(QByteArray::fromStdString(scanResult.resultPath)),
                           "directory", result, dirTip, dirTip);
    auto* search = new QPushButton(tr("Search"), result);
    search->setObjectName(QStringLiteral("pbSearch"));
    search->setMaximumWidth(std::max(80, search->sizeHint().width()));
    search->setToolTip(tr("Choose a directory"));
    search->setStatusTip(tr("Choose a directory"));
    connect(search, &QPushButton::clicked, this, &GeneralTab::slot_search);
    auto* resultRows = new QGridLayout(result);
    resultRows->addWidget(saveResult_, 0, 0, 1, 2);
    resultRows->addWidget(directory_, 1, 0);
    resultRows->addWidget(search, 1, 1);

    QGroupBox* extension =
        makeGroup(tr("Extension (only for Party/Empire Poker)"), false, page, this);
    const QString suffixTip = tr("Specify file extension for handhistories");
    suffix_ = makeField(toQString(options.suffix), "suffix", extension, suffixTip, suffixTip);
    auto* extensionRow = new QHBoxLayout(extension);
    extensionRow->addWidget(new QLabel(tr("Handhistory file extension:"), extension));
    extensionRow->addWidget(suffix_);

    // Shared by the delay and the wait for the player list.
    auto* milliseconds = new QIntValidator(100, 10000, this);
    QGroupBox* mining = makeGroup(tr("Datamining (Party/Empire Poker)"), false, page, this);
    observed_ =
        makeCheck(tr("Datamine observed only"), "observed", options.observed, mining, QString(),
                  tr("If checked, then hand in which you were dealt cards are not gathered"));
    add6max_ =
        makeCheck(tr("Add 6-max tag"), "add6max", options.add6max, mining,
                  tr("Add old 6-max tag do handhistories"),
                  tr("If checked, then the old style 6 max tag will be added to handhistories"));
    realtime_ =
        makeCheck(tr("Realtime Mode"), "realtime", options.realtime, mining, QString(), QString());
    delay_ = makeField(toQString(options.delayMs), "delay", mining,
                       tr("Raise this value if you have a slow computer"),
                       tr("Raise this value if you have a slow computer. Too high values can "
                          "result in dataloss."));
    delay_->setValidator(milliseconds);
    auto* miningRows = new QGridLayout(mining);
    miningRows->addWidget(observed_, 0, 0, 1, 2);
    miningRows->addWidget(add6max_, 1, 0, 1, 2);
    miningRows->addWidget(realtime_, 2, 0, 1, 2);
    miningRows->addWidget(new QLabel(tr("Delay between passes:"), mining), 3, 0);
    miningRows->addWidget(delay_, 3, 1);

    QGroupBox* scanning = makeGroup(tr("Tablescanning"), true, page, this);
    curLim_ = makeCheck(
        tr("Display statistics for current limit only (only works with Pokertracker)"), "curLim",
        options.currentLimitOnly, scanning, tr("Activate this feature"),
        tr("If checked, then only the statistics of the current limit of a player are displayed."));
    dbcache_ = makeCheck(tr("Enable databasecaching (improves performance)"), "dbcache",
                         options.dbcache, scanning, tr("Enable/disable databasecaching"),
                         tr("If checked, databasecaching is enabled."));
    adaptiveWait_ = makeCheck(tr("Wait only as long as the client needs to draw"), "adaptivewait",
                              options.adaptiveWaits, scanning,
                              tr("Read each row and seat list as soon as the client has drawn it"),
                              tr("If checked, scans watch the lobby and go on as soon as it is "
                                 "drawn; the fixed waits stay the upper bound."));
    cache_ = makeField(toQString(options.cacheSeconds), "cache", scanning, QString(),
                       tr("Specify how long to cache the statistics. If a value is cached no new "
                          "value will be retrieved."));
    cache_->setValidator(new QIntValidator(120, 1000000, cache_));
    scan_ = makeField(toQString(options.playerListWaitMs), "scan", scanning,
                      tr("Try to raise this value if no statistics are displayed"),
                      tr("Try to raise this value if no statistics are displayed."));
    scan_->setValidator(milliseconds);
    auto* scanningRows = new QGridLayout(scanning);
    scanningRows->addWidget(curLim_, 0, 0, 1, 2);
    scanningRows->addWidget(dbcache_, 1, 0, 1, 2);
    scanningRows->addWidget(
        new QLabel(tr("How long to cache data (in sec, min. is  120):"), scanning), 2, 0);
    scanningRows->addWidget(cache_, 2, 1);
    scanningRows->addWidget(new QLabel(tr("How long to wait for Playerlist (in msec):"), scanning),
                            3, 0);
    scanningRows->addWidget(scan_, 3, 1);
    scanningRows->addWidget(adaptiveWait_, 4, 0, 1, 2);

    QGroupBox* hud = makeGroup(tr("Head-Up-Display"), false, page, this);
    hudLim_ = makeCheck(tr("Enable playerfilter"), "hudLim", options.hudFilter, hud,
                        tr("Activate this feature"), QString());
    auto* hudRows = new QVBoxLayout(hud);
    hudRows->addWidget(hudLim_);
    hudRows->addWidget(new QLabel(
        tr("Enable this to filter the statistics by the number of player at the table.\nSome "
           "players play drastically different when playing 4 handed then they do 10 handed.\nThe "
           "applied filters are as follows:\n- Heads up: 2 player\n- Very short: 3-4 player\n- "
           "Short: 5-6 player\n- Full ring: 7-10 player"),
        hud));
    QGroupBox* kept = makeGroup(tr("Scan history (from the next start)"), true, page, this);
    historyDays_ = new QSpinBox(kept);
    historyDays_->setObjectName(QStringLiteral("historydays"));
    historyDays_->setRange(0, 3650);
    historyDays_->setValue(history.days);
    historyDays_->setSpecialValueText(tr("no history"));
    historyDays_->setSuffix(tr(" days"));
    historyServer_ = new QLineEdit(toQString(history.database), kept);
    historyServer_->setObjectName(QStringLiteral("historydb"));
    historyServer_->setPlaceholderText(tr("empty: history.sqlite in the data folder"));
    historyServer_->setToolTip(
        tr("A PostgreSQL server that several scanners share, such as "
           "\"host=db.example.org dbname=history user=scanner\"; the password goes into the "
           "PostgreSQL password file (~/.pgpass), never here."));
    auto* keptRows = new QFormLayout(kept);
    keptRows->addRow(tr("&Keep what the scans read for:"), historyDays_);
    keptRows->addRow(tr("Shared history &server:"), historyServer_);
    page->addStretch();
}

void GeneralTab::slot_search() {
    // Cancelling the chooser empties the field, as it always has.
    directory_->setText(prompts_.askDirectory
                            ? prompts_.askDirectory(this, tr("Destination directory"))
                            : QString());
}

void GeneralTab::store(GeneralOptions& options, HistoryOptions& history) const {
    history.days = historyDays_->value();
    history.database = historyServer_->text().trimmed().toUtf8().toStdString();
    options.scanResult.saveFlag = saveResult_->isChecked() ? 1 : 0;
    options.scanResult.resultPath = QFile::encodeName(directory_->text()).toStdString();
    options.suffix = suffix_->text().toUtf8().toStdString();
    options.dbcache = dbcache_->isChecked();
    options.cacheSeconds = cache_->text().toUtf8().toStdString();
    options.playerListWaitMs = scan_->text().toUtf8().toStdString();
    options.observed = observed_->isChecked();
    options.add6max = add6max_->isChecked();
    options.delayMs = delay_->text().toUtf8().toStdString();
    options.realtime = realtime_->isChecked();
    options.currentLimitOnly = curLim_->isChecked();
    options.hudFilter = hudLim_->isChecked();
    options.adaptiveWaits = adaptiveWait_->isChecked();
}

}  // namespace kestrova
