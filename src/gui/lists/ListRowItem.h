#pragma once

#include "SessionTypes.h"

#include <QTreeWidgetItem>

#include <string>
#include <vector>

namespace kestrova {

// The row of the table list and of both player lists; each column sorts by
// its own rule (numbers, amounts, texts) over the texts its model gave it.
class ListRowItem final : public QTreeWidgetItem {
public:
    // `sortRules`, by column, outlive the item.
    ListRowItem(QTreeWidget* parent, const std::vector<SortRule>& sortRules);

    // Shows the texts and keeps them as the row's sort keys.
    void setTexts(std::vector<std::string> texts);

    bool operator<(const QTreeWidgetItem& other) const override;

private:
    std::string textOf(int column) const;

    const std::vector<SortRule>& sortRules_;
    std::vector<std::string> texts_;
};

}  // namespace kestrova
