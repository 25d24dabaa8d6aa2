#include "client/ocr/FontLearner.h"

#include "client/ocr/InkSplitter.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>

namespace kestrova {

namespace {

constexpr const char* kListColumnNames[] = {"name", "game",        "stakes", "players",
                                            "type", "average pot", "waiting"};
constexpr const char* kSeatColumnNames[] = {"name", "chips"};
// What lobby rows and seat lists are written with.
constexpr const char* kLobbyCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.,$/-_'()";
// A word with more ways to share its characters among its glyphs is left unattributed.
constexpr std::size_t kMaxSplits = 20000;

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

// The words of a field's text, each as its characters.
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

// Groups a field's glyphs into words at the gaps the readers read as blanks: more
// than 3 empty columns, or exactly 3 where the text needs them (after a "1" the
// readers see none). Empty when the gaps cannot give `words` groups.
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

// Calls visit(parts) for every way to give `glyphs` glyphs at least one of
// `chars` characters each, in order; stops after `limit` ways. Returns the number visited.
std::size_t forEachSplit(std::size_t glyphs, std::size_t chars, std::size_t limit,
                         const std::function<void(const std::vector<std::size_t>&)>& visit) {
    std::vector<std::size_t> parts(glyphs, 1);
    std::size_t visited = 0;
    std::function<void(std::size_t, std::size_t)> place = [&](std::size_t i, std::size_t left) {
        if (visited >= limit) {
            return;
        }
        if (i + 1 == glyphs) {
            parts[i] = left;
            ++visited;
            visit(parts);
            return;
        }
        for (std::size_t n = 1; n + (glyphs - i - 1) <= left; ++n) {
            parts[i] = n;
            place(i + 1, left - n);
        }
    };
    place(0, chars);
    return visited;
}

// Takes a known way of drawing a run's first (or last) character off the run,
// sharing as few columns with the rest as the pixels allow; false when none
// fits and leaves something. `shared` (when given) gets the columns shared.
bool peelOff(std::vector<std::uint32_t>& rest, const std::set<std::string>& ways, bool left,
             std::size_t* sharedColumns = nullptr) {
    // The widest way first: a narrower one may be its part ("_" beside "__").
    std::vector<std::vector<std::uint32_t>> shapes;
    for (const std::string& way : ways) {
        shapes.push_back(GlyphTable::columnsOf(way));
    }
    std::stable_sort(shapes.begin(), shapes.end(),
                     [](const auto& a, const auto& b) { return a.size() > b.size(); });
    for (const std::vector<std::uint32_t>& shape : shapes) {
        const std::size_t w = shape.size();
        if (w == 0 || w >= rest.size()) {
            continue;
        }
        const std::size_t base = left ? 0 : rest.size() - w;
        for (std::size_t shared = 0; shared <= InkSplitter::kMaxOverlap && shared < w; ++shared) {
            // Columns of the shape that only it covers, and those it shares.
            const std::size_t ownFrom = left ? 0 : shared;
            const std::size_t ownTo = left ? w - shared : w;
            bool fits = true;
            for (std::size_t i = 0; i < w && fits; ++i) {
                const std::uint32_t ink = rest[base + i];
                fits = i >= ownFrom && i < ownTo
                           ? ink == shape[i]
                           : (shape[i] & ~ink) == 0 && (ink & ~shape[i]) != 0;
            }
            if (!fits) {
                continue;
            }
            std::vector<std::uint32_t> remainder;
            for (std::size_t i = 0; i < rest.size(); ++i) {
                const bool inShape = i >= base && i < base + w;
                const std::size_t k = i - base;
                if (inShape && k >= ownFrom && k < ownTo) {
                    continue;
                }
                remainder.push_back(inShape ? rest[i] & ~shape[k] : rest[i]);
            }
            rest = std::move(remainder);
            if (sharedColumns != nullptr) {
                *sharedColumns = shared;
            }
            return true;
        }
    }
    return false;
}

}  // namespace

std::set<std::string> FontLearner::learnFromTouching(
    std::map<std::string, std::string>& textOf,
    std::map<std::string, std::map<std::string, int>>& drawn) const {
    // Every way each character is known to be drawn: here, or in the tables.
    std::map<std::string, std::set<std::string>> shapesOf;
    for (const auto& [c, ways] : drawn) {
        for (const auto& [signature, times] : ways) {
            shapesOf[c].insert(signature);
        }
    }
    for (const GlyphTable::Entry& entry : known_.entries()) {
        const std::string* text = known_.find(entry.signature);
        if (characters(entry.text).size() == 1 && text != nullptr && *text == entry.text) {
            shapesOf[entry.text].insert(entry.signature);
        }
    }
    std::set<std::string> learnt;
    for (bool progress = true; progress;) {
        std::map<std::string, std::string> found;  // signature -> character
        for (const auto& [signature, text] : textOf) {
            const std::vector<std::string> chars = characters(text);
            std::vector<std::uint32_t> rest = GlyphTable::columnsOf(signature);
            std::size_t from = 0;
            std::size_t to = chars.size();
            // Pixels a neighbour shares are not known to be the piece's own:
            // a piece left after a kerned neighbour is not learnt.
            bool clean = true;
            const auto peel = [&](bool left) {
                std::size_t shared = 0;
                if (peelOff(rest, shapesOf[chars[left ? from : to - 1]], left, &shared)) {
                    left ? ++from : --to;
                    clean = clean && shared == 0;
                    return true;
                }
                return false;
            };
            while (to - from > 1 && peel(true)) {
            }
            while (to - from > 1 && peel(false)) {
            }
            if (chars.size() > 1 && to - from == 1 && clean) {
                std::string piece;
                for (const std::uint32_t code : rest) {
                    piece += std::to_string(code) + ',';
                }
                if (!textOf.contains(piece) && known_.find(piece) == nullptr) {
                    found.emplace(piece, chars[from]);
                }
            }
        }
        for (const auto& [signature, c] : found) {
            textOf.emplace(signature, c);
            ++drawn[c][signature];
            shapesOf[c].insert(signature);
            learnt.insert(signature);
        }
        progress = !found.empty();
    }
    // The runs themselves stay a fast path for the readers.
    for (const auto& [signature, text] : textOf) {
        if (characters(text).size() > 1) {
            learnt.insert(signature);
        }
    }
    return learnt;
}

std::optional<int> FontLearner::learntWordGap(const std::vector<std::string>& misfit) const {
    int widestLetterGap = -1;
    int narrowestWordGap = -1;
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        if (!misfit[l].empty()) {
            continue;
        }
        for (const int gap : lines_[l].letterGaps) {
            widestLetterGap = std::max(widestLetterGap, gap);
        }
        for (const int gap : lines_[l].wordGaps) {
            narrowestWordGap = narrowestWordGap < 0 ? gap : std::min(narrowestWordGap, gap);
        }
    }
    if (widestLetterGap < 0 || narrowestWordGap <= widestLetterGap) {
        return std::nullopt;  // not shown, or not told apart by width
    }
    // Halfway, so that a slightly wider gap than any taught still reads alike.
    const int gap = (widestLetterGap + narrowestWordGap + 1) / 2;
    const bool fixedRuleReads = widestLetterGap <= 2 && narrowestWordGap >= 4;
    return fixedRuleReads ? std::nullopt : std::optional<int>(gap);
}

