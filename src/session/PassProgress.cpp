#include "PassProgress.h"

namespace kestrova {

void PassProgressCount::start(PassKind pass, std::string table, long long nowMs) {
    const bool walks = pass == PassKind::TableList || pass == PassKind::ScanAll;
    progress_ = PassProgress{pass, std::move(table), 0, walks ? lastWalkRows_ : 0, std::nullopt};
    firstRowAtMs_ = nowMs;
}

void PassProgressCount::rowRead(const std::string& name, long long nowMs) {
    PassProgress& p = progress_;
    if (p.pass != PassKind::TableList && p.pass != PassKind::ScanAll)
        return;
    p.table = name;
    if (++p.rowsRead == 1)
        firstRowAtMs_ = nowMs;  // finding and raising the lobby is not a row's time
    if (p.rowsRead > p.rowsExpected) {
        p.rowsExpected = 0;  // a longer list than last time: its end is not known
        p.secondsLeft.reset();
        return;
    }
    if (p.rowsRead < 2)
        return;
    const double msPerRow =
        static_cast<double>(nowMs - firstRowAtMs_) / static_cast<double>(p.rowsRead - 1);
    p.secondsLeft = static_cast<long long>(
        msPerRow * static_cast<double>(p.rowsExpected - p.rowsRead) / 1000.0 + 0.5);
}

void PassProgressCount::finished(bool walkedTheWholeList) {
    if (walkedTheWholeList &&
        (progress_.pass == PassKind::TableList || progress_.pass == PassKind::ScanAll))
        lastWalkRows_ = progress_.rowsRead;
}

}  // namespace kestrova
