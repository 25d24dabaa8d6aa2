#pragma once

#include "lists/RowOrder.h"

#include <QTreeWidgetItem>

// The row of the table list and of both player lists; each column sorts by
// its own rule (numbers, amounts, texts) chosen by the list's sort mode.
class CTreeWidgetItem final : public QTreeWidgetItem {
public:
    CTreeWidgetItem(QTreeWidget* parent, kestrova::RowSortMode sortMode);

    kestrova::RowSortMode sortMode() const { return sortMode_; }

    bool operator<(const QTreeWidgetItem& other) const override;

private:
    kestrova::RowSortMode sortMode_;
};