std::vector<std::string> FontLearner::missingCharacters(std::set<std::string> learnt) const {
    if (taught_ != nullptr) {
        for (const GlyphTable::Entry& entry : taught_->entries()) {
            learnt.insert(entry.text);
        }
    }
    std::vector<std::string> missing;
    for (const char c : std::string_view(kLobbyCharacters)) {
        if (!learnt.contains(std::string(1, c))) {
            missing.emplace_back(1, c);
        }
    }
    return missing;
}

int FontLearner::chooseSmoothPercent(const Image& capture, const std::vector<TextLine>& lines,
                                     const std::vector<const std::vector<std::string>*>& texts) {
    int best = HalfwayInk::kDefaultPercent;
    long bestScore = 0;
    bool first = true;
    for (const int percent : {50, 40, 33, 25, 20}) {
        std::vector<TextLine> cut(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(
                                                                     std::min(lines.size(), texts.size())));
        smoothLines(capture, cut, percent);
        long score = 0;
        for (std::size_t l = 0; l < cut.size(); ++l) {
            for (std::size_t f = 0; f < cut[l].fields.size() && f < texts[l]->size(); ++f) {
                const auto words = wordsOf((*texts[l])[f]);
                if (words.empty()) {
                    continue;
                }
                const auto groups = groupGlyphs(glyphsIn(capture, cut[l], cut[l].fields[f]), words.size());
                if (groups.size() != words.size()) {
                    score -= 20;  // words run together or fall apart
                    continue;
                }
                for (std::size_t w = 0; w < words.size(); ++w) {
                    // A glyph broken in two costs far more than two that touch:
                    // its pieces can pass for other characters.
                    score += groups[w].size() > words[w].size() ? -20
                             : groups[w].size() == words[w].size() ? 1
                                                                    : 0;
                }
            }
        }
        if (first || score > bestScore) {
            best = percent;
            bestScore = score;
            first = false;
        }
    }
    return best;
}

