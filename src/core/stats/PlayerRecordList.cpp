#include "stats/PlayerRecordList.h"

#include <utility>

namespace kestrova {

PlayerRecordList::Record PlayerRecordList::findCachedPlayer(std::string_view name) const {
    for (const Record& record : records_) {
        if (record->name == name) {
            return record;
        }
    }
    return nullptr;
}

std::int32_t PlayerRecordList::append(Record record) {
    if (!record) {
        return -1;
    }
    const auto index = static_cast<std::int32_t>(records_.size());
    record->recordIndex = index;
    records_.push_back(std::move(record));
    return index;
}

}  // namespace kestrova
