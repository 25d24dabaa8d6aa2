// The table list's view over its model: the tint by the score shown, stale rows
// faded, the colour key in the headers, the watch mark.
#include "TableListModel.h"
#include "gui/lists/TableListView.h"
#include "rating/ColourRanges.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>

using namespace kestrova;

namespace {

constexpr int kNameColumn = 0;
constexpr int kVpipColumn = 5;
const QColor kRed(255, 0, 0);

// A scanned row with that score and a red average VPIP.
TableListModel::Evaluate scoring(double score) {
    return [score](const std::vector<std::shared_ptr<PlayerStats>>&) {
        TableEvaluation e;
        e.score.score = score;
        e.averageVpip = 40.0;
        e.averageVpipColour = Rgb{255, 0, 0};
        return e;
    };
}

}  // namespace

class ListViewsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        list_ = std::make_unique<QTreeWidget>();
        list_->setColumnCount(static_cast<int>(kTableColumnCount));
        model_ = std::make_unique<TableListModel>();
        view_ = std::make_unique<TableListView>(
            list_.get(), *model_, [] { return 2.0; },
            [this]() -> const ColourRanges& { return colours_; },
            [](const TableRow& row, bool weakOnly) {
                return row.waitingPlayers.empty()
                           ? std::string()
                           : std::string(weakOnly ? "Weak 0.90" : "Weak 0.90, Rock 0.10");
            });
    }
    void cleanup() {
        view_.reset();
        model_.reset();
        list_.reset();
    }

    void tintFollowsTheScoreShownAndStaleRowsFadeTheirColours() {
        // "Old" was scanned by the pass before, which the last one did not reach.
        model_->putScanned({.name = "Old"}, scoring(3.0));
        model_->beginRefresh();
        QCOMPARE(view_->itemOf("Old")->foreground(kNameColumn).color(), QColor(Qt::gray));
        model_->putScanned({.name = "Shows2.0"}, scoring(1.96));
        model_->putScanned({.name = "Shows1.9"}, scoring(1.949));
        model_->endRefresh(false);
        const QTreeWidgetItem* near = view_->itemOf("Shows2.0");
        const QTreeWidgetItem* below = view_->itemOf("Shows1.9");
        const QTreeWidgetItem* stale = view_->itemOf("Old");
        QCOMPARE(near->text(kScoreColumn), QStringLiteral("2.0"));
        QCOMPARE(below->text(kScoreColumn), QStringLiteral("1.9"));
        QVERIFY(near->background(kNameColumn).style() != Qt::NoBrush);
        QCOMPARE(below->background(kNameColumn).style(), Qt::NoBrush);
        QCOMPARE(near->background(kVpipColumn).color(), kRed);

        // Greyed, and its tint and profile colour paler than a current row's.
        QCOMPARE(stale->foreground(kNameColumn).color(), QColor(Qt::gray));
        const QColor faded = stale->background(kVpipColumn).color();
        QVERIFY(faded != kRed && faded.saturation() < kRed.saturation());
        QVERIFY(stale->background(kNameColumn).color().saturation() <
                near->background(kNameColumn).color().saturation());
    }

    void colouredHeadersTellTheirProfileAndFollowItsChanges() {
        QVERIFY(!list_->headerItem()->toolTip(kVpipColumn).contains(QStringLiteral("#ff0000")));
        colours_.profile(ProfileStat::Vpip) = StatProfile({{"30", "100", Rgb{255, 0, 0}}});
        model_->reevaluate(scoring(1));  // what the session does when a profile is saved
        const QString tip = list_->headerItem()->toolTip(kVpipColumn);
        QVERIFY2(tip.contains(QStringLiteral("#ff0000")) && tip.contains(QStringLiteral("30")) &&
                     tip.contains(QStringLiteral("100")),
                 qPrintable(tip));
    }

    // The waiting list's length shows in its column, the names in its tip with
    // those the client left out, and the weak ones in the score's tip.
    void waitingListShowsItsLengthNamesAndWeakPlayers() {
        ScannedTable full{.name = "Full"};
        full.waitingCount = 4;
        full.waiting = {std::make_shared<PlayerStats>(), std::make_shared<PlayerStats>()};
        full.waitingListCut = true;
        model_->putScanned(full, scoring(1));
        const QTreeWidgetItem* item = view_->itemOf("Full");
        QCOMPARE(item->text(kWaitingColumn), QStringLiteral("4"));
        QCOMPARE(item->toolTip(kWaitingColumn),
                 QStringLiteral("Weak 0.90, Rock 0.10; 2 more the client did not show"));
        QVERIFY2(item->toolTip(kScoreColumn)
                     .endsWith(QStringLiteral("\nWeak players waiting: Weak 0.90")),
                 qPrintable(item->toolTip(kScoreColumn)));

        model_->putScanned({.name = "Open"}, scoring(1));
        QCOMPARE(view_->itemOf("Open")->text(kWaitingColumn), QStringLiteral("0"));
        QVERIFY(view_->itemOf("Open")->toolTip(kWaitingColumn).isEmpty());
    }

    void markedNameIsNeverCutShort() {
        list_->setColumnWidth(kNameColumn, 20);
        model_->putScanned({.name = "A rather long table name"}, scoring(1));
        model_->markAlert("A rather long table name", "Ice_Man sat down");
        QFont bold = list_->font();
        bold.setBold(true);
        QVERIFY(list_->columnWidth(kNameColumn) >
                QFontMetrics(bold).horizontalAdvance(QStringLiteral("A rather long table name")) +
                    list_->style()->pixelMetric(QStyle::PM_SmallIconSize));
    }

private:
    ColourRanges colours_;
    std::unique_ptr<QTreeWidget> list_;
    std::unique_ptr<TableListModel> model_;
    std::unique_ptr<TableListView> view_;
};

QTEST_MAIN(ListViewsTest)
#include "ListViewsTest.moc"
