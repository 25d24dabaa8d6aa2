// The main window's lists: table rows, player rows, clicks, filters.
#include "grabber.h"

#include "CTreeWidgetItem.h"
#include "PlayerFilterDialog.h"
#include "QtText.h"
#include "ScanFilterDialog.h"
#include "evaluation/KnownPlayerLine.h"
#include "lists/PlayerRowTexts.h"
#include "scan/ScanResultFile.h"
#include "settings/SettingKeys.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include <algorithm>
#include <cctype>

using namespace kestrova;

namespace {

template <std::size_t N>
void fillRow(QTreeWidgetItem* item, const std::array<std::string, N>& texts) {
    for (std::size_t c = 0; c < N; ++c)
        item->setText(static_cast<int>(c), QString::fromStdString(texts[c]));
}

}  // namespace

bool grabber::addPlayerRow(const std::shared_ptr<PlayerStats>& record) {
    const QString name = toQString(record->name);
    const QString table = toQString(record->table);
    for (int i = 0; i < wholePlayerList_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = wholePlayerList_->topLevelItem(i);
        if (row->text(2) == name && row->text(0) == table)
            return false;
    }
    wholePlayerList_->setSortingEnabled(false);
    auto* item = new CTreeWidgetItem(wholePlayerList_, RowSortMode::WholePlayerList);
    item->setRecord(record);
    fillRow(item, wholePlayerRowTexts(*record, autorate_.label(record->icon)));
    decoratePlayerRow(item, *record, 1);
    wholePlayerList_->setSortingEnabled(true);
    return isOwnName(record->name, evaluation_.ownName);
}

bool grabber::showTablePlayers(const ScannedTable& table) {
    bool ownSeat = false;
    playerList_->setSortingEnabled(false);
    for (const std::shared_ptr<PlayerStats>& record : table.players) {
        auto* item = new CTreeWidgetItem(playerList_, RowSortMode::PlayerList);
        item->setRecord(record);
        fillRow(item, playerRowTexts(*record, autorate_.label(record->icon)));
        decoratePlayerRow(item, *record, 0);
        ownSeat = ownSeat || isOwnName(record->name, evaluation_.ownName);
    }
    playerList_->setSortingEnabled(true);
    return ownSeat;
}

// Icon, buddy box and profile colours of a player row; shift is 1 in the whole
// player list, whose columns follow "Table".
void grabber::decoratePlayerRow(QTreeWidgetItem* item, const PlayerStats& record, int shift) {
    item->setIcon(
        2 + shift,
        autorateIcons_[static_cast<std::size_t>(AutorateIcons::clampedIndex(record.icon))]);
    item->setCheckState(kBuddyColumn + shift,
                        buddies_.contains(record.name) ? Qt::Checked : Qt::Unchecked);
    static constexpr std::pair<ProfileStat, int> kColoured[] = {{ProfileStat::Hands, 5},
                                                                {ProfileStat::Vpip, 8},
                                                                {ProfileStat::Pfr, 9},
                                                                {ProfileStat::Af, 10},
                                                                {ProfileStat::Wtsd, 11},
                                                                {ProfileStat::AttToSteal, 16},
                                                                {ProfileStat::FoldSbToSteal, 17},
                                                                {ProfileStat::FoldBbToSteal, 18},
                                                                {ProfileStat::ContiBetFlop, 19}};
    const ColourRanges::RowColours colours = colours_.rowColours(record, evaluation_.minimumHands);
    for (const auto& [stat, column] : kColoured) {
        if (const std::optional<Rgb>& colour = colours[static_cast<std::size_t>(stat)])
            item->setBackground(column + shift, toQColor(*colour));
    }
}

