#include "gui/lists/TableListView.h"

#include "TableListModel.h"
#include "gui/lists/CTreeWidgetItem.h"
#include "gui/widgets/QtText.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QIcon>
#include <QStyle>
#include <QTreeWidget>

using namespace kestrova;

// Tables worth sitting at: a light green under the profile colours.
const QColor kGoodTableTint(214, 240, 214);

TableListView::TableListView(QTreeWidget* list, TableListModel& model,
                             std::function<double()> goodScore, QObject* parent)
    : QObject(parent),
      list_(list),
      model_(model),
      goodScore_(std::move(goodScore)),
      items_(list, RowSortMode::TableList) {
    model_.onChanged = [this](std::optional<std::size_t> row) { sync(row); };
}

void TableListView::sync(std::optional<std::size_t> row) {
    items_.sync(model_.size(), row, [this](std::size_t index) { show(index); });
}

void TableListView::show(std::size_t index) {
    const TableRow& row = model_.rows()[index];
    CTreeWidgetItem* item = items_.at(index);
    const TableColumnTexts texts = row.columnTexts();
    item->setTexts({texts.begin(), texts.end()});
    const TableEvaluation* e = row.evaluation ? &*row.evaluation : nullptr;
    const bool good = e && goodScore_ && e->score.score >= goodScore_();
    for (int c = 0; c < list_->columnCount(); ++c)
        item->setBackground(c, good ? QBrush(kGoodTableTint) : QBrush());
    item->setToolTip(kScoreColumn, e ? toQString(scoreTooltip(e->score)) : QString());
    const std::pair<const std::optional<Rgb>*, int> coloured[] = {
        {e ? &e->averageVpipColour : nullptr, 5},
        {e ? &e->averagePfrColour : nullptr, 6},
        {e ? &e->averageWtsdColour : nullptr, 8}};
    for (const auto& [colour, column] : coloured) {
        if (colour && *colour)
            item->setBackground(column, QBrush(toQColor(**colour)));
    }
    if (row.ownSeat())
        item->setBackground(0, QBrush(Qt::green));

    // A row the last scan did not reach keeps the figures of the one before, greyed.
    const QString staleTip = row.stale
                                 ? tr("Scanned at %1; the last scan ended before this table.")
                                       .arg(QDateTime::fromSecsSinceEpoch(
                                                std::chrono::duration_cast<std::chrono::seconds>(
                                                    row.scannedAt.time_since_epoch())
                                                    .count())
                                                .toString(QStringLiteral("HH:mm")))
                                 : QString();
    for (int c = 0; c < list_->columnCount(); ++c) {
        item->setForeground(c, row.stale ? QBrush(Qt::gray) : QBrush());
        if (c != kScoreColumn)
            item->setToolTip(c, staleTip);
    }
    // A watched player or a rule met: the name is marked, its tip says why.
    QFont nameFont = item->font(0);
    nameFont.setBold(!row.alert.empty());
    item->setFont(0, nameFont);
    item->setIcon(0, row.alert.empty()
                         ? QIcon()
                         : list_->style()->standardIcon(QStyle::SP_MessageBoxWarning));
    if (!row.alert.empty())
        item->setToolTip(0, toQString(row.alert));
    item->setHidden(row.hidden);
}

std::optional<std::size_t> TableListView::rowOf(const QTreeWidgetItem* item) const {
    return items_.rowOf(item);
}

const std::string* TableListView::nameOf(const QTreeWidgetItem* item) const {
    // While the model empties, the list still holds the old items for a moment.
    const std::optional<std::size_t> row = rowOf(item);
    return row && *row < model_.size() ? &model_.rows()[*row].name : nullptr;
}

QTreeWidgetItem* TableListView::itemOf(const std::string& tableName) const {
    const std::optional<std::size_t> row = model_.indexOf(tableName);
    return row && *row < items_.size() ? items_.at(*row) : nullptr;
}
