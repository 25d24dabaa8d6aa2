#include "client/ocr/TextLineRecogniser.h"

#include <algorithm>

namespace kestrova {

namespace {

int columnsIn(std::string_view signature) {
    return static_cast<int>(std::count(signature.begin(), signature.end(), ','));
}

}  // namespace

TextLineRecogniser::TextLineRecogniser(const GlyphTable& glyphs, const GlyphRules* rules)
    : glyphs_(glyphs), rules_(rules) {
    signature_.reserve(128);
}

void TextLineRecogniser::addInkColumn(int x, std::uint32_t code) {
    if (!inGlyph_) {
        inGlyph_ = true;
        glyphFirstX_ = x;
        countingBlanks_ = false;
        signature_.clear();
    }
    // Digits written backwards into a small buffer, then appended at once.
    char digits[12];
    char* end = digits + sizeof digits;
    char* digit = end;
    *--digit = ',';
    do {
        *--digit = static_cast<char>('0' + code % 10);
        code /= 10;
    } while (code != 0);
    signature_.append(digit, end);
}

void TextLineRecogniser::cut() {
    if (inGlyph_) {
        endGlyph();
    }
    countingBlanks_ = false;
}

std::string TextLineRecogniser::takeText() {
    std::string result = std::move(text_);
    text_.clear();
    return result;
}

void TextLineRecogniser::reset() {
    text_.clear();
    signature_.clear();
    inGlyph_ = false;
    countingBlanks_ = false;
    emptyColumns_ = 0;
}

void TextLineRecogniser::endGlyph() {
    const std::size_t before = text_.size();
    appendGlyphText(signature_, glyphFirstX_);
    // A "1" is narrow and the client sets it with a wider gap.
    const bool one = text_.size() == before + 1 && text_.back() == '1';
    blankThreshold_ = one ? 3 : 2;
    countingBlanks_ = true;
    emptyColumns_ = 0;
    inGlyph_ = false;
    signature_.clear();
}

bool TextLineRecogniser::appendKnown(std::string_view signature, int firstX) {
    if (rules_ != nullptr) {
        if (const auto text = rules_->textFor(signature, firstX)) {
            text_.append(*text);
            return true;
        }
    }
    if (const std::string* text = glyphs_.find(signature)) {
        text_.append(*text);
        return true;
    }
    return false;
}

void TextLineRecogniser::appendGlyphText(std::string_view signature, int firstX) {
    if (appendKnown(signature, firstX)) {
        return;
    }
    // Touching glyphs: cut off the longest known prefix, then start again.
    const auto& entries = glyphs_.entries();
    std::string_view rest = signature;
    int restX = firstX;
    bool matched = true;
    while (matched && !rest.empty()) {
        matched = false;
        // Entries longer than the rest cannot be its prefix.
        const auto first = std::partition_point(
            entries.begin(), entries.end(),
            [&](const GlyphTable::Entry& e) { return e.signature.size() > rest.size(); });
        for (auto it = first; it != entries.end(); ++it) {
            const std::string& prefix = it->signature;
            if (!rest.starts_with(prefix)) {
                continue;
            }
            if (rules_ != nullptr && !rules_->acceptsPrefix(prefix, restX)) {
                continue;
            }
            std::optional<std::string_view> ruled;
            if (rules_ != nullptr) {
                ruled = rules_->textFor(prefix, restX);
            }
            // A later pair with the same signature (a learnt one) wins here as in the map.
            text_.append(ruled ? *ruled : std::string_view(*glyphs_.find(prefix)));
            rest.remove_prefix(prefix.size());
            restX += columnsIn(prefix);
            matched = true;
            break;
        }
    }
    if (!rest.empty()) {
        appendKnown(rest, restX);
    }
}

}  // namespace kestrova
