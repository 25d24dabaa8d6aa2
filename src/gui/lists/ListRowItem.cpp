#include "gui/lists/ListRowItem.h"

namespace kestrova {

ListRowItem::ListRowItem(QTreeWidget* parent, const std::vector<SortRule>& sortRules)
    : QTreeWidgetItem(parent, UserType), sortRules_(sortRules) {}

void ListRowItem::setTexts(std::vector<std::string> texts) {
    texts_ = std::move(texts);
    for (std::size_t c = 0; c < texts_.size(); ++c)
        setText(static_cast<int>(c), QString::fromStdString(texts_[c]));
}

std::string ListRowItem::textOf(int column) const {
    return column >= 0 && static_cast<std::size_t>(column) < texts_.size()
               ? texts_[static_cast<std::size_t>(column)]
               : std::string();
}

bool ListRowItem::operator<(const QTreeWidgetItem& other) const {
    const QTreeWidget* list = treeWidget();
    const int column = list ? list->sortColumn() : 0;
    const auto* row = dynamic_cast<const ListRowItem*>(&other);
    if (!row || column < 0 || static_cast<std::size_t>(column) >= sortRules_.size())
        return QTreeWidgetItem::operator<(other);
    return rowLess(
        sortRules_[static_cast<std::size_t>(column)], column, [this](int c) { return textOf(c); },
        [row](int c) { return row->textOf(c); });
}

}  // namespace kestrova
