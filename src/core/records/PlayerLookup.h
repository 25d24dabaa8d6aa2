#pragma once

#include "records/PlayerStats.h"

#include <memory>
#include <string>

namespace kestrova {

class MessageSink;

// Looks players up in every active tracking database. A scan connects once,
// looks up every seated player the cache does not know, and disconnects.
class PlayerLookup {
public:
    virtual ~PlayerLookup() = default;

    // False when the scan must end; the user has been told why.
    virtual bool connectDatabases(MessageSink& messages) = 0;
    virtual void disconnectDatabases() = 0;
    // Whether this pass left an active database out after telling why (it
    // could not be connected or failed); the others answer without it.
    virtual bool databaseLeftOut() const { return false; }
    // A new record with the figures summed over the databases, or nullptr when the
    // seat is to be skipped. stack and seat are the texts read from the screen.
    virtual std::shared_ptr<PlayerStats> lookupPlayer(const std::string& name,
                                                      const std::string& stack,
                                                      const std::string& seat,
                                                      MessageSink& messages) = 0;
};

}  // namespace kestrova
