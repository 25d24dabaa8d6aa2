#pragma once

#include "client/ocr/LobbyTextLines.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The texts a user types for the lines of a capture, taken apart as font
// learning needs them, and a field's glyphs grouped into the words they show.
namespace kestrova::fontlearning {

std::vector<std::string> split(std::string_view text, char separator);

// UTF-8 text, one character each.
std::vector<std::string> characters(std::string_view text);

// The words of a field's text, each as its characters.
std::vector<std::vector<std::string>> wordsOf(std::string_view text);

// parts[from] to parts[from + count - 1], one after another.
std::string joined(const std::vector<std::string>& parts, std::size_t from, std::size_t count);

std::string inQuotes(std::string_view text);

// Groups a field's glyphs into words at the gaps the readers read as blanks: more
// than 3 empty columns, or exactly 3 where the text needs them (after a "1" the
// readers see none). Empty when the gaps cannot give `words` groups.
std::vector<std::vector<std::size_t>> groupGlyphs(const std::vector<InkGlyph>& glyphs,
                                                  std::size_t words);

}  // namespace kestrova::fontlearning
