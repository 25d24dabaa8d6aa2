#include "gui/WindowState.h"

#include "PlayerColumns.h"
#include "TableColumns.h"
#include "WindowLayout.h"
#include "gui/widgets/ScreenFit.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace kestrova {

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
    const QRect area = ScreenFit::availableArea(window);
    if (layout.firstStart) {
        // Centred, wide enough for every table column where the screen allows,
        // tall enough for a good many rows.
        const QMargins frame = ScreenFit::frameMargins(window);
        const int room = area.width() - frame.left() - frame.right();
        // The header has no lengths before it is shown: each column at least its default.
        const QHeaderView* header = lists.tables->header();
        int columns = 2 * window.style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                      4 * window.style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
        for (int c = 0; c < header->count(); ++c) {
            if (!header->isSectionHidden(c))
                columns += std::max(header->sectionSizeHint(c), header->defaultSectionSize());
        }
        window.resize(std::min(std::max(columns, area.width() * 3 / 4), room),
                      area.height() * 4 / 5);
        window.move(
            area.x() + (area.width() - window.width() - frame.left() - frame.right()) / 2,
            area.y() + (area.height() - window.height() - frame.top() - frame.bottom()) / 2);
    } else {
        window.move(area.topLeft());
        window.resize(start.width, start.height);
    }
    // Saved on a larger screen or at a smaller scale, or larger than a scaled screen.
    ScreenFit::fit(window);

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

}  // namespace kestrova
