#include "records/PlayerRecordList.h"

#include <utility>

namespace kestrova {

PlayerRecordList::Record PlayerRecordList::findCachedPlayer(std::string_view name) const {
    const auto found = firstByName_.find(name);
    return found == firstByName_.end() ? nullptr : records_[found->second];
}

std::int32_t PlayerRecordList::append(Record record) {
    if (!record) {
        return -1;
    }
    const auto index = static_cast<std::int32_t>(records_.size());
    record->recordIndex = index;
    firstByName_.try_emplace(record->name, records_.size());
    records_.push_back(std::move(record));
    return index;
}

}  // namespace kestrova
