#include "gui/lists/TableListView.h"

#include "TableListModel.h"
#include "gui/lists/ColourKey.h"
#include "gui/lists/ListRowItem.h"
#include "gui/widgets/QtText.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QStyle>
#include <QTreeWidget>

namespace kestrova {

namespace {

// Tables worth sitting at: a light green under the profile colours.
const QColor kGoodTableTint(214, 240, 214);

// The averages a profile colours, and their columns.
struct ColouredAverage {
    ProfileStat stat;
    int column;
    std::optional<Rgb> TableEvaluation::*colour;
};
constexpr ColouredAverage kColouredAverages[] = {
    {ProfileStat::Vpip, 5, &TableEvaluation::averageVpipColour},
    {ProfileStat::Pfr, 6, &TableEvaluation::averagePfrColour},
    {ProfileStat::Wtsd, 8, &TableEvaluation::averageWtsdColour},
};

}  // namespace

TableListView::TableListView(QTreeWidget* list, TableListModel& model,
                             std::function<double()> goodScore,
                             std::function<const ColourRanges&()> colours,
                             std::function<std::string(const TableRow&, bool)> waitingPlayers,
                             QObject* parent)
    : QObject(parent),
      list_(list),
      model_(model),
      goodScore_(std::move(goodScore)),
      colours_(std::move(colours)),
      waitingPlayers_(std::move(waitingPlayers)),
      items_(list, tableSortRules()) {
    model_.onChanged = [this](std::optional<std::size_t> row) { sync(row); };
    describeColours();
}

void TableListView::sync(std::optional<std::size_t> row) {
    // Every row changes when the profiles or the settings did.
    if (!row)
        describeColours();
    items_.sync(model_.size(), row, [this](std::size_t index) { show(index); });
}

void TableListView::describeColours() {
    if (!colours_)
        return;
    for (const ColouredAverage& average : kColouredAverages)
        list_->headerItem()->setToolTip(
            average.column,
            ColourKey::headerTip(
                translated(text_context::kColumns,
                           tableColumns()[static_cast<std::size_t>(average.column)].tip),
                colours_().profile(average.stat), QString()));
}

void TableListView::show(std::size_t index) {
    const TableRow& row = model_.rows()[index];
    ListRowItem* item = items_.at(index);
    const TableColumnTexts texts = columnTextsOf(row);
    item->setTexts({texts.begin(), texts.end()});
    const TableEvaluation* e = row.evaluation ? &*row.evaluation : nullptr;
    // A row the last pass did not read, or the running one has not read yet,
    // keeps the figures of the one before: greyed, its colours faded, so that
    // it does not pass for current.
    const bool earlier = row.stale || row.refreshing;
    const QColor background = list_->palette().color(QPalette::Base);
    const auto cell = [&](const QColor& colour) {
        return QBrush(earlier ? ColourKey::faded(colour, background) : colour);
    };
    const bool good = e && goodScore_ && shownScore(e->score.score) >= goodScore_();
    for (int c = 0; c < list_->columnCount(); ++c)
        item->setBackground(c, good ? cell(kGoodTableTint) : QBrush());
    QString scoreTip =
        e ? toQString(scoreTooltip(e->score, tr("unknown").toStdString())) : QString();
    if (const std::string weakWaiting = waitingPlayers_(row, true); e && !weakWaiting.empty())
        scoreTip += QLatin1Char('\n') + tr("Weak players waiting: %1").arg(toQString(weakWaiting));
    item->setToolTip(kScoreColumn, scoreTip);
    for (const ColouredAverage& average : kColouredAverages) {
        if (e && e->*average.colour)
            item->setBackground(average.column, cell(toQColor(*(e->*average.colour))));
    }
    if (row.ownSeat())
        item->setBackground(0, cell(Qt::green));

    QString earlierTip;
    if (earlier) {
        const QString at = QDateTime::fromSecsSinceEpoch(
                               std::chrono::duration_cast<std::chrono::seconds>(
                                   row.scannedAt.time_since_epoch())
                                   .count())
                               .toString(QStringLiteral("HH:mm"));
        if (row.refreshing)
            earlierTip = row.scanned() ? tr("Scanned at %1; the running pass reads it again.").arg(at)
                                       : tr("The running pass reads this table again.");
        else
            earlierTip = tr("Scanned at %1; the last pass did not read this table again.").arg(at);
    }
    for (int c = 0; c < list_->columnCount(); ++c) {
        item->setForeground(c, earlier ? QBrush(Qt::gray) : QBrush());
        if (c != kScoreColumn)
            item->setToolTip(c, earlierTip);
    }
    QString waitingTip = toQString(waitingPlayers_(row, false));
    if (row.waitingListCut) {
        const int unread = row.waiting - static_cast<int>(row.waitingPlayers.size());
        const QString more = unread > 0 ? tr("%n more the client did not show", nullptr, unread)
                                        : tr("maybe more the client did not show");
        waitingTip = waitingTip.isEmpty() ? more : waitingTip + QStringLiteral("; ") + more;
    }
    if (!waitingTip.isEmpty())
        item->setToolTip(kWaitingColumn, earlierTip.isEmpty()
                                             ? waitingTip
                                             : earlierTip + QLatin1Char('\n') + waitingTip);
    // A watched player or a rule met: the name is marked, its tip says why.
    QFont nameFont = item->font(0);
    nameFont.setBold(!row.alert.empty());
    item->setFont(0, nameFont);
    item->setIcon(0, row.alert.empty()
                         ? QIcon()
                         : list_->style()->standardIcon(QStyle::SP_MessageBoxWarning));
    if (!row.alert.empty()) {
        item->setToolTip(0, toQString(row.alert));
        // Marks come after the pass fitted the columns: the name keeps its whole width.
        const QFontMetrics text(nameFont);
        const int needed = text.horizontalAdvance(toQString(row.name)) +
                           list_->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, list_) +
                           3 * text.averageCharWidth();
        if (list_->columnWidth(0) < needed)
            list_->setColumnWidth(0, needed);
    }
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

}  // namespace kestrova
