#pragma once

#include "client/ocr/GlyphTable.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kestrova {

// The shipped table "ocr.txt" followed by the user's own additions "ocr2.txt"
// (entries learnt from his client); a pair of the second file wins over the first.
// A file that exists but cannot be read is left out; `problems` (when given)
// gets one "PATH: reason" for each.
GlyphTable loadGlyphTables(std::vector<std::string>* problems = nullptr);

// Why a glyph table came out empty, for the user: the problems of the files,
// or that none was found or it held no pairs.
// Appends learnt pairs to the user's table `target` ("ocr2.txt" in the working
// directory), starting from the "ocr2.txt" read now when `target` does not exist
// yet, and replaces it whole. False, with "PATH: reason", when it cannot.
bool saveLearntGlyphs(const std::vector<GlyphTable::Entry>& entries, std::string* error,
                      const std::filesystem::path& target = "ocr2.txt");

std::string emptyGlyphTableReason(const std::vector<std::string>& problems,
                                  const std::filesystem::path& file = {});

}  // namespace kestrova
