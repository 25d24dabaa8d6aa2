#include "client/ocr/TextLineRecogniser.h"

#include "client/ocr/InkSplitter.h"

namespace kestrova {

TextLineRecogniser::TextLineRecogniser(const GlyphTable& glyphs, const GlyphRules* rules)
    : glyphs_(glyphs), rules_(rules), wordGap_(glyphs.wordGap()) {
    columns_.reserve(64);
}

void TextLineRecogniser::startGlyph(int x) {
    inGlyph_ = true;
    glyphFirstX_ = x;
    countingBlanks_ = false;
    columns_.clear();
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
    columns_.clear();
    inGlyph_ = false;
    countingBlanks_ = false;
    emptyColumns_ = 0;
}

void TextLineRecogniser::endGlyph() {
    const std::size_t before = text_.size();
    appendGlyphText();
    // A "1" is narrow and the client sets it with a wider gap; a learnt font
    // says its own word gap.
    const bool one = text_.size() == before + 1 && text_.back() == '1';
    blankThreshold_ = wordGap_ ? *wordGap_ - 1 : one ? 3 : 2;
    countingBlanks_ = true;
    emptyColumns_ = 0;
    inGlyph_ = false;
}

void TextLineRecogniser::appendGlyphText() {
    std::optional<std::string_view> known;
    if (rules_ != nullptr) {
        known = rules_->textFor(columns_, glyphFirstX_);
    }
    if (!known) {
        known = glyphs_.find(columns_);
    }
    if (known) {
        text_.append(*known);
        return;
    }
    // Glyphs that touch or overlap: explained by the known shapes, or "?".
    const std::optional<std::string> split = InkSplitter(glyphs_, rules_).read(columns_, glyphFirstX_);
    text_.append(split ? *split : std::string_view("?"));
}

}  // namespace kestrova
