#include "GlyphTableBuilder.h"

#include "client/ocr/GlyphTable.h"
#include "client/ocr/TextLineRecogniser.h"

#include <map>
#include <sstream>

namespace kestrova::sim {

namespace {

std::string utf8(char32_t character) {
    return QString::fromUcs4(&character, 1).toStdString();
}

// Reads a signature the way the lobby reader does: columns fed one by one, then cut.
std::string readBack(const GlyphTable& table, const std::string& signature) {
    TextLineRecogniser recogniser(table);
    int x = 0;
    std::size_t start = 0;
    while (start < signature.size()) {
        const std::size_t comma = signature.find(',', start);
        recogniser.addColumn(
            x++, static_cast<std::uint32_t>(std::stoul(signature.substr(start, comma - start))));
        start = comma + 1;
    }
    recogniser.cut();
    return recogniser.takeText();
}

}  // namespace

GlyphTableBuilder::GlyphTableBuilder(const BitmapFont& font) : font_(font) {}

QString GlyphTableBuilder::characterSet() {
    return QStringLiteral(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789$/,.()-_':!&#+@?");
}

void GlyphTableBuilder::add(const std::string& signature, const std::string& text) {
    for (const Entry& entry : entries_) {
        if (entry.signature == signature) {
            if (entry.text != text) {
                problems_.push_back("collision: \"" + entry.text + "\" and \"" + text +
                                    "\" share the signature " + signature);
            }
            return;
        }
    }
    entries_.push_back({signature, text});
}

void GlyphTableBuilder::build() {
    entries_.clear();
    problems_.clear();
    touchingPairs_ = 0;
    const std::u32string characters = characterSet().toStdU32String();
    for (const char32_t character : characters) {
        const BitmapFont::Glyph& glyph = font_.glyph(character);
        const std::string text = utf8(character);
        if (glyph.width() == 0) {
            problems_.push_back("\"" + text + "\" draws no ink");
            continue;
        }
        if (glyph.clipped) {
            problems_.push_back("\"" + text + "\" has ink outside the " +
                                std::to_string(BitmapFont::kRows) + " text rows");
        }
        for (const std::uint32_t code : glyph.columns) {
            if (code == 0) {
                problems_.push_back("\"" + text + "\" falls apart at an empty column");
                break;
            }
        }
        add(BitmapFont::signatureOf(glyph), text);
    }
    for (const char32_t left : characters) {
        for (const char32_t right : characters) {
            if (font_.gapBetween(left, right) == 0) {
                ++touchingPairs_;
                add(font_.signatureOf(left) + font_.signatureOf(right), utf8(left) + utf8(right));
            }
        }
    }
    checkSpecialSignatures();
    checkChains();
}

void GlyphTableBuilder::checkSpecialSignatures() {
    // The seat reader decides these itself: a two-column dot is ".", a two-column
    // stroke is "l" or "t" by a crossbar test, and one pattern is only cut off as a
    // prefix when a pixel inside it is dark. None of our glyphs may rely on them.
    const std::map<std::string, std::string> special = {
        {"512,512,", "."}, {"1022,1022,", ""}, {"1016,1016,8,1016,1016,", ""}};
    for (const Entry& entry : entries_) {
        for (const auto& [signature, allowed] : special) {
            if (entry.signature == signature && entry.text != allowed) {
                problems_.push_back("\"" + entry.text + "\" has the signature " + signature +
                                    " that the seat reader reads by its own rule");
            }
            if (entry.signature.size() > signature.size() &&
                entry.signature.starts_with(signature) && allowed.empty()) {
                problems_.push_back("\"" + entry.text + "\" begins with " + signature);
            }
        }
    }
}

void GlyphTableBuilder::checkChains() {
    std::stringstream stream(fileText());
    const GlyphTable table = GlyphTable::parse(stream);
    checkedChains_ = 0;
    for (const Entry& entry : entries_) {
        const std::string read = readBack(table, entry.signature);
        if (read != entry.text) {
            problems_.push_back("\"" + entry.text + "\" reads back as \"" + read + "\"");
        }
    }
    // Three glyphs in a row touching each other form one glyph the reader must split.
    const std::u32string characters = characterSet().toStdU32String();
    for (const char32_t a : characters) {
        for (const char32_t b : characters) {
            if (font_.gapBetween(a, b) != 0) {
                continue;
            }
            for (const char32_t c : characters) {
                if (font_.gapBetween(b, c) != 0) {
                    continue;
                }
                ++checkedChains_;
                const std::string text = utf8(a) + utf8(b) + utf8(c);
                const std::string read = readBack(
                    table, font_.signatureOf(a) + font_.signatureOf(b) + font_.signatureOf(c));
                if (read != text) {
                    problems_.push_back("touching chain \"" + text + "\" reads back as \"" + read +
                                        "\"");
                }
            }
        }
    }
}

std::string GlyphTableBuilder::fileText() const {
    std::string text;
    for (const Entry& entry : entries_) {
        text += entry.signature + '\n' + entry.text + '\n';
    }
    return text;
}

}  // namespace kestrova::sim