LobbyTexts LobbyTexts::parse(std::string_view text) {
    LobbyTexts texts;
    bool seats = false;
    for (std::string line : split(text, '\n')) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            // One empty line ends the rows; a last line break ends the file.
            seats = seats || !texts.rows.empty();
            continue;
        }
        (seats ? texts.seats : texts.rows).push_back(split(line, '\t'));
    }
    return texts;
}

std::string LobbyTexts::format() const {
    std::string text;
    const auto add = [&text](const std::vector<std::string>& columns) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            text += (i == 0 ? "" : "\t") + columns[i];
        }
        text += '\n';
    };
    std::for_each(rows.begin(), rows.end(), add);
    text += '\n';
    std::for_each(seats.begin(), seats.end(), add);
    return text;
}

std::string FontLearning::report() const {
    std::string text = "Learnt " + std::to_string(glyphs) + " glyph(s) and " +
                       std::to_string(pairs) + " touching pair(s).\n";
    const auto section = [&text](const char* heading, const std::vector<std::string>& items) {
        if (items.empty()) {
            return;
        }
        text += heading;
        text += '\n';
        for (const std::string& item : items) {
            text += "  " + item + '\n';
        }
    };
    if (wordGap) {
        text += "Words are parted by " + std::to_string(*wordGap) + " or more empty columns.\n";
    }
    if (smoothPercent) {
        text += "The text is grey-smoothed; a pixel " + std::to_string(*smoothPercent) +
                " % of the way to the text colour is read as ink.\n";
    }
    section("Lines whose text did not fit their pixels (not learnt):", misfits);
    section("Characters seen but not attributed:", unattributed);
    section("Characters drawn with identical pixels (they read as the first):", lookAlikes);
    section("Drawn like a glyph taught earlier as another text (left as it was):", clashes);
    section("Glyphs the shipped table read as another text:", replaced);
    if (!missing.empty()) {
        text += "Not taught yet:";
        for (const std::string& c : missing) {
            text += " " + c;
        }
        text += "\nSelect another table (a new seat list) or rows that show them, and learn again.\n";
    }
    return text;
}

void FontLearner::addLine(const Image& capture, const TextLine& line,
                          const std::vector<std::string>& texts, std::string label) {
    Line learnt;
    learnt.label = std::move(label);
    const bool seat = line.kind == LineKind::Seat;
    for (std::size_t f = 0; f < line.fields.size() && learnt.misfit.empty(); ++f) {
        const std::string text = f < texts.size() ? texts[f] : std::string();
        const std::vector<InkGlyph> glyphs = glyphsIn(capture, line, line.fields[f]);
        const auto words = wordsOf(text);
        const std::string column =
            std::string(seat ? kSeatColumnNames[f] : kListColumnNames[f]) + " column";
        if (words.empty() || glyphs.empty()) {
            if (words.empty() != glyphs.empty()) {
                learnt.misfit = column + (words.empty() ? " shows text, but none is given"
                                                        : " shows nothing, but " + inQuotes(text) +
                                                              " is given");
            }
            continue;
        }
        const auto groups = groupGlyphs(glyphs, words.size());
        if (groups.size() != words.size()) {
            learnt.misfit = column + ": " + inQuotes(text) + " has " +
                            std::to_string(words.size()) + " word(s), the pixels show other gaps";
            continue;
        }
        for (std::size_t w = 0; w < words.size(); ++w) {
            if (groups[w].size() > words[w].size()) {
                learnt.misfit = column + ": " + inQuotes(joined(words[w], 0, words[w].size())) +
                                " has fewer characters than the pixels show glyphs";
                break;
            }
            Word word;
            word.characters = words[w];
            for (const std::size_t g : groups[w]) {
                word.signatures.push_back(glyphs[g].signature);
                word.xs.push_back(glyphs[g].x);
                if (g > 0) {
                    const int gap = glyphs[g].x - glyphs[g - 1].x - glyphs[g - 1].width;
                    (g == groups[w].front() ? learnt.wordGaps : learnt.letterGaps).push_back(gap);
                }
            }
            learnt.words.push_back(std::move(word));
        }
    }
    lines_.push_back(std::move(learnt));
}

