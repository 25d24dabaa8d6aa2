#pragma once

#include "client/ocr/GlyphTable.h"
#include "client/ocr/TaughtGlyphs.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kestrova {

// The glyph table the passes read with, and the user's own table "ocr2.txt"
// that teaching and a found font add to. The passes read the table on the
// worker, so it changes only where no pass runs.
class GlyphBook final {
public:
    // `running`: whether a pass runs now (teaching then waits for its end).
    GlyphBook(std::filesystem::path userTable, std::function<bool()> running);

    const GlyphTable& table() const { return table_; }
    // At the start, before any pass reads it.
    void replace(GlyphTable table) { table_ = std::move(table); }
    // Whether a found font's table is kept as the user's table, too.
    void keepFoundFonts(bool keep) { keepFound_ = keep; }

    // What the user taught so far.
    TaughtGlyphs taught() const;
    // Adds learnt glyphs to the user's table and to the table in use, so that
    // the next pass reads with them. Refused while a pass runs.
    bool learn(const std::vector<GlyphTable::Entry>& entries, std::string* problem);
    // Reads with a found font's table from now on, kept as the user's table
    // when keepFoundFonts(). False, with the reason, when it could not be
    // kept; it is read all the same. Only where no pass reads the table: from
    // the worker's own search, or at the end of a job.
    bool useFound(const std::vector<GlyphTable::Entry>& entries, std::string* problem);

private:
    std::filesystem::path userTable_;
    std::function<bool()> running_;
    GlyphTable table_;
    bool keepFound_ = true;
};

}  // namespace kestrova
