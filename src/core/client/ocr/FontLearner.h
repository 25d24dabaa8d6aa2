#pragma once

#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/LobbyTextLines.h"
#include "client/ocr/TaughtGlyphs.h"
#include "common/Image.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// What a person reads off one lobby capture.
//
// Text form: the visible list rows top to bottom, one per line, the columns as
// the lobby shows them separated by tabs; then an empty line; then the seat
// lines, name and chips separated by a tab. Missing columns are empty.
struct LobbyTexts {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::vector<std::string>> seats;

    static LobbyTexts parse(std::string_view text);
    std::string format() const;
};

// What one learning gave, in plain words.
struct FontLearning {
    std::vector<GlyphTable::Entry> entries;  // new pairs, to append to "ocr2.txt"
    int glyphs = 0;                          // single characters among them
    int pairs = 0;                           // touching characters among them
    std::vector<std::string> misfits;        // lines whose text did not fit their pixels
    std::vector<std::string> unattributed;   // characters seen but not attributed
    std::vector<std::string> lookAlikes;     // characters drawn with identical pixels
    std::vector<std::string> clashes;        // drawn like a glyph taught earlier otherwise
    std::vector<std::string> replaced;       // glyphs the shipped table read otherwise
    std::vector<std::string> missing;        // lobby characters not learnt as a glyph of their own
    std::vector<std::string> implausible;    // glyphs no lobby font draws (noise), not learnt
    std::optional<int> wordGap;              // empty columns that part words, when learnt
    std::optional<int> smoothPercent;        // the capture's text is grey-smoothed: its ink share

    std::string report() const;
};

// Learns a client's font from lobby captures and the texts their lines show:
// the glyphs of each field are matched, word by word, with its characters;
// touching glyphs are told apart by what the other words show; pairs of
// characters that would be misread where they touch are added as pairs.
class FontLearner final {
public:
    // known: the glyph tables read so far; only what they lack is returned.
    // taught: the user's own table among them (what earlier teaching showed),
    // so that the characters still missing can be named.
    explicit FontLearner(const GlyphTable& known, const TaughtGlyphs* taught = nullptr)
        : known_(known), taught_(taught) {}

    // One capture of the lobby window. geometry: where the list is (null: found
    // from the highlighted row and the texts). False, with the reason, when the
    // capture shows no highlighted row or fewer lines than the texts.
    bool addCapture(const Image& capture, const LobbyTexts& texts, const LobbyGeometry* geometry,
                    std::string* problem);

    FontLearning learn() const;

private:
    struct Word {
        std::vector<std::string> signatures;  // one per glyph
        std::vector<int> xs;
        std::vector<std::string> characters;  // UTF-8, one per character
    };
    struct Line {
        std::string label;  // "row 3", "seat line 2"
        std::vector<Word> words;
        std::string misfit;  // why the text does not fit, empty when it does
        // Empty columns between glyphs of one word, and between words.
        std::vector<int> letterGaps;
        std::vector<int> wordGaps;
    };

    // What the lines show of each glyph, gathered as learn() goes on.
    struct Evidence;
    // How a word with touching glyphs is best shared among them.
    struct Split;

    void addLine(const Image& capture, const TextLine& line, const std::vector<std::string>& texts,
                 std::string label);
    int alignRows(const Image& capture, int highlightTop, const LobbyTexts& texts) const;

    // The phases of learn(), in order.
    // Words with as many glyphs as characters say what each glyph is; lines
    // with a typing error are left out.
    void readWholeGlyphs(Evidence& evidence) const;
    // Each glyph's text is what most lines read it as.
    void nameGlyphs(Evidence& evidence, FontLearning& result) const;
    // Words with fewer glyphs than characters: which characters touch.
    void attributeTouching(Evidence& evidence, FontLearning& result) const;
    // The glyphs learnt that the tables do not read so already, as entries.
    void keepLearnt(const Evidence& evidence, const std::set<std::string>& fitting,
                    FontLearning& result) const;
    // The lobby's characters learnt neither here nor in the user's table.
    std::vector<std::string> missingCharacters(const Evidence& evidence) const;
    // The word gap the lines that fit show, when the readers' fixed rule
    // would not read it.
    std::optional<int> learntWordGap(const std::vector<std::string>& misfit) const;
    // How the readers are to read this font, when not as they read the shipped one.
    void addSettings(const Evidence& evidence, FontLearning& result) const;

    // The words of a line that still fits; none once it does not.
    const std::vector<Word>& fitWords(const Evidence& evidence, std::size_t line) const;
    // The glyph that reads as something else elsewhere while its character
    // is drawn otherwise: its line is marked a misfit. False when none does.
    bool leaveOutTypingError(Evidence& evidence) const;
    // Of the ways to share a word's characters among its glyphs, the one that
    // agrees best with what is known.
    Split bestSplit(const Evidence& evidence, const Word& word) const;
    // How well sharing them as `parts` says agrees with what is known; none
    // when it contradicts it.
    static std::optional<int> splitScore(const Evidence& evidence, const Word& word,
                                         const std::vector<std::size_t>& parts);

    const GlyphTable& known_;
    const TaughtGlyphs* taught_;
    std::optional<int> smoothPercent_;
    std::vector<Line> lines_;
    int captures_ = 0;
};

}  // namespace kestrova