int FontLearner::alignRows(const Image& capture, int highlightTop, const LobbyTexts& texts) const {
    const int rows = static_cast<int>(texts.rows.size());
    const int pitch = LobbyGeometry::kLineHeight;
    int best = -1;
    long bestScore = 0;
    for (int s = 0; s < rows; ++s) {
        const int first = highlightTop - s * pitch;
        if (first < 0 || first + rows * pitch > capture.height()) {
            continue;
        }
        long score = 0;
        for (int i = 0; i < rows; ++i) {
            const TextLine line = listLine(capture, first + i * pitch, i == s);
            long glyphs = 0;
            for (const TextField& field : line.fields) {
                glyphs += static_cast<long>(glyphsIn(capture, line, field).size());
            }
            long chars = 0;
            for (const std::string& column : texts.rows[static_cast<std::size_t>(i)]) {
                for (const auto& word : wordsOf(column)) {
                    chars += static_cast<long>(word.size());
                }
            }
            score += std::labs(glyphs - chars);
        }
        if (best < 0 || score < bestScore) {
            best = s;
            bestScore = score;
        }
    }
    return best < 0 ? -1 : highlightTop - best * pitch;
}

bool FontLearner::addCapture(const Image& capture, const LobbyTexts& texts,
                             const LobbyGeometry* geometry, std::string* problem) {
    const std::string prefix =
        captures_ == 0 ? "" : "capture " + std::to_string(captures_ + 1) + ", ";
    std::vector<TextLine> rows;
    if (geometry != nullptr) {
        rows = listLines(capture, *geometry);
    } else if (!texts.rows.empty()) {
        const std::optional<int> highlight = findHighlightTop(capture);
        if (!highlight) {
            *problem =
                prefix + "no highlighted row in the table list; select a row and capture again";
            return false;
        }
        const int first = alignRows(capture, *highlight, texts);
        if (first < 0) {
            *problem = prefix + "the capture shows fewer list rows than the texts give";
            return false;
        }
        const int selected = (*highlight - first) / LobbyGeometry::kLineHeight;
        for (int i = 0; i < static_cast<int>(texts.rows.size()); ++i) {
            rows.push_back(
                listLine(capture, first + i * LobbyGeometry::kLineHeight, i == selected));
        }
    }
    if (texts.rows.size() > rows.size()) {
        *problem = prefix + "the texts give " + std::to_string(texts.rows.size()) +
                   " list rows, the capture shows " + std::to_string(rows.size());
        return false;
    }
    // The first capture tells whether the client smooths its text; the glyphs
    // are then cut as the readers will cut them.
    if (captures_ == 0) {
        smoothPercent_ = known_.smoothPercent();
        std::vector<TextLine> lines = rows;
        std::vector<const std::vector<std::string>*> lineTexts;
        for (const auto& row : texts.rows) {
            lineTexts.push_back(&row);
        }
        const std::vector<TextLine> plainSeats = seatLines(capture);
        for (std::size_t i = 0; i < texts.seats.size() && i < plainSeats.size(); ++i) {
            lines.push_back(plainSeats[i]);
            lineTexts.push_back(&texts.seats[i]);
        }
        if (!smoothPercent_ && looksSmoothed(capture, lines)) {
            smoothPercent_ = chooseSmoothPercent(capture, lines, lineTexts);
        }
    }
    if (smoothPercent_) {
        smoothLines(capture, rows, *smoothPercent_);
    }
    const std::vector<TextLine> seats = seatLines(capture, smoothPercent_);
    if (texts.seats.size() > seats.size()) {
        *problem = prefix + "the texts give " + std::to_string(texts.seats.size()) +
                   " seat lines, the seat area has " + std::to_string(seats.size());
        return false;
    }
    ++captures_;
    for (std::size_t i = 0; i < texts.rows.size(); ++i) {
        addLine(capture, rows[i], texts.rows[i], prefix + "row " + std::to_string(i + 1));
    }
    for (std::size_t i = 0; i < texts.seats.size(); ++i) {
        addLine(capture, seats[i], texts.seats[i], prefix + "seat line " + std::to_string(i + 1));
    }
    return true;
}

