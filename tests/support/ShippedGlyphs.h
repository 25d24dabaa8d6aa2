#pragma once

#include "client/lobby/GlyphTables.h"

#include <stdlib.h>

namespace kestrova::test {

// The glyph tables shipped in data/, read as the program reads them.
inline GlyphTable shippedGlyphs() {
    ::setenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR, 1);
    return loadGlyphTables({});
}

}  // namespace kestrova::test
