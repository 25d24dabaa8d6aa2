#pragma once

#include "ScanEvents.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kestrova {

// How far a pass over the lobby has come, for a progress bar and a time left.
struct PassProgress {
    PassKind pass = PassKind::TableList;
    // The table asked for (a scan of one table, opening one), else the row
    // read last.
    std::string table;
    std::size_t rowsRead = 0;
    // The rows the last whole walk of the lobby read; 0 while not known, or
    // once this pass has read more.
    std::size_t rowsExpected = 0;
    std::optional<long long> secondsLeft;
};

// Counts a pass's rows against the length of the list walked last: a walk
// reads every row of the lobby once, whether the pass lists or scans them.
class PassProgressCount final {
public:
    void start(PassKind pass, std::string table, long long nowMs);
    void rowRead(const std::string& name, long long nowMs);
    // The pass walked the whole list: its length is what the next walk expects.
    void finished(bool walkedTheWholeList);

    const PassProgress& progress() const { return progress_; }

private:
    PassProgress progress_;
    std::size_t lastWalkRows_ = 0;
    long long firstRowAtMs_ = 0;
};

}  // namespace kestrova
