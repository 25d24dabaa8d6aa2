#pragma once

#include "scan/LobbyEntryList.h"
#include "scan/PassContext.h"
#include "scan/PassEnd.h"

namespace kestrova {

// "Get Table List": walks the lobby from its first row, one row per step, and
// reads every highlighted row into the lobby entries. The walk ends at the end
// of the list, when a name comes round again, or when the user cancels.
class TableListPass final {
public:
    static constexpr int kAfterDownMs = 200;

    explicit TableListPass(PassContext& context) : context_(context) {}

    PassEnd run(LobbyEntryList& entries);

private:
    PassContext& context_;
};

}  // namespace kestrova
