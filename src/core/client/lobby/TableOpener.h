#pragma once

#include "client/ClientPlatform.h"
#include "client/ocr/GlyphTable.h"
#include "common/Clock.h"
#include "common/MessageSink.h"
#include "common/TranslatableText.h"

#include <functional>
#include <string>

namespace kestrova {

enum class OpenResult {
    Opened,
    LobbyNotFound,  // the user has been told
    TableNotFound,  // the walk reached the end of the list; the user has been told
    NameTooShort,   // the name could never be found (see kMinMatchLength); told, no walk
    Cancelled,      // `cancelled` said so between two rows; nothing told
};

inline constexpr const char* kTableNotFoundTitle = KESTROVA_TEXT("Messages", "Table not found");

// Opens a table of the lobby the way a user would: from the top of the list,
// Down row by row until the highlighted row's name is the wanted name, then
// Enter. Names are compared as the table list shows them (tableName(): without
// the client's "(S)" and "(D)" markers), whole: "Aspen 1" does not open for
// "Aspen 12". The walk ends at the end of the list. A name too short to be
// told apart is refused at once, without touching the lobby.
// `cancelled`, when given, is asked before every row.
OpenResult openTableByName(ClientPlatform& platform, Clock& clock, const GlyphTable& glyphs,
                           const std::string& wantedName, MessageSink& messages,
                           const std::function<bool()>& cancelled = {});

}  // namespace kestrova
