#pragma once

#include "gui/lists/ModelItems.h"

#include <QIcon>
#include <QObject>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace kestrova {

class PlayerListModel;
class Session;
struct PlayerStats;

// A player list widget fed from one of the session's player models: the
// picked table's players, or (with the "Table" column first) every player the
// scans found. Rows show the rating icon, the buddy box and the profile colours,
// which the coloured columns' header tips explain.
class PlayerListView final : public QObject {
    Q_OBJECT

public:
    enum class Columns { TablePlayers, WholeList };

    PlayerListView(QTreeWidget* list, PlayerListModel& model, Columns columns, Session& session,
                   const std::vector<QIcon>& icons, QObject* parent = nullptr);

    QTreeWidget* widget() const { return list_; }
    // The columns follow "Table" in the whole list.
    int shift() const { return shift_; }
    // The player an item shows, or null.
    std::shared_ptr<PlayerStats> recordOf(const QTreeWidgetItem* item) const;

private:
    void sync(std::optional<std::size_t> row);
    void show(std::size_t row);
    void describeColours();

    QTreeWidget* list_;
    PlayerListModel& model_;
    int shift_;
    Session& session_;
    const std::vector<QIcon>& icons_;
    ModelItems items_;
};

}  // namespace kestrova
