#pragma once

#include "client/ocr/GlyphTable.h"

namespace kestrova {

// The shipped table "ocr.txt" followed by the user's own additions "ocr2.txt"
// (entries learnt from his client); a pair of the second file wins over the first.
GlyphTable loadGlyphTables();

}  // namespace kestrova
