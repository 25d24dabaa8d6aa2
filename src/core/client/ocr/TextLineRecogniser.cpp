#include "client/ocr/TextLineRecogniser.h"

#include "client/ocr/InkSplitter.h"

#include <algorithm>

namespace kestrova {

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

}  // namespace

TextLineRecogniser::TextLineRecogniser(const GlyphTable& glyphs, const GlyphRules* rules)
    : glyphs_(glyphs), rules_(rules), wordGap_(glyphs.wordGap()) {
    signature_.reserve(128);
    columns_.reserve(64);
}

void TextLineRecogniser::startGlyph(int x) {
    inGlyph_ = true;
    glyphFirstX_ = x;
    countingBlanks_ = false;
    columns_.clear();
}

void TextLineRecogniser::formatSignature() {
    // Digits written backwards into a buffer, so that a glyph costs one append
    // rather than one per column.
    signature_.clear();
    constexpr std::size_t kColumnsPerBlock = 64;
    char block[kColumnsPerBlock * 11];
    for (std::size_t first = 0; first < columns_.size(); first += kColumnsPerBlock) {
        const std::size_t last = std::min(columns_.size(), first + kColumnsPerBlock);
        char* const end = block + sizeof block;
        char* digit = end;
        for (std::size_t i = last; i-- > first;) {
            std::uint32_t code = columns_[i];
            *--digit = ',';
            while (code >= 100) {
                const char* pair = kDigitPairs + 2 * (code % 100);
                *--digit = pair[1];
                *--digit = pair[0];
                code /= 100;
            }
            if (code >= 10) {
                *--digit = kDigitPairs[2 * code + 1];
                *--digit = kDigitPairs[2 * code];
            } else {
                *--digit = static_cast<char>('0' + code);
            }
        }
        signature_.append(digit, end);
    }
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
    formatSignature();
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
