#include "client/lobby/GlyphTables.h"

#include "common/DataFiles.h"

namespace kestrova {

GlyphTable loadGlyphTables() {
    GlyphTable table = GlyphTable::load(findDataFile("ocr.txt"));
    table.readFile(findDataFile("ocr2.txt"));
    return table;
}

}  // namespace kestrova