void grabber::table_Clicked(QTreeWidgetItem* current, QTreeWidgetItem*) {
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

void grabber::table_dblClicked(QTreeWidgetItem*, int) {
    if (doubleClickOpens_)
        slot_pbJoin();
}

void grabber::player_Clicked(QTreeWidgetItem* item, int column) {
    if (item && column == kBuddyColumn)
        toggleBuddy(item, kBuddyColumn, 1);
}

void grabber::playerlist_Clicked(QTreeWidgetItem* item, int column) {
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

void grabber::toggleBuddy(QTreeWidgetItem* item, int buddyColumn, int nameColumn) {
    const std::string name = item->text(nameColumn).toStdString();
    const BuddyList::Change change = item->checkState(buddyColumn) == Qt::Checked
                                         ? buddies_.addBuddy(name, true)
                                         : buddies_.removeBuddy(name);
    if (!change.saved)
        showMessage(toQString(BuddyList::kErrorTitle), toQString(BuddyList::kSaveErrorText));
    if (change.changed)
        refreshPlayerRows();
}

// After the buddies or the profiles changed: every row shows its player's buddy
// mark and colours again, and the tables are rated again.
void grabber::refreshPlayerRows() {
    const auto refresh = [this](QTreeWidget* list, int shift) {
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            auto* item = static_cast<CTreeWidgetItem*>(list->topLevelItem(i));
            if (!item->record())
                continue;
            item->record()->buddyIndex = buddies_.indexOfBuddy(item->record()->name);
            for (int c = shift; c < list->columnCount(); ++c)
                item->setBackground(c, QBrush());
            decoratePlayerRow(item, *item->record(), shift);
        }
    };
    refresh(playerList_, 0);
    refresh(wholePlayerList_, 1);
    for (int i = 0; i < tableList_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = tableList_->topLevelItem(i);
        if (ScannedTable* table = scan_.tables.find(row->text(0).toStdString()))
            evaluateTable(*table, row);
    }
}

void grabber::evaluateTable(ScannedTable& table, QTreeWidgetItem* row) {
    const TableEvaluation result =
        kestrova::evaluateTable(table.players, evaluation_, buddies_, &colours_);
    for (int c = 5; c < kTableListColumns; ++c)
        row->setText(c, toQString(result.columnText(c)));
    const std::pair<const std::optional<Rgb>*, int> coloured[] = {{&result.averageVpipColour, 5},
                                                                  {&result.averagePfrColour, 6},
                                                                  {&result.averageWtsdColour, 8}};
    for (const auto& [colour, column] : coloured)
        row->setBackground(column, *colour ? QBrush(toQColor(**colour)) : QBrush());
    table.ownSeat = result.ownSeat;
    row->setBackground(0, result.ownSeat ? QBrush(Qt::green) : QBrush());
}

void grabber::updateKnownPlayers() {
    std::vector<std::shared_ptr<PlayerStats>> records(scan_.records.begin(), scan_.records.end());
    knownPlayers_->setText(
        toQString(knownPlayerLine(records, evaluation_.minimumHands,
                                  static_cast<std::size_t>(tableList_->topLevelItemCount()))));
}

void grabber::applyTableFilter() {
    for (int i = 0; i < tableList_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = tableList_->topLevelItem(i);
        const ScannedTable* table = scan_.tables.find(row->text(0).toStdString());
        const std::vector<std::shared_ptr<PlayerStats>> none;
        const auto& players = table ? table->players : none;
        const bool shown = playerCountTestShows(players, row->text(1).toStdString(),
                                                evaluation_.minimumHands, tableFilter_) &&
                           overallTestShows(row->text(5).toStdString(), row->text(6).toStdString(),
                                            row->text(9).toStdString(), tableFilter_);
        row->setHidden(!shown);
    }
}

void grabber::applyPlayerFilter() {
    for (int i = 0; i < wholePlayerList_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = wholePlayerList_->topLevelItem(i);
        PlayerFilterRow row;
        row.table = item->text(0).toStdString();
        row.buddyChecked = item->checkState(kBuddyColumn + 1) == Qt::Checked;
        row.stack = item->text(5).toStdString();
        row.won = item->text(7).toStdString();
        row.vpip = item->text(9).toStdString();
        row.pfr = item->text(10).toStdString();
        row.af = item->text(11).toStdString();
        const QList<QTreeWidgetItem*> tables =
            tableList_->findItems(item->text(0), Qt::MatchExactly, 0);
        if (!tables.isEmpty())
            row.tableStakes = tables.first()->text(1).toStdString();
        item->setHidden(!playerFilterShows(row, playerFilter_));
    }
}

void grabber::fitTableColumns() {
    for (int c = 0; c <= 11; ++c)
        tableList_->resizeColumnToContents(c);
}

void grabber::writeScanResult() {
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
    if (const ScanResultWrite result = kestrova::writeScanResult(scanResultPath_, rows);
        !result.written)
        showMessage(QStringLiteral("Error"), QString::fromStdString(result.message()));
}

void grabber::applyColumnVisibility() {
    const IntKey tableKeys[] = {keys::dtname,    keys::dtlimit,   keys::dtwl,     keys::dtplayer,
                                keys::dtavgpot,  keys::dtavgvpip, keys::dtavgpfr, keys::dtavgaf,
                                keys::dtavgwtsd, keys::dtreads,   keys::dtbuddies};
    for (int c = 0; c < static_cast<int>(std::size(tableKeys)); ++c)
        tableList_->setColumnHidden(c, settings_.read(tableKeys[c]) != 1);

    const std::pair<IntKey, int> playerKeys[] = {
        {keys::dpseat, 0},    {keys::dpname, 1},    {keys::dpicon, 2},     {keys::dpbuddy, 3},
        {keys::dpstack, 4},   {keys::dphands, 5},   {keys::dpwon, 6},      {keys::dpvpip, 8},
        {keys::dppfr, 9},     {keys::dpaf, 10},     {keys::dpwtsd, 11},    {keys::dpwonsd, 12},
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

void grabber::slot_pbFilter() {
    auto* dialog = new ScanFilterDialog(settings_, services_.workingDir, tableFilter_,
                                        selectedStakes_, clientKind_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ScanFilterDialog::scanFilterSaved, this, [this, dialog] {
        tableFilter_ = dialog->tableFilter();
        selectedStakes_ = dialog->selectedStakes();
        slot_scanok();
    });
    connect(dialog, &QDialog::finished, this, &grabber::applyTableFilter);
    dialog->open();
}

// The filter dialog saved its keys: the lobby filter follows them at once.
void grabber::slot_scanok() {
    loadFilterKeys();
    tableFilter_ = TableFilterSettings::fromSettings(settings_);
    applyTableFilter();
}

void grabber::slot_pblowfilter() {
    auto* dialog = new PlayerFilterDialog(settings_, playerFilter_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &PlayerFilterDialog::playerFilterSaved, this, [this, dialog] {
        playerFilter_ = dialog->playerFilter();
        slot_pblowfilter_save();
    });
    connect(dialog, &QDialog::finished, this, &grabber::applyPlayerFilter);
    dialog->open();
}

void grabber::slot_pblowfilter_save() {
    applyPlayerFilter();
}
