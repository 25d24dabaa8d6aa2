#include "client/ocr/TextLineRecogniser.h"

#include "client/ocr/InkSplitter.h"

namespace kestrova {

TextLineRecogniser::TextLineRecogniser(const GlyphTable& glyphs, const GlyphRules* rules)
    : glyphs_(glyphs), rules_(rules), wordGap_(glyphs.wordGap()) {
    signature_.reserve(128);
    columns_.reserve(64);
}

void TextLineRecogniser::addInkColumn(int x, std::uint32_t code) {
    if (!inGlyph_) {
        inGlyph_ = true;
        glyphFirstX_ = x;
        countingBlanks_ = false;
        signature_.clear();
        columns_.clear();
    }
    columns_.push_back(code);
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
    columns_.clear();
    inGlyph_ = false;
    countingBlanks_ = false;
    emptyColumns_ = 0;
}

void TextLineRecogniser::endGlyph() {
    const std::size_t before = text_.size();
    appendGlyphText(signature_, glyphFirstX_);
    // A "1" is narrow and the client sets it with a wider gap; a learnt font
    // says its own word gap.
    const bool one = text_.size() == before + 1 && text_.back() == '1';
    blankThreshold_ = wordGap_ ? *wordGap_ - 1 : one ? 3 : 2;
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
    if (const auto text = glyphs_.find(signature)) {
        text_.append(*text);
        return true;
    }
    return false;
}

void TextLineRecogniser::appendGlyphText(std::string_view signature, int firstX) {
    if (appendKnown(signature, firstX)) {
        return;
    }
    // Glyphs that touch or overlap: explained by the known shapes, or "?".
    const std::optional<std::string> split = InkSplitter(glyphs_, rules_).read(columns_, firstX);
    text_.append(split ? *split : std::string_view("?"));
}

}  // namespace kestrova
