#include "gui/history/HistoryWindow.h"

#include "gui/widgets/QtText.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QScatterSeries>
#include <QShortcut>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <chrono>

namespace kestrova {

namespace {

// The periods the window offers, in days; 0 is everything kept.
constexpr std::array kPeriodDays{1, 7, 30, 0};

QDateTime localTime(HistoryTime at) {
    return QDateTime::fromSecsSinceEpoch(at.time_since_epoch().count()).toLocalTime();
}

QString shownTime(HistoryTime at) {
    return QLocale().toString(localTime(at), QLocale::ShortFormat);
}

using TimePoints = std::vector<std::pair<HistoryTime, double>>;

// A line over time with a dot per reading, so that a single reading shows
// too; `points` are (time, value). A second line, when named, shares the axes
// and the legend tells the two apart. Without readings the axes would count
// from 1970: the chart says there are none instead.
QChart* timeChart(const QString& title, const TimePoints& points, const QString& secondName = {},
                  const TimePoints& second = {}) {
    auto* chart = new QChart;
    chart->setTitle(points.empty() ? HistoryWindow::tr("%1: no readings in this period").arg(title)
                                   : title);
    chart->legend()->setVisible(!secondName.isEmpty() && !points.empty());
    double top = 0;
    qint64 first = 0, last = 0;
    std::vector<QXYSeries*> lines;
    for (const auto& [name, readings] :
         {std::pair{title, &points}, std::pair{secondName, &second}}) {
        if (name.isEmpty())
            continue;
        auto* line = new QLineSeries;
        line->setName(name);
        auto* dots = new QScatterSeries;
        dots->setMarkerSize(7);
        dots->setColor(line->color());
        for (const auto& [at, value] : *readings) {
            const qint64 ms = localTime(at).toMSecsSinceEpoch();
            line->append(static_cast<qreal>(ms), value);
            dots->append(static_cast<qreal>(ms), value);
            top = std::max(top, value);
            first = first == 0 ? ms : std::min(first, ms);
            last = std::max(last, ms);
        }
        lines.insert(lines.end(), {line, dots});
    }
    auto* time = new QDateTimeAxis;
    time->setFormat(QLocale().dateTimeFormat(QLocale::ShortFormat));
    time->setTickCount(5);
    // Half an hour either side keeps one reading, or readings at one time, in view.
    constexpr qint64 kMargin = 30 * 60 * 1000;
    if (!points.empty())
        time->setRange(
            QDateTime::fromMSecsSinceEpoch(first - (last - first < kMargin ? kMargin : 0)),
            QDateTime::fromMSecsSinceEpoch(last + (last - first < kMargin ? kMargin : 0)));
    chart->addAxis(time, Qt::AlignBottom);
    auto* values = new QValueAxis;
    values->setRange(0, top > 0 ? top * 1.1 : 1);
    chart->addAxis(values, Qt::AlignLeft);
    for (QXYSeries* series : lines) {
        chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(values);
    }
    // The dots are the lines' readings: one legend entry per line.
    for (std::size_t n = 1; n < lines.size(); n += 2)
        for (QLegendMarker* marker : chart->legend()->markers(lines[n]))
            marker->setVisible(false);
    time->setVisible(!points.empty());
    values->setVisible(!points.empty());
    return chart;
}

void replaceChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

QChartView* chartView() {
    auto* view = new QChartView;
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(160);
    return view;
}

}  // namespace

HistoryWindow::HistoryWindow(ScanHistory& history, QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history) {
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(tr("History"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A window of its own, not a dialog: Esc closes it only when told to.
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
    resize(900, 700);

    period_ = new QComboBox;
    period_->addItems(
        {tr("Last 24 hours"), tr("Last 7 days"), tr("Last 30 days"), tr("Everything kept")});
    period_->setCurrentIndex(1);

    auto* tableTab = new QWidget;
    tableName_ = new QLineEdit;
    auto* showTableButton = new QPushButton(tr("&Show"));
    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(new QLabel(tr("&Table:")));
    tableRow->addWidget(tableName_, 1);
    tableRow->addWidget(showTableButton);
    qobject_cast<QLabel*>(tableRow->itemAt(0)->widget())->setBuddy(tableName_);
    tableSummary_ = new QLabel;
    tableSummary_->setWordWrap(true);
    auto* tableLayout = new QVBoxLayout(tableTab);
    tableLayout->addLayout(tableRow);
    tableLayout->addWidget(tableSummary_);
    for (int i = 0; i < 3; ++i) {
        tableViews_.push_back(chartView());
        tableLayout->addWidget(tableViews_.back(), 1);
    }

    auto* playerTab = new QWidget;
    playerName_ = new QLineEdit;
    auto* showPlayerButton = new QPushButton(tr("S&how"));
    auto* playerRow = new QHBoxLayout;
    auto* playerLabel = new QLabel(tr("&Player:"));
    playerLabel->setBuddy(playerName_);
    playerRow->addWidget(playerLabel);
    playerRow->addWidget(playerName_, 1);
    playerRow->addWidget(showPlayerButton);
    playerSummary_ = new QLabel;
    playerSummary_->setWordWrap(true);
    sightings_ = new QTableWidget(0, 8);
    sightings_->setHorizontalHeaderLabels({tr("When"), tr("Table"), tr("Stakes"), tr("Seat"),
                                           tr("Chips"), tr("Hands"), tr("VPIP"), tr("Weak")});
    sightings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sightings_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sightings_->verticalHeader()->hide();
    sightings_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    hoursView_ = chartView();
    auto* playerLayout = new QVBoxLayout(playerTab);
    playerLayout->addLayout(playerRow);
    playerLayout->addWidget(playerSummary_);
    playerLayout->addWidget(sightings_, 1);
    playerLayout->addWidget(hoursView_, 1);

    tabs_ = new QTabWidget;
    tabs_->addTab(tableTab, tr("T&able"));
    tabs_->addTab(playerTab, tr("P&layer"));
    auto* top = new QFormLayout;
    top->addRow(tr("P&eriod:"), period_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs_, 1);

    connect(showTableButton, &QPushButton::clicked, this,
            [this] { showTable(tableName_->text().trimmed()); });
    connect(tableName_, &QLineEdit::returnPressed, showTableButton, &QPushButton::click);
    connect(showPlayerButton, &QPushButton::clicked, this,
            [this] { showPlayer(playerName_->text().trimmed()); });
    connect(playerName_, &QLineEdit::returnPressed, showPlayerButton, &QPushButton::click);
    connect(period_, &QComboBox::currentIndexChanged, this, [this] {
        if (tabs_->currentIndex() == 0)
            askTable();
        else
            askPlayer();
    });
}

HistoryTime HistoryWindow::since() const {
    const int days = kPeriodDays[static_cast<std::size_t>(std::max(0, period_->currentIndex()))];
    if (days == 0)
        return HistoryTime{};
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    return now - std::chrono::days(days);
}

void HistoryWindow::showTable(const QString& name) {
    shownTable_ = name;
    tableName_->setText(name);
    tabs_->setCurrentIndex(0);
    askTable();
}

void HistoryWindow::showPlayer(const QString& name) {
    shownPlayer_ = name;
    playerName_->setText(name);
    tabs_->setCurrentIndex(1);
    askPlayer();
}

void HistoryWindow::askTable() {
    if (shownTable_.isEmpty())
        return;
    tableSummary_->setText(tr("Looking %1 up…").arg(shownTable_));
    const std::string name = shownTable_.toStdString();
    const HistoryTime from = since();
    QPointer<HistoryWindow> self(this);
    history_.ask<std::vector<TableVisit>>(
        [name, from](HistoryStore& store) { return store.table(name, from); },
        [self](std::vector<TableVisit> visits) {
            if (self)
                self->fillTable(visits);
        },
        [self](const std::string& why) {
            if (self)
                self->failed(toQString(why));
        });
}

void HistoryWindow::askPlayer() {
    if (shownPlayer_.isEmpty())
        return;
    playerSummary_->setText(tr("Looking %1 up…").arg(shownPlayer_));
    const std::string name = shownPlayer_.toStdString();
    const HistoryTime from = since();
    QPointer<HistoryWindow> self(this);
    history_.ask<std::vector<PlayerVisit>>(
        [name, from](HistoryStore& store) { return store.player(name, from); },
        [self](std::vector<PlayerVisit> visits) {
            if (self)
                self->fillPlayer(visits);
        },
        [self](const std::string& why) {
            if (self)
                self->failed(toQString(why));
        });
}

void HistoryWindow::fillTable(const std::vector<TableVisit>& visits) {
    TimePoints seated, waiting, pot, score;
    for (const TableVisit& visit : visits) {
        seated.emplace_back(visit.at, visit.seated);
        waiting.emplace_back(visit.at, visit.waiting);
        if (const std::optional<double> amount = amountOf(visit.averagePot))
            pot.emplace_back(visit.at, *amount);
        score.emplace_back(visit.at, visit.score);
    }
    replaceChart(tableViews_[0],
                 timeChart(tr("Players seated"), seated, tr("Players waiting"), waiting));
    replaceChart(tableViews_[1], timeChart(tr("Average pot"), pot));
    replaceChart(tableViews_[2], timeChart(tr("Score"), score));
    tableSummary_->setText(visits.empty() ? tr("%1 was not read in this period.").arg(shownTable_)
                                          : tr("%1: read %n time(s), last at %2.", nullptr,
                                               static_cast<int>(visits.size()))
                                                .arg(shownTable_, shownTime(visits.back().at)));
    emit answered();
}

void HistoryWindow::fillPlayer(const std::vector<PlayerVisit>& visits) {
    sightings_->setRowCount(static_cast<int>(visits.size()));
    // Sightings by weekday (Monday first) and local hour.
    std::array<std::array<int, 24>, 7> hours{};
    for (std::size_t row = 0; row < visits.size(); ++row) {
        const PlayerVisit& visit = visits[row];
        const QDateTime when = localTime(visit.at);
        ++hours[static_cast<std::size_t>(when.date().dayOfWeek() - 1)]
               [static_cast<std::size_t>(when.time().hour())];
        const PlayerSighting& seen = visit.sighting;
        const QStringList cells{
            shownTime(visit.at),     toQString(visit.table),
            toQString(visit.stakes), seen.waiting ? tr("waiting") : QString::number(seen.seat),
            toQString(seen.chips),   QString::number(seen.hands),
            toQString(seen.vpip),    QLocale().toString(seen.weak, 'f', 2)};
        for (int column = 0; column < cells.size(); ++column)
            sightings_->setItem(static_cast<int>(row), column, new QTableWidgetItem(cells[column]));
    }

    auto* chart = new QChart;
    chart->setTitle(tr("When he plays (sightings by hour and weekday)"));
    auto* series = new QStackedBarSeries;
    for (int day = 0; day < 7; ++day) {
        auto* set = new QBarSet(QLocale().dayName(day + 1, QLocale::ShortFormat));
        for (const int count : hours[static_cast<std::size_t>(day)])
            set->append(count);
        series->append(set);
    }
    chart->addSeries(series);
    auto* hourAxis = new QBarCategoryAxis;
    for (int hour = 0; hour < 24; ++hour)
        hourAxis->append(QString::number(hour));
    chart->addAxis(hourAxis, Qt::AlignBottom);
    series->attachAxis(hourAxis);
    auto* counts = new QValueAxis;
    counts->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(counts, Qt::AlignLeft);
    series->attachAxis(counts);
    replaceChart(hoursView_, chart);

    playerSummary_->setText(visits.empty() ? tr("%1 was not seen in this period.").arg(shownPlayer_)
                                           : tr("%1: seen %n time(s), last at %2 at %3.", nullptr,
                                                static_cast<int>(visits.size()))
                                                 .arg(shownPlayer_, shownTime(visits.front().at),
                                                      toQString(visits.front().table)));
    emit answered();
}

void HistoryWindow::failed(const QString& why) {
    tableSummary_->setText(why);
    playerSummary_->setText(why);
    emit answered();
}

std::vector<QChart*> HistoryWindow::tableCharts() const {
    std::vector<QChart*> charts;
    for (QChartView* view : tableViews_)
        charts.push_back(view->chart());
    return charts;
}

QChart* HistoryWindow::hoursChart() const {
    return hoursView_->chart();
}

}  // namespace kestrova
