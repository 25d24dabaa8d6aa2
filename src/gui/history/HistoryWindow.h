#pragma once

#include "ScanHistory.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace kestrova {

// What the scan history holds on one table (players seated, average pot and
// score over the chosen period, as charts) or on one player (every sighting,
// and when he plays: hour of day by weekday). It asks the history's own
// thread and fills itself when the answer comes.
class HistoryWindow final : public QWidget {
    Q_OBJECT

public:
    explicit HistoryWindow(ScanHistory& history, QWidget* parent = nullptr);

    void showTable(const QString& name);
    void showPlayer(const QString& name);

    // The charts as shown: the table's seated, pot and score, and the player's hours.
    std::vector<QChart*> tableCharts() const;
    QChart* hoursChart() const;
    const QTableWidget* sightings() const { return sightings_; }

signals:
    // An answer is shown (or the reason there is none).
    void answered();

private:
    HistoryTime since() const;
    void askTable();
    void askPlayer();
    void fillTable(const std::vector<TableVisit>& visits);
    void fillPlayer(const std::vector<PlayerVisit>& visits);
    void failed(const QString& why);

    ScanHistory& history_;
    QTabWidget* tabs_ = nullptr;
    QComboBox* period_ = nullptr;
    QLineEdit* tableName_ = nullptr;
    QLineEdit* playerName_ = nullptr;
    QLabel* tableSummary_ = nullptr;
    QLabel* playerSummary_ = nullptr;
    std::vector<QChartView*> tableViews_;
    QChartView* hoursView_ = nullptr;
    QTableWidget* sightings_ = nullptr;
    QString shownTable_;
    QString shownPlayer_;
};

}  // namespace kestrova
