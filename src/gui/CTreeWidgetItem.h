#pragma once

#include "lists/RowOrder.h"
#include "stats/PlayerStats.h"

#include <QTreeWidgetItem>

#include <memory>

// The row of the table list and of both player lists; each column sorts by
// its own rule (numbers, amounts, texts) chosen by the list's sort mode.
class CTreeWidgetItem final : public QTreeWidgetItem {
public:
    CTreeWidgetItem(QTreeWidget* parent, kestrova::RowSortMode sortMode);

    kestrova::RowSortMode sortMode() const { return sortMode_; }

    // Player rows keep their record alive for as long as they show it.
    void setRecord(std::shared_ptr<kestrova::PlayerStats> record) { record_ = std::move(record); }
    const std::shared_ptr<kestrova::PlayerStats>& record() const { return record_; }

    bool operator<(const QTreeWidgetItem& other) const override;

private:
    kestrova::RowSortMode sortMode_;
    std::shared_ptr<kestrova::PlayerStats> record_;
};
