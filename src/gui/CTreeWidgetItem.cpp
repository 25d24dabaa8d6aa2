#include "CTreeWidgetItem.h"

CTreeWidgetItem::CTreeWidgetItem(QTreeWidget* parent, kestrova::RowSortMode sortMode)
    : QTreeWidgetItem(parent, UserType), sortMode_(sortMode) {}

bool CTreeWidgetItem::operator<(const QTreeWidgetItem& other) const {
    const QTreeWidget* list = treeWidget();
    const int column = list ? list->sortColumn() : 0;
    const auto cells = [](const QTreeWidgetItem& item) {
        return [&item](int c) { return item.text(c).toStdString(); };
    };
    return kestrova::rowLess(sortMode_, column, cells(*this), cells(other));
}
