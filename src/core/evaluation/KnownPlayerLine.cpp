#include "evaluation/KnownPlayerLine.h"

#include "common/NumberText.h"
#include "records/PlayerStats.h"

namespace kestrova {

std::string knownPlayerLine(std::size_t knownRecords, std::size_t records, std::size_t tableRows) {
    const double share =
        records == 0 ? 0.0
                     : 100.0 * static_cast<double>(knownRecords) / static_cast<double>(records);
    return kKnownPlayerLabel + twoDecimals(share) + " %\nTables: " + std::to_string(tableRows);
}

std::string knownPlayerLine(const std::vector<std::shared_ptr<PlayerStats>>& records,
                            int minimumHands, std::size_t tableRows) {
    std::size_t known = 0;
    std::size_t count = 0;
    for (const std::shared_ptr<PlayerStats>& record : records) {
        if (!record) {
            continue;
        }
        ++count;
        if (record->hands > minimumHands) {
            ++known;
        }
    }
    return knownPlayerLine(known, count, tableRows);
}

}  // namespace kestrova
