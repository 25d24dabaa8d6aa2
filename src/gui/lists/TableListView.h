#pragma once

#include "gui/lists/ModelItems.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace kestrova {

class ColourRanges;
class TableListModel;
struct TableRow;

// The table list widget fed from the session's table model: one item per
// model row, with the row's texts, colours, tooltips and visibility. A row
// whose score, as shown, reaches goodScore() is tinted; a stale row is greyed
// and its colours faded. The coloured columns' header tips tell the colours.
class TableListView final : public QObject {
    Q_OBJECT

public:
    // waitingPlayers(row, weakOnly): the row's waiting players with their weakness.
    TableListView(QTreeWidget* list, TableListModel& model, std::function<double()> goodScore,
                  std::function<const ColourRanges&()> colours,
                  std::function<std::string(const TableRow&, bool)> waitingPlayers,
                  QObject* parent = nullptr);

    QTreeWidget* widget() const { return list_; }
    // The model row an item shows, or nothing.
    std::optional<std::size_t> rowOf(const QTreeWidgetItem* item) const;
    const std::string* nameOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* itemOf(const std::string& tableName) const;

private:
    void sync(std::optional<std::size_t> row);
    void show(std::size_t row);
    void describeColours();

    QTreeWidget* list_;
    TableListModel& model_;
    std::function<double()> goodScore_;
    std::function<const ColourRanges&()> colours_;
    std::function<std::string(const TableRow&, bool)> waitingPlayers_;
    ModelItems items_;
};

}  // namespace kestrova
