#pragma once

#include "GlyphBook.h"
#include "JobEvents.h"
#include "SessionTypes.h"
#include "client/ocr/FontLearner.h"  // LobbyTexts, the teaching dialog's cells

#include <string>

namespace kestrova {

// Teaching the recogniser a font from a capture of the lobby.

// What the glyph tables read now in the capture's visible rows and seat lines,
// field by field ("?" for a glyph they do not know).
LobbyTexts readCapture(const GlyphBook& font, const CapturedLobby& capture);

// Learns from the texts the user typed for the capture's cells, saves what was
// learnt to his glyph table and returns the report to show: what was learnt,
// what did not fit, which characters are still missing, and why nothing was
// saved when it was not.
std::string teachFont(GlyphBook& font, const CapturedLobby& capture, const LobbyTexts& typed);

}  // namespace kestrova
