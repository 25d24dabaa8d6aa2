// The main window's lists: table rows, player rows, clicks, filters.
#include "grabber.h"

#include "CTreeWidgetItem.h"
#include "lists/PlayerRowTexts.h"
#include "scan/ScanResultFile.h"
#include "settings/SettingKeys.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <cctype>

using namespace kestrova;

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

template <std::size_t N>
void fillRow(QTreeWidgetItem* item, const std::array<std::string, N>& texts)
{
    for (std::size_t c = 0; c < N; ++c)
        item->setText(static_cast<int>(c), QString::fromStdString(texts[c]));
}

}  // namespace

bool grabber::addPlayerRow(const std::shared_ptr<PlayerStats>& record)
{
    const QString name = QString::fromStdString(record->name);
    const QString table = QString::fromStdString(record->table);
    for (int i = 0; i < wholePlayerList_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = wholePlayerList_->topLevelItem(i);
        if (row->text(2) == name && row->text(0) == table)
            return false;
    }
    wholePlayerList_->setSortingEnabled(false);
    auto* item = new CTreeWidgetItem(wholePlayerList_, RowSortMode::WholePlayerList);
    item->setRecord(record);
    fillRow(item, wholePlayerRowTexts(*record, std::string()));
    item->setCheckState(kBuddyColumn + 1, record->buddyIndex >= 0 ? Qt::Checked : Qt::Unchecked);
    wholePlayerList_->setSortingEnabled(true);
    return equalIgnoringCase(record->name, settings_.readText(keys::profilme));
}

bool grabber::showTablePlayers(const ScannedTable& table)
{
    bool ownSeat = false;
    const std::string me = settings_.readText(keys::profilme);
    playerList_->setSortingEnabled(false);
    for (const std::shared_ptr<PlayerStats>& record : table.players) {
        auto* item = new CTreeWidgetItem(playerList_, RowSortMode::PlayerList);
        item->setRecord(record);
        fillRow(item, playerRowTexts(*record, std::string()));
        item->setCheckState(kBuddyColumn, record->buddyIndex >= 0 ? Qt::Checked : Qt::Unchecked);
        ownSeat = ownSeat || equalIgnoringCase(record->name, me);
    }
    playerList_->setSortingEnabled(true);
    return ownSeat;
}

void grabber::table_Clicked(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    if (!current)
        return;
    current->setSelected(true);
    playerList_->clear();
    if (const ScannedTable* table = scan_.tables.find(current->text(0).toStdString())) {
        if (showTablePlayers(*table))
            current->setBackground(0, QColor(Qt::green));
    }
    currentTableItem_ = current;
    for (int c = 0; c <= 11; ++c)
        playerList_->resizeColumnToContents(c);
    playerList_->sortByColumn(playerList_->header()->sortIndicatorSection(), Qt::DescendingOrder);
}

void grabber::table_dblClicked(QTreeWidgetItem*, int)
{
    if (doubleClickOpens_)
        slot_pbJoin();
}

void grabber::player_Clicked(QTreeWidgetItem* item, int column)
{
    if (item && column == kBuddyColumn)
        toggleBuddy(item, kBuddyColumn, 1);
}

void grabber::playerlist_Clicked(QTreeWidgetItem* item, int column)
{
    if (!item)
        return;
    if (column == kBuddyColumn + 1) {
        toggleBuddy(item, kBuddyColumn + 1, 2);
        return;
    }
    for (QTreeWidgetItem* selected : tableList_->selectedItems())
        selected->setSelected(false);
    const QList<QTreeWidgetItem*> rows = tableList_->findItems(item->text(0), Qt::MatchExactly, 0);
    if (!rows.isEmpty()) {
        tableList_->setCurrentItem(rows.first());
        table_Clicked(rows.first(), nullptr);
    }
}

void grabber::toggleBuddy(QTreeWidgetItem*, int, int) {}

void grabber::evaluateTable(ScannedTable&, QTreeWidgetItem*) {}

void grabber::updateKnownPlayers() {}

void grabber::applyTableFilter() {}

void grabber::applyPlayerFilter() {}

void grabber::fitTableColumns()
{
    for (int c = 0; c <= 11; ++c)
        tableList_->resizeColumnToContents(c);
}

void grabber::writeScanResult()
{
    if (!saveScanResult_)
        return;
    std::vector<WholePlayerRowTexts> rows;
    for (int i = 0; i < wholePlayerList_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = wholePlayerList_->topLevelItem(i);
        WholePlayerRowTexts texts;
        for (int c = 0; c < kWholePlayerListColumns; ++c)
            texts[static_cast<std::size_t>(c)] = item->text(c).toStdString();
        rows.push_back(std::move(texts));
    }
    const std::filesystem::path file = scanResultFile(scanResultPath_);
    if (!kestrova::writeScanResult(file, rows))
        showMessage(QStringLiteral("Error"),
                    QStringLiteral("Unable to write the scan result to ") +
                        QString::fromStdString(file.string()));
}

void grabber::applyColumnVisibility()
{
    const IntKey tableKeys[] = {keys::dtname,    keys::dtlimit,   keys::dtwl,     keys::dtplayer,
                                keys::dtavgpot,  keys::dtavgvpip, keys::dtavgpfr, keys::dtavgaf,
                                keys::dtavgwtsd, keys::dtreads,   keys::dtbuddies};
    for (int c = 0; c < static_cast<int>(std::size(tableKeys)); ++c)
        tableList_->setColumnHidden(c, settings_.read(tableKeys[c]) != 1);

    const std::pair<IntKey, int> playerKeys[] = {
        {keys::dpseat, 0},   {keys::dpname, 1},     {keys::dpicon, 2},    {keys::dpbuddy, 3},
        {keys::dpstack, 4},  {keys::dphands, 5},    {keys::dpwon, 6},     {keys::dpvpip, 8},
        {keys::dppfr, 9},    {keys::dpaf, 10},      {keys::dpwtsd, 11},   {keys::dpwonsd, 12},
        {keys::dpflopaf, 13}, {keys::dpturnaf, 14}, {keys::dpriveraf, 15}, {keys::dpatts, 16},
        {keys::dpfoldsb, 17}, {keys::dpfoldbb, 18}, {keys::dpcbet, 19}};
    for (const auto& [key, column] : playerKeys) {
        const bool hidden = settings_.read(key) != 1;
        playerList_->setColumnHidden(column, hidden);
        wholePlayerList_->setColumnHidden(column + 1, hidden);
    }
    wholePlayerPanel_->setVisible(settings_.read(keys::cbPlayerList) == 1);
    doubleClickOpens_ = settings_.read(keys::tdblclickopen) != 0;
}

void grabber::slot_pbFilter() {}
void grabber::slot_scanok() {}
void grabber::slot_pblowfilter() {}
void grabber::slot_pblowfilter_save() {}
