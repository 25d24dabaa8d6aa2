#pragma once

#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/LobbyTextLines.h"
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
    explicit FontLearner(const GlyphTable& known, const GlyphTable* taught = nullptr)
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

    void addLine(const Image& capture, const TextLine& line, const std::vector<std::string>& texts,
                 std::string label);
    int alignRows(const Image& capture, int highlightTop, const LobbyTexts& texts) const;
    // Learns the single glyphs of runs of touching characters by peeling the
    // known ones off; returns the signatures learnt and the runs.
    std::set<std::string> learnFromTouching(
        std::map<std::string, std::string>& textOf,
        std::map<std::string, std::map<std::string, int>>& drawn) const;
    // The lobby's characters not among `learnt` nor in the user's table.
    std::vector<std::string> missingCharacters(std::set<std::string> learnt) const;
    // The ink share that parts the capture's smoothed text best into as many
    // glyphs as the texts have characters.
    static int chooseSmoothPercent(const Image& capture, const std::vector<TextLine>& lines,
                                   const std::vector<const std::vector<std::string>*>& texts);
    // The word gap the lines that fit show, when the readers' fixed rule
    // would not read it.
    std::optional<int> learntWordGap(const std::vector<std::string>& misfit) const;

    const GlyphTable& known_;
    const GlyphTable* taught_;
    std::optional<int> smoothPercent_;
    std::vector<Line> lines_;
    int captures_ = 0;
};

}  // namespace kestrova
