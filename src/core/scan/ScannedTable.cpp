#include "scan/ScannedTable.h"

namespace kestrova {

ScannedTable* ScannedTableList::find(std::string_view name) {
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

const ScannedTable* ScannedTableList::find(std::string_view name) const {
    return const_cast<ScannedTableList*>(this)->find(name);
}

ScannedTable& ScannedTableList::findOrCreate(std::string_view name) {
    if (ScannedTable* t = find(name))
        return *t;
    auto table = std::make_unique<ScannedTable>();
    table->name = std::string(name);
    byName_.emplace(table->name, table.get());
    tables_.push_back(std::move(table));
    return *tables_.back();
}

}  // namespace kestrova
