#include "GlyphBook.h"

#include "client/lobby/GlyphTables.h"

#include <utility>

namespace kestrova {

GlyphBook::GlyphBook(std::filesystem::path userTable, std::function<bool()> running)
    : userTable_(std::move(userTable)), running_(std::move(running)) {}

TaughtGlyphs GlyphBook::taught() const {
    return TaughtGlyphs::load(userTable_);
}

bool GlyphBook::learn(const std::vector<GlyphTable::Entry>& entries, std::string* problem) {
    if (running_ && running_()) {
        *problem = "A scan is running; the glyphs are learnt when it has finished.";
        return false;
    }
    if (!saveLearntGlyphs(entries, userTable_, true, problem))
        return false;
    for (const GlyphTable::Entry& entry : entries)
        table_.add(entry.signature, entry.text);
    return true;
}

bool GlyphBook::useFound(const std::vector<GlyphTable::Entry>& entries, std::string* problem) {
    const bool kept = !keepFound_ || saveFontTable(entries, userTable_, problem);
    GlyphTable table;
    for (const GlyphTable::Entry& entry : entries)
        table.add(entry.signature, entry.text);
    table_ = std::move(table);
    return kept;
}

}  // namespace kestrova
