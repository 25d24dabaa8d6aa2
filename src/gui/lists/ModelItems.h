#pragma once

#include "gui/lists/ListRowItem.h"

#include <QTreeWidget>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace kestrova {

// The items of a list widget that shows a model: one item per model row, in
// row order. Items stay while their rows do, so a refresh never pulls an item
// from under a click; a model that shrank (was cleared) starts over.
class ModelItems final {
public:
    // `sortRules`: how each column orders the rows.
    ModelItems(QTreeWidget* list, std::vector<SortRule> sortRules)
        : list_(list), sortRules_(std::move(sortRules)) {}
    ModelItems(const ModelItems&) = delete;
    ModelItems& operator=(const ModelItems&) = delete;

    // Brings the items in line with a model of `rows` rows after the change of
    // one row (or of every row), showing each changed row through show(index).
    template <class Show>
    void sync(std::size_t rows, std::optional<std::size_t> changed, Show show) {
        const bool sorting = list_->isSortingEnabled();
        list_->setSortingEnabled(false);
        if (rows < items_.size()) {
            list_->clear();
            items_.clear();
        }
        while (items_.size() < rows)
            items_.push_back(new ListRowItem(list_, sortRules_));
        if (changed) {
            show(*changed);
        } else {
            for (std::size_t i = 0; i < items_.size(); ++i)
                show(i);
        }
        list_->setSortingEnabled(sorting);
    }

    ListRowItem* at(std::size_t row) const { return items_[row]; }
    std::size_t size() const { return items_.size(); }
    std::optional<std::size_t> rowOf(const QTreeWidgetItem* item) const {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i] == item)
                return i;
        }
        return std::nullopt;
    }

private:
    QTreeWidget* list_;
    std::vector<SortRule> sortRules_;
    std::vector<ListRowItem*> items_;
};

}  // namespace kestrova
