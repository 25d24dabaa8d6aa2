#pragma once

#include "client/ocr/GlyphTable.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

// Glyphs of characters that touch, told apart by how their characters are
// drawn where they stand alone.
namespace kestrova::fontlearning {

// character -> signature -> times the lines show it drawn so
using DrawnWays = std::map<std::string, std::map<std::string, int>>;

// Whether the glyph `signature` can be characters [from, from + count) touching,
// each known character drawn as it is elsewhere.
bool canBeTouching(const std::string& signature, const std::vector<std::string>& characters,
                   std::size_t from, std::size_t count, const DrawnWays& drawn);

// Learns the single glyphs of runs of touching characters (the entries of
// textOf with more than one character): a character known at either end of a
// run is peeled off, and a last one left alone is learnt into textOf, until
// nothing new is. Returns the signatures learnt and the runs.
std::set<std::string> peelKnownGlyphs(const GlyphTable& known,
                                      std::map<std::string, std::string>& textOf,
                                      const DrawnWays& drawn);

}  // namespace kestrova::fontlearning
