#include "gui/widgets/WindowState.h"

#include "PlayerColumns.h"
#include "TableColumns.h"
#include "WindowLayout.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QScreen>
#include <QTreeWidget>

#include <algorithm>

using namespace kestrova;

void restoreWindowState(QMainWindow& window, const WindowLists& lists,
                        const std::filesystem::path& workingDir) {
    window.resize(800, 600);
    const WindowLayout layout = WindowLayout::load(workingDir);
    const WindowStartGeometry& start = layout.start;
    // A first start ranks the tables by their score, best first.
    lists.tables->sortByColumn(start.tableSortColumn.value_or(kScoreColumn), Qt::DescendingOrder);
    if (start.playerSortColumn)
        lists.players->sortByColumn(*start.playerSortColumn, Qt::DescendingOrder);

    const Window2Conf& whole = layout.wholeList;
    if (whole.sortColumn && *whole.sortColumn >= 0 &&
        *whole.sortColumn < lists.wholePlayers->columnCount())
        lists.wholePlayers->sortByColumn(
            *whole.sortColumn, whole.ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (layout.firstStart) {
        // The whole window, title bar included, on the screen that holds the
        // pointer, large enough for a good many table rows.
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        window.resize(std::min(area.width() * 3 / 4, 1400), area.height() * 4 / 5);
        const QSize frame = window.frameGeometry().size() - window.geometry().size();
        window.move(area.x() + (area.width() - window.width() - frame.width()) / 2,
                    area.y() + (area.height() - window.height() - frame.height()) / 2);
    } else {
        window.move(0, 0);
        window.resize(start.width, start.height);
    }

    // The player-list widths go to both player lists, column for column: the
    // whole list's columns follow its "Table" column.
    const ColumnConf& widths = layout.widths;
    const auto apply = [](QTreeWidget* list, int column, int width) {
        if (column >= 0 && column < list->columnCount() && width >= 0)
            list->header()->resizeSection(column, width);
    };
    for (std::size_t i = 0; i < widths.tableWidths.size(); ++i)
        apply(lists.tables, static_cast<int>(i), widths.tableWidths[i]);
    for (std::size_t i = 0; i < widths.playerWidths.size(); ++i) {
        apply(lists.players, static_cast<int>(i), widths.playerWidths[i]);
        apply(lists.wholePlayers, static_cast<int>(i) + 1, widths.playerWidths[i]);
    }
}

bool saveWindowState(const QMainWindow& window, const WindowLists& lists,
                     const std::filesystem::path& workingDir) {
    const bool sized = !window.isMinimized();
    WindowLayoutToSave layout;
    if (sized) {
        WindowConf conf;
        conf.tableSortColumn = lists.tables->header()->sortIndicatorSection();
        conf.playerSortColumn = lists.players->header()->sortIndicatorSection();
        conf.width = window.width();
        conf.height = window.height();
        layout.window = conf;
        layout.wholeListSortColumn = lists.wholePlayers->header()->sortIndicatorSection();
        layout.wholeListAscending =
            lists.wholePlayers->header()->sortIndicatorOrder() == Qt::AscendingOrder;
    }
    for (int c = 0; c < kTableWidthsSaved; ++c)
        layout.widths.tableWidths.push_back(lists.tables->header()->sectionSize(c));
    for (int c = 0; c < kPlayerWidthsSaved; ++c)
        layout.widths.playerWidths.push_back(lists.players->header()->sectionSize(c));
    layout.save(workingDir);
    return sized;
}
