#include "client/ocr/TypedWords.h"

#include <algorithm>

namespace kestrova::fontlearning {

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
        out.emplace_back(text.substr(i, length));
        i += length;
    }
    return out;
}

std::vector<std::vector<std::string>> wordsOf(std::string_view text) {
    std::vector<std::vector<std::string>> words;
    for (const std::string& word : split(text, ' ')) {
        if (!word.empty()) {
            words.push_back(characters(word));
        }
    }
    return words;
}

std::string joined(const std::vector<std::string>& parts, std::size_t from, std::size_t count) {
    std::string text;
    for (std::size_t i = from; i < from + count; ++i) {
        text += parts[i];
    }
    return text;
}

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::vector<std::vector<std::size_t>> groupGlyphs(const std::vector<InkGlyph>& glyphs,
                                                  std::size_t words) {
    std::vector<int> gaps;
    for (std::size_t i = 1; i < glyphs.size(); ++i) {
        gaps.push_back(glyphs[i].x - glyphs[i - 1].x - glyphs[i - 1].width);
    }
    const auto wide = static_cast<std::size_t>(
        std::count_if(gaps.begin(), gaps.end(), [](int g) { return g > 3; }));
    const auto three = static_cast<std::size_t>(std::count(gaps.begin(), gaps.end(), 3));
    const int minimum = wide + 1 == words ? 4 : wide + three + 1 == words ? 3 : 0;
    std::vector<std::vector<std::size_t>> groups;
    if (minimum == 0 || glyphs.empty()) {
        return groups;
    }
    groups.emplace_back(1, 0);
    for (std::size_t i = 1; i < glyphs.size(); ++i) {
        if (gaps[i - 1] >= minimum) {
            groups.emplace_back();
        }
        groups.back().push_back(i);
    }
    return groups;
}

}  // namespace kestrova::fontlearning
