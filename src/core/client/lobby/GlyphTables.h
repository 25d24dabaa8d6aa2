#pragma once

#include "client/ocr/GlyphTable.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kestrova {

// The shipped table "ocr.txt" followed by the user's own additions "ocr2.txt"
// (entries learnt from his client): the one found beside "ocr.txt" (the start
// folder first), then the one the program saves to in `userFolder`, his
// per-user data folder; a later pair wins. A user's table drawn from an
// installed font (it says which) is read alone. A file that exists but cannot be
// read is left out; `problems` (when given) gets one "PATH: reason" for each.
GlyphTable loadGlyphTables(const std::filesystem::path& userFolder,
                           std::vector<std::string>* problems = nullptr);

// Why a glyph table came out empty, for the user: the problems of the files,
// or that none was found or it held no pairs.
// Appends learnt pairs to the table `target` and replaces it whole. When
// `target` does not exist yet and `fromCurrent` is set, it starts from the
// "ocr2.txt" read now (the user's table in the working directory replaces the
// shipped one). False, with "PATH: reason", when it cannot, or when the table
// would grow past what the readers accept (it would then be lost whole).
bool saveLearntGlyphs(const std::vector<GlyphTable::Entry>& entries,
                      const std::filesystem::path& target, bool fromCurrent, std::string* error);

// Writes a table drawn from an installed font as the user's table `target`,
// whole. A table he taught by typing is kept beside it as "ocr2.txt.bak"
// (TARGET.bak); a table that would not change is not written again.
bool saveFontTable(const std::vector<GlyphTable::Entry>& entries,
                   const std::filesystem::path& target, std::string* error);

std::string emptyGlyphTableReason(const std::vector<std::string>& problems,
                                  const std::filesystem::path& file = {});

}  // namespace kestrova
