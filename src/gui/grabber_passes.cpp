// The main window's passes over the lobby: table list, scans, opener, interval
// scan and opening a table.
#include "grabber.h"

#include "CTreeWidgetItem.h"
#include "MessageHandlerSink.h"
#include "ScanProgress.h"
#include "client/lobby/EverestLobby.h"
#include "client/lobby/TableOpener.h"
#include "common/Clock.h"
#include "scan/PassContext.h"
#include "scan/TableListPass.h"
#include "scan/TableListRows.h"
#include "scan/TableScanPass.h"
#include "stats/PlayerLookup.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>

using namespace kestrova;

namespace {

constexpr int kIntervalTimerMs = 60000;
constexpr int kOpenerTimerMs = 300000;
constexpr int kDefaultOpenerMaximum = 30;

}  // namespace

PlayerLookup& grabber::lookup() {
    if (services_.lookup)
        return *services_.lookup;
    return *tracker_;
}

void grabber::setScanControlsEnabled(bool enabled) {
    pbFullScan_->setEnabled(enabled);
    pbScan_->setEnabled(enabled);
    pbRefresh_->setEnabled(enabled);
    qaOptions_->setEnabled(enabled);
    sbInterval_->setEnabled(enabled);
}

void grabber::clearPassResults() {
    scan_.lobbyEntries.clear();
    wholePlayerList_->clear();
    playerList_->clear();
    scan_.tables.clear();
    currentTableItem_ = nullptr;
    tableList_->clear();
}

bool grabber::beginPass(bool clearResults) {
    if (busy_)
        return false;
    busy_ = true;
    if (clearResults)
        clearPassResults();
    setScanControlsEnabled(false);
    return true;
}

void grabber::slot_pbRefresh() {
    // The statistics cache is emptied here only, even while another pass runs:
    // rows and tables share the records, so nothing they show is freed.
    const CacheExpiry::Actions cache = cacheExpiry_.onGetTableList();
    if (cache.startTimer) {
        clearCacheTimer_ = new QTimer(this);
        connect(clearCacheTimer_, &QTimer::timeout, this, &grabber::clearCache);
        clearCacheTimer_->start(cache.timerIntervalMs);
    }
    if (cache.clearRecords)
        scan_.records.clear();

    if (!beginPass(true))
        return;
    ScanProgress progress(this, messageHandler_);
    scanning_ = true;
    if (services_.platform) {
        PassContext context{*services_.platform, *clock_, glyphs_, progress};
        TableListPass(context).run(scan_.lobbyEntries);
    } else {
        progress.showMessage("Error1", kLobbyNotFoundMessage);
    }
    scanning_ = false;
    addTableListRows();

    progress.close();
    setScanControlsEnabled(true);
    busy_ = false;
}

void grabber::addTableListRows() {
    tableList_->setSortingEnabled(false);
    for (const TableRowTexts& texts : tableListRows(scan_.lobbyEntries, lobbyFilter_)) {
        ScannedTable& table = scan_.tables.findOrCreate(texts[0]);
        table.stakes = texts[1];
        auto* item = new CTreeWidgetItem(tableList_, RowSortMode::TableList);
        for (int c = 0; c < kTableListColumns; ++c)
            item->setText(c, QString::fromStdString(texts[static_cast<std::size_t>(c)]));
        currentTableItem_ = item;
    }
    tableList_->setSortingEnabled(true);
}

void grabber::connectResults(ScanProgress& progress, bool intoSelectedRow) {
    progress.onPlayerFound = [this](const std::shared_ptr<PlayerStats>& record) {
        addPlayerRow(record);
    };
    progress.onTableScanned = [this, intoSelectedRow](const ScannedTable& table,
                                                      const TableRowTexts& row) {
        tableScanned(table, row, intoSelectedRow);
    };
}

void grabber::tableScanned(const ScannedTable& table, const TableRowTexts& row,
                           bool intoSelectedRow) {
    QTreeWidgetItem* item = intoSelectedRow ? currentTableItem_ : nullptr;
    tableList_->setSortingEnabled(false);
    if (!item)
        item = new CTreeWidgetItem(tableList_, RowSortMode::TableList);
    for (int c = 0; c < 5; ++c)
        item->setText(c, QString::fromStdString(row[static_cast<std::size_t>(c)]));
    tableList_->setSortingEnabled(true);
    currentTableItem_ = item;
    if (ScannedTable* scanned = scan_.tables.find(table.name))
        evaluateTable(*scanned, item);
    if (intoSelectedRow)
        table_Clicked(item, nullptr);
}