FontLearning FontLearner::learn() const {
    FontLearning result;
    std::vector<std::string> misfit(lines_.size());
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        misfit[l] = lines_[l].misfit;
    }
    static const std::vector<Word> kNone;
    const auto fitWords = [&](std::size_t l) -> const std::vector<Word>& {
        return misfit[l].empty() ? lines_[l].words : kNone;
    };

    // Words with as many glyphs as characters say what each glyph is. A glyph
    // that other lines show as another character, while they draw this
    // character otherwise, is a typing error: its line is left out.
    std::map<std::string, std::map<std::string, int>> seen;   // signature -> character -> times
    std::map<std::string, std::map<std::string, int>> drawn;  // character -> signature -> times
    const auto majority = [&seen](const std::string& signature) {
        const auto& counts = seen.at(signature);
        return std::max_element(counts.begin(), counts.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; })
            ->first;
    };
    for (bool changed = true; changed;) {
        changed = false;
        seen.clear();
        drawn.clear();
        for (std::size_t l = 0; l < lines_.size(); ++l) {
            for (const Word& word : fitWords(l)) {
                if (word.signatures.size() == word.characters.size()) {
                    for (std::size_t g = 0; g < word.signatures.size(); ++g) {
                        ++seen[word.signatures[g]][word.characters[g]];
                        ++drawn[word.characters[g]][word.signatures[g]];
                    }
                }
            }
        }
        for (std::size_t l = 0; l < lines_.size() && !changed; ++l) {
            for (const Word& word : fitWords(l)) {
                if (word.signatures.size() != word.characters.size()) {
                    continue;
                }
                for (std::size_t g = 0; g < word.signatures.size() && !changed; ++g) {
                    const std::string& c = word.characters[g];
                    const std::string& signature = word.signatures[g];
                    const std::string usual = majority(signature);
                    if (usual == c) {
                        continue;
                    }
                    const auto& ways = drawn.at(c);
                    const int here = ways.at(signature);
                    if (std::any_of(ways.begin(), ways.end(), [&](const auto& way) {
                            return way.first != signature && way.second > here;
                        })) {
                        misfit[l] = "the glyph at x " + std::to_string(word.xs[g]) + " reads " +
                                    inQuotes(usual) + " elsewhere, and " + inQuotes(c) +
                                    " is drawn otherwise";
                        changed = true;
                    }
                }
            }
        }
    }

    std::map<std::string, std::string> textOf;  // signature -> text, as learnt here
    std::set<std::pair<std::string, std::string>> alike;
    for (const auto& [signature, counts] : seen) {
        const std::string usual = majority(signature);
        textOf[signature] = usual;
        for (const auto& [c, times] : counts) {
            if (c != usual && alike.insert({usual, c}).second) {
                result.lookAlikes.push_back(inQuotes(usual) + " and " + inQuotes(c) +
                                            " (signature " + signature + ")");
            }
        }
    }
    const auto sigsOf = [&drawn](const std::string& c) -> const std::map<std::string, int>* {
        const auto it = drawn.find(c);
        return it == drawn.end() ? nullptr : &it->second;
    };
    // Whether a glyph can be the characters [from, from + count) touching, each
    // known character drawn as it is elsewhere.
    const auto canBe = [&](const std::string& signature, const Word& word, std::size_t from,
                           std::size_t count) {
        // Every character takes a column of its own at least.
        if (static_cast<std::size_t>(std::count(signature.begin(), signature.end(), ',')) <
            count) {
            return false;
        }
        std::function<bool(std::size_t, std::size_t)> match = [&](std::size_t pos,
                                                                  std::size_t i) -> bool {
            if (i == from + count) {
                return pos == signature.size();
            }
            if (const auto* ways = sigsOf(word.characters[i])) {
                for (const auto& [way, times] : *ways) {
                    if (signature.compare(pos, way.size(), way) == 0 &&
                        match(pos + way.size(), i + 1)) {
                        return true;
                    }
                }
                return false;
            }
            for (std::size_t end = signature.find(',', pos); end != std::string::npos;
                 end = signature.find(',', end + 1)) {
                if (match(end + 1, i + 1)) {
                    return true;
                }
            }
            return false;
        };
        if (match(0, from)) {
            return true;
        }
        // Kerning: the characters may share columns. Known ones must then
        // explain the ink together, or be taken off its ends.
        GlyphTable ways;
        bool allKnown = true;
        for (std::size_t i = from; i < from + count; ++i) {
            if (const auto* drawnAs = sigsOf(word.characters[i])) {
                for (const auto& [way, times] : *drawnAs) {
                    ways.add(way, word.characters[i]);
                }
            } else {
                allKnown = false;
            }
        }
        std::vector<std::uint32_t> rest = GlyphTable::columnsOf(signature);
        if (allKnown) {
            const std::optional<std::string> read = InkSplitter(ways, nullptr).read(rest, 0);
            return read && *read == joined(word.characters, from, count);
        }
        const auto waysOf = [&](std::size_t i) {
            std::set<std::string> out;
            for (const auto& [way, times] : *sigsOf(word.characters[i])) {
                out.insert(way);
            }
            return out;
        };
        std::size_t first = from;
        std::size_t last = from + count;
        for (; sigsOf(word.characters[first]) != nullptr; ++first) {
            if (!peelOff(rest, waysOf(first), true)) {
                return false;
            }
        }
        for (; sigsOf(word.characters[last - 1]) != nullptr; --last) {
            if (!peelOff(rest, waysOf(last - 1), false)) {
                return false;
            }
        }
        return true;
    };

    // Words with fewer glyphs than characters hold touching glyphs: of the ways to
    // share the characters, the one that agrees best with what is known wins,
    // and what it teaches helps the next words.
    struct Pending {
        std::size_t line;
        const Word* word;
    };
    std::vector<Pending> pending;
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        for (const Word& word : fitWords(l)) {
            if (word.signatures.size() < word.characters.size()) {
                pending.push_back({l, &word});
            }
        }
    }
    for (bool progress = true; progress && !pending.empty();) {
        progress = false;
        std::vector<Pending> still;
        for (const Pending& p : pending) {
            if (!misfit[p.line].empty()) {
                continue;
            }
            const Word& word = *p.word;
            int bestScore = 0;
            int ties = 0;
            std::vector<std::size_t> best;
            const std::size_t ways = forEachSplit(
                word.signatures.size(), word.characters.size(), kMaxSplits,
                [&](const std::vector<std::size_t>& parts) {
                    int score = 0;
                    std::size_t from = 0;
                    for (std::size_t g = 0; g < parts.size(); ++g) {
                        const std::string& signature = word.signatures[g];
                        const std::string text = joined(word.characters, from, parts[g]);
                        if (const auto it = textOf.find(signature); it != textOf.end()) {
                            if (it->second != text && !alike.contains({it->second, text})) {
                                return;
                            }
                            ++score;
                        } else if (parts[g] == 1) {
                            score -= sigsOf(text) != nullptr ? 1 : 0;
                        } else if (!canBe(signature, word, from, parts[g])) {
                            return;
                        } else {
                            bool allKnown = true;
                            for (std::size_t i = from; i < from + parts[g]; ++i) {
                                allKnown = allKnown && sigsOf(word.characters[i]) != nullptr;
                            }
                            score += allKnown ? static_cast<int>(parts[g]) : 0;
                        }
                        from += parts[g];
                    }
                    if (best.empty() || score > bestScore) {
                        best = parts;
                        bestScore = score;
                        ties = 0;
                    } else if (score == bestScore) {
                        ++ties;
                    }
                });
            if (best.empty() && ways < kMaxSplits) {
                misfit[p.line] = inQuotes(joined(word.characters, 0, word.characters.size())) +
                                 " cannot be drawn with the glyphs the pixels show";
                continue;
            }
            if (best.empty() || ties > 0) {
                still.push_back(p);
                continue;
            }
            std::size_t from = 0;
            for (std::size_t g = 0; g < best.size(); ++g) {
                const std::string text = joined(word.characters, from, best[g]);
                if (textOf.emplace(word.signatures[g], text).second && best[g] == 1) {
                    ++drawn[text][word.signatures[g]];
                }
                from += best[g];
            }
            progress = true;
        }
        pending = std::move(still);
    }
    for (const Pending& p : pending) {
        if (misfit[p.line].empty()) {
            result.unattributed.push_back(
                lines_[p.line].label + ": " +
                inQuotes(joined(p.word->characters, 0, p.word->characters.size())) + " shows " +
                std::to_string(p.word->signatures.size()) +
                " glyph(s); which of them touch could not be told");
        }
    }
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        if (!misfit[l].empty()) {
            result.misfits.push_back(lines_[l].label + ": " + misfit[l]);
        }
    }

    // Touching characters teach single glyphs: a character known at either end
    // of a run is peeled off, and a last one left alone is learnt.
    std::set<std::string> fitting = learnFromTouching(textOf, drawn);

    // Only the glyphs of lines that fit are kept.
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        for (const Word& word : fitWords(l)) {
            fitting.insert(word.signatures.begin(), word.signatures.end());
        }
    }
    GlyphTable combined = known_;
    const auto keep = [&](const std::string& signature, const std::string& text) {
        const std::string* before = combined.find(signature);
        if (before != nullptr && *before == text) {
            return;
        }
        // What the user taught earlier stands: flipping it would misread every
        // line that was right before. The shipped table belongs to another
        // font and gives way.
        const bool taughtBefore =
            (taught_ != nullptr && taught_->find(signature) != nullptr) ||
            std::any_of(result.entries.begin(), result.entries.end(),
                        [&](const GlyphTable::Entry& e) { return e.signature == signature; });
        if (before != nullptr && taughtBefore) {
            result.clashes.push_back(inQuotes(text) + " is drawn like " + inQuotes(*before) +
                                     ", which it keeps reading as (signature " + signature + ")");
            return;
        }
        if (before != nullptr) {
            result.replaced.push_back(inQuotes(*before) + " now reads " + inQuotes(text) +
                                      " (signature " + signature + ")");
        }
        combined.add(signature, text);
        result.entries.push_back({signature, text});
        ++(characters(text).size() == 1 ? result.glyphs : result.pairs);
    };
    // Single glyphs first, so that a run of touching characters is kept whole
    // only as a fast path beside them.
    for (const bool single : {true, false}) {
        for (const auto& [signature, text] : textOf) {
            if ((characters(text).size() == 1) == single &&
                fitting.contains(signature)) {
                keep(signature, text);
            }
        }
    }
    // A character counts once it is known as a glyph of its own (or drawn
    // like one): seen only inside touching runs it cannot be read in other company.
    std::set<std::string> glyphsLearnt;
    for (const auto& [signature, text] : textOf) {
        glyphsLearnt.insert(text);
    }
    for (const auto& [signature, counts] : seen) {
        for (const auto& [c, times] : counts) {
            glyphsLearnt.insert(c);
        }
    }
    result.missing = missingCharacters(std::move(glyphsLearnt));
    // How the readers are to read this font, when not as they read the shipped one.
    GlyphTable::Settings settings = known_.settings();
    result.wordGap = learntWordGap(misfit);
    settings.wordGap = result.wordGap ? result.wordGap : settings.wordGap;
    settings.smoothPercent = smoothPercent_;
    result.smoothPercent = smoothPercent_;
    const std::string text = settings.format();
    if (const std::string* before = known_.find(GlyphTable::kSettingsSignature);
        !text.empty() && (before == nullptr || *before != text)) {
        result.entries.push_back({std::string(GlyphTable::kSettingsSignature), text});
    }
    return result;
}

}  // namespace kestrova
