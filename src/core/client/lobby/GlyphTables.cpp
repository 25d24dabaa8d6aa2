#include "client/lobby/GlyphTables.h"

#include "common/DataFiles.h"

namespace kestrova {

GlyphTable loadGlyphTables()
{
    GlyphTable table = GlyphTable::load(findDataFile("ocr.txt"));
    const GlyphTable own = GlyphTable::load(findDataFile("ocr2.txt"));
    for (const GlyphTable::Entry& e : own.entries())
        table.add(e.signature, e.text);
    return table;
}

}  // namespace kestrova
