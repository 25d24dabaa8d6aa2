#pragma once

// GoogleTest printers for the project's value types, so that a failed
// comparison shows the fields instead of raw bytes. Include where such values
// are compared.

#include "client/LobbyEntry.h"
#include "records/DatabaseEntry.h"
#include "records/PlayerStats.h"
#include "records/TrackerCounters.h"

#include <ostream>
#include <string>

namespace kestrova {

namespace test_print {
// "key=value" for every field that is set, so that short records stay short.
class Fields {
public:
    explicit Fields(std::ostream& os) : os_(os) { os_ << '{'; }
    ~Fields() { os_ << '}'; }
    Fields& text(const char* key, const std::string& value) {
        if (!value.empty())
            put(key) << '"' << value << '"';
        return *this;
    }
    template <typename Number>
    Fields& number(const char* key, Number value, Number unset = Number{}) {
        if (value != unset)
            put(key) << value;
        return *this;
    }

private:
    std::ostream& put(const char* key) {
        os_ << (first_ ? "" : " ") << key << '=';
        first_ = false;
        return os_;
    }
    std::ostream& os_;
    bool first_ = true;
};
}  // namespace test_print

inline void PrintTo(const LobbyEntry& e, std::ostream* os) {
    test_print::Fields(*os)
        .text("name", e.name)
        .text("game", e.game)
        .text("stakes", e.stakes)
        .text("extra", e.extra)
        .text("pot", e.averagePot)
        .text("limit", e.limitKind)
        .number("players", e.players)
        .number("seats", e.seats);
}

inline void PrintTo(const DatabaseEntry& e, std::ostream* os) {
    test_print::Fields(*os)
        .text("host", e.host)
        .text("port", e.port)
        .text("database", e.database)
        .text("user", e.user)
        .text("password", e.password)
        .text("position", e.position)
        .number("active", int{e.active}, -1)
        .number("kind", e.kind, -1);
}

inline void PrintTo(const PlayerStats& s, std::ostream* os) {
    test_print::Fields(*os)
        .text("name", s.name)
        .number("buddy", s.buddyIndex, -1)
        .number("icon", s.icon)
        .number("hands", s.hands)
        .number("vpipHands", s.vpipHands)
        .text("won", figureText(s.won))
        .text("vpip", figureText(s.vpip))
        .text("pfr", figureText(s.pfr))
        .text("af", figureText(s.af))
        .text("flopAf", figureText(s.flopAf))
        .text("turnAf", figureText(s.turnAf))
        .text("riverAf", figureText(s.riverAf))
        .text("wtsd", figureText(s.wtsd))
        .text("wonSd", figureText(s.wonSd))
        .text("attSteal", figureText(s.attToSteal))
        .text("foldSb", figureText(s.foldSbToSteal))
        .text("foldBb", figureText(s.foldBbToSteal))
        .text("cbet", figureText(s.contiBetFlop))
        .text("3bet", figureText(s.threeBetCap))
        .text("table", s.table)
        .text("seat", s.seat)
        .text("stack", s.stack)
        .number("record", s.recordIndex, -1);
}

inline void PrintTo(const TrackerCounters& c, std::ostream* os) {
    test_print::Fields(*os)
        .number("hands", c.hands)
        .number("vpip", c.vpip)
        .number("pfr", c.pfr)
        .number("fBet", c.flopBets)
        .number("tBet", c.turnBets)
        .number("rBet", c.riverBets)
        .number("fRaise", c.flopRaises)
        .number("tRaise", c.turnRaises)
        .number("rRaise", c.riverRaises)
        .number("fCall", c.flopCalls)
        .number("tCall", c.turnCalls)
        .number("rCall", c.riverCalls)
        .number("sd", c.showdowns)
        .number("flops", c.flopsSeen)
        .number("sdWon", c.showdownsWon)
        .number("won", c.won)
        .number("bet", c.totalBet)
        .number("bbSteal", c.bbStealAttempts)
        .number("bbFold", c.bbFoldCount)
        .number("sbSteal", c.sbStealAttempts)
        .number("sbFold", c.sbFoldCount)
        .number("icon", c.icon)
        .number("shape", static_cast<int>(c.dataShape), -1);
}

}  // namespace kestrova