void grabber::finishScan(bool keepControlsDisabled) {
    scanning_ = false;
    if (!keepControlsDisabled)
        setScanControlsEnabled(true);
    busy_ = false;
    updateKnownPlayers();
    applyTableFilter();
    applyPlayerFilter();
}

void grabber::slot_pbScan() {
    QTreeWidgetItem* selected = tableList_->currentItem();
    if (!selected || !selected->isSelected()) {
        showMessage(QStringLiteral("Error"),
                    QStringLiteral("Please select the table from the tablelist which you want to "
                                   "scan.\nOr press Full Scan to scan all tables"));
        return;
    }
    if (busy_)
        return;
    const std::string wanted = selected->text(0).toStdString();
    currentTableItem_ = selected;
    beginPass(false);

    ScanProgress progress(this, messageHandler_);
    connectResults(progress, true);
    scanning_ = true;
    if (services_.platform) {
        PassContext context{*services_.platform, *clock_, glyphs_, progress};
        TableScanPass(context, lookup(), scan_, lobbyFilter_).scanSelected(wanted);
    } else {
        progress.showMessage("Error1", kLobbyNotFoundMessage);
    }
    progress.close();
    finishScan(false);
    fitTableColumns();
}

void grabber::slot_pbFullScan() {
    if (!beginPass(true))
        return;
    ScanProgress progress(this, messageHandler_);
    connectResults(progress, false);
    scanning_ = true;
    bool scanned = false;
    if (services_.platform) {
        PassContext context{*services_.platform, *clock_, glyphs_, progress};
        scanned = TableScanPass(context, lookup(), scan_, lobbyFilter_)
                      .scanAll(openerRunning_ ? std::optional<int>(openerMaximum_) : std::nullopt);
    } else {
        progress.showMessage("Error1", kLobbyNotFoundMessage);
    }
    progress.close();
    finishScan(openerRunning_);
    if (scanned)
        writeScanResult();
    fitTableColumns();
}

void grabber::slot_pbOpener() {
    pbOpener_->setEnabled(false);
    if (!openerRunning_) {
        const std::optional<int> maximum = openerQuestion_();
        if (!maximum) {
            openerMaximum_ = kDefaultOpenerMaximum;
            setScanControlsEnabled(true);
        } else {
            openerMaximum_ = *maximum;
            setScanControlsEnabled(false);
            pbOpener_->setText(QStringLiteral("Stop Opener"));
            openerRunning_ = true;
            openerTimer_->start(kOpenerTimerMs);
            pbOpener_->setEnabled(true);
            slot_pbFullScan();
        }
    } else {
        setScanControlsEnabled(true);
        pbOpener_->setText(QStringLiteral("Run Opener"));
        openerRunning_ = false;
        openerTimer_->stop();
    }
    pbOpener_->setEnabled(true);
}

void grabber::slot_checkScan() {
    if (!cbInterval_->isChecked()) {
        intervalTimer_->stop();
        return;
    }
    intervalMinutes_ = sbInterval_->value();
    if (intervalMinutes_ > 0) {
        slot_pbFullScan();
        intervalTimer_->start(kIntervalTimerMs);
    }
}

void grabber::stepScan() {
    const int left = sbInterval_->value() - 1;
    if (left > 0) {
        sbInterval_->setValue(left);
        return;
    }
    intervalTimer_->stop();
    sbInterval_->setValue(intervalMinutes_);
    slot_checkScan();
}

void grabber::clearCache() {
    cacheExpiry_.markExpired();
}

void grabber::slot_pbJoin() {
    QTreeWidgetItem* item = currentTableItem_ ? currentTableItem_ : tableList_->currentItem();
    if (!item || busy_ || !services_.platform)
        return;
    std::string wanted = item->text(0).toStdString();
    MessageHandlerSink messages(messageHandler_);
    openTableByName(*services_.platform, *clock_, glyphs_, wanted, messages);
}
