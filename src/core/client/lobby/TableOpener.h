#pragma once

#include "client/ClientPlatform.h"
#include "client/ocr/GlyphTable.h"
#include "common/Clock.h"
#include "common/MessageSink.h"

#include <string>

namespace kestrova {

// Opens a table of the lobby the way a user would: from the top of the list,
// Down row by row (60 rows at most) until the highlighted row's name occurs in
// wantedNames, then Enter. The match in wantedNames is overwritten, so the same
// text does not open the same table twice. True when a table was opened.
bool openTableByName(ClientPlatform& platform, Clock& clock, const GlyphTable& glyphs,
                     std::string& wantedNames, MessageSink& messages);

}  // namespace kestrova
