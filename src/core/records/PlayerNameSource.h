#pragma once

#include <string>
#include <vector>

namespace kestrova {

struct DatabaseEntry;
class ImportProgress;
class MessageSink;

// Lists every player name stored in one tracking database, for the import of
// players into the buddy list.
class PlayerNameSource {
public:
    enum class Result {
        Done,       // every name was appended (none for kinds without a name list)
        Cancelled,  // "Cancel" was pressed; the names before it were appended
        Failed,     // the database failed; the user has been told why
    };

    virtual ~PlayerNameSource() = default;

    // Appends the names of the database in the order the database returns
    // them. Checks progress.cancelled() at every row.
    virtual Result collectNames(const DatabaseEntry& entry, std::vector<std::string>& names,
                                ImportProgress& progress, MessageSink& messages) = 0;
};

}  // namespace kestrova
