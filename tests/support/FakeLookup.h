#pragma once

#include "common/MessageSink.h"
#include "records/PlayerLookup.h"
#include "records/PlayerRecordList.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrova::test {

// Knows every player whose name does not start with "nobody"; counts look-ups.
// Like the database look-up, it appends what it builds to the statistics cache.
class FakeLookup final : public PlayerLookup {
public:
    PlayerRecordList* cache = nullptr;
    std::vector<std::string> looked;
    int connects = 0;
    int disconnects = 0;
    bool failConnect = false;
    // Fills the figures of a new record; by default 100 hands and nothing else.
    std::function<void(PlayerStats&)> figures;

    bool connectDatabases(MessageSink& messages) override {
        ++connects;
        if (failConnect)
            messages.showError(MessageKind::Failure, "no database");
        return !failConnect;
    }
    void disconnectDatabases() override { ++disconnects; }
    std::shared_ptr<PlayerStats> lookupPlayer(const std::string& name, const std::string& stack,
                                              const std::string& seat, MessageSink&) override {
        looked.push_back(name);
        if (name.starts_with("nobody"))
            return nullptr;
        auto r = std::make_shared<PlayerStats>();
        r->name = name;
        r->stack = stack;
        r->seat = seat;
        r->hands = 100;
        if (figures)
            figures(*r);
        if (cache)
            cache->append(r);
        return r;
    }
};

}  // namespace kestrova::test
