#pragma once

#include "SessionTypes.h"

#include <QTreeWidgetItem>

#include <string>
#include <vector>

namespace kestrova {

// The row of the table list and of both player lists; each column sorts by
// its own rule (numbers, amounts, texts) chosen by the list's sort mode, over
// the texts its model gave it.
class ListRowItem final : public QTreeWidgetItem {
public:
    ListRowItem(QTreeWidget* parent, RowSortMode sortMode);

    RowSortMode sortMode() const { return sortMode_; }
    // Shows the texts and keeps them as the row's sort keys.
    void setTexts(std::vector<std::string> texts);

    bool operator<(const QTreeWidgetItem& other) const override;

private:
    std::string textOf(int column) const;

    RowSortMode sortMode_;
    std::vector<std::string> texts_;
};

}  // namespace kestrova
