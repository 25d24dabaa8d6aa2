#include "client/ocr/FontLearner.h"

#include "client/ocr/SmoothingChoice.h"
#include "client/ocr/TouchingGlyphs.h"
#include "client/ocr/TypedWords.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <unordered_set>
#include <utility>

namespace kestrova {

using fontlearning::characters;
using fontlearning::groupGlyphs;
using fontlearning::inQuotes;
using fontlearning::joined;
using fontlearning::split;
using fontlearning::wordsOf;

namespace {

// Whether a run of ink could be `count` characters of a lobby font: at most as
// wide as the text rows are high for each, and not inked all over (a picture
// of noise is neither).
bool plausibleGlyph(const std::string& signature, std::size_t count) {
    constexpr int kRows = 12;
    const std::vector<std::uint32_t> columns = GlyphTable::columnsOf(signature);
    if (columns.empty() || columns.size() > 2 * kRows * std::max<std::size_t>(count, 1)) {
        return false;
    }
    int ink = 0;
    for (const std::uint32_t code : columns) {
        ink += std::popcount(code);
    }
    // A glyph's box is never filled; a narrow stroke may be (an "l", "|").
    return columns.size() <= 2 || ink * 10 < static_cast<int>(columns.size()) * kRows * 8;
}

constexpr const char* kListColumnNames[] = {"name", "game",        "stakes", "players",
                                            "type", "average pot", "waiting"};
constexpr const char* kSeatColumnNames[] = {"name", "chips"};
// What lobby rows and seat lists are written with.
constexpr const char* kLobbyCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.,$/-_'()";
// A word with more ways to share its characters among its glyphs is left unattributed.
constexpr std::size_t kMaxSplits = 20000;

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

// The character a glyph is read as most often (the first of equals).
std::string majority(const std::map<std::string, int>& counts) {
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

}  // namespace

struct FontLearner::Evidence {
    std::vector<std::string> misfit;  // per line: why it is left out, empty while it fits
    std::map<std::string, std::map<std::string, int>> seen;  // signature -> character -> times
    fontlearning::DrawnWays drawn;                           // character -> signature -> times
    std::map<std::string, std::string> textOf;               // signature -> text, as learnt here
    std::set<std::pair<std::string, std::string>> alike;     // characters drawn with one glyph
};

struct FontLearner::Split {
    std::vector<std::size_t> parts;  // characters per glyph; empty when no way fits
    int ties = 0;                    // other ways that score as well
    std::size_t ways = 0;            // ways tried
};

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
    section("Not a lobby font's glyph (too wide, or ink all over; not learnt):", implausible);
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
            smoothPercent_ = fontlearning::chooseSmoothPercent(capture, lines, lineTexts);
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
    Evidence evidence;
    for (const Line& line : lines_) {
        evidence.misfit.push_back(line.misfit);
    }
    readWholeGlyphs(evidence);
    nameGlyphs(evidence, result);
    attributeTouching(evidence, result);
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        if (!evidence.misfit[l].empty()) {
            result.misfits.push_back(lines_[l].label + ": " + evidence.misfit[l]);
        }
    }
    // Touching characters teach single glyphs: a character known at either end
    // of a run is peeled off, and a last one left alone is learnt.
    std::set<std::string> fitting =
        fontlearning::peelKnownGlyphs(known_, evidence.textOf, evidence.drawn);
    // Only the glyphs of lines that fit are kept.
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        for (const Word& word : fitWords(evidence, l)) {
            fitting.insert(word.signatures.begin(), word.signatures.end());
        }
    }
    keepLearnt(evidence, fitting, result);
    result.missing = missingCharacters(evidence);
    addSettings(evidence, result);
    return result;
}

const std::vector<FontLearner::Word>& FontLearner::fitWords(const Evidence& evidence,
                                                            std::size_t line) const {
    static const std::vector<Word> kNone;
    return evidence.misfit[line].empty() ? lines_[line].words : kNone;
}

void FontLearner::readWholeGlyphs(Evidence& evidence) const {
    for (bool changed = true; changed;) {
        evidence.seen.clear();
        evidence.drawn.clear();
        for (std::size_t l = 0; l < lines_.size(); ++l) {
            for (const Word& word : fitWords(evidence, l)) {
                if (word.signatures.size() == word.characters.size()) {
                    for (std::size_t g = 0; g < word.signatures.size(); ++g) {
                        ++evidence.seen[word.signatures[g]][word.characters[g]];
                        ++evidence.drawn[word.characters[g]][word.signatures[g]];
                    }
                }
            }
        }
        // One line at a time: the next count no longer has its error.
        changed = leaveOutTypingError(evidence);
    }
}

bool FontLearner::leaveOutTypingError(Evidence& evidence) const {
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        for (const Word& word : fitWords(evidence, l)) {
            if (word.signatures.size() != word.characters.size()) {
                continue;
            }
            for (std::size_t g = 0; g < word.signatures.size(); ++g) {
                const std::string& c = word.characters[g];
                const std::string& signature = word.signatures[g];
                const std::string usual = majority(evidence.seen.at(signature));
                if (usual == c) {
                    continue;
                }
                const auto& ways = evidence.drawn.at(c);
                const int here = ways.at(signature);
                if (std::any_of(ways.begin(), ways.end(), [&](const auto& way) {
                        return way.first != signature && way.second > here;
                    })) {
                    evidence.misfit[l] = "the glyph at x " + std::to_string(word.xs[g]) +
                                         " reads " + inQuotes(usual) + " elsewhere, and " +
                                         inQuotes(c) + " is drawn otherwise";
                    return true;
                }
            }
        }
    }
    return false;
}

void FontLearner::nameGlyphs(Evidence& evidence, FontLearning& result) const {
    for (const auto& [signature, counts] : evidence.seen) {
        const std::string usual = majority(counts);
        evidence.textOf[signature] = usual;
        for (const auto& [c, times] : counts) {
            if (c != usual && evidence.alike.insert({usual, c}).second) {
                result.lookAlikes.push_back(inQuotes(usual) + " and " + inQuotes(c) +
                                            " (signature " + signature + ")");
            }
        }
    }
}

void FontLearner::attributeTouching(Evidence& evidence, FontLearning& result) const {
    // What one word teaches helps the next: the words left undecided are
    // tried again while any is decided.
    struct Pending {
        std::size_t line;
        const Word* word;
    };
    std::vector<Pending> pending;
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        for (const Word& word : fitWords(evidence, l)) {
            if (word.signatures.size() < word.characters.size()) {
                pending.push_back({l, &word});
            }
        }
    }
    for (bool progress = true; progress && !pending.empty();) {
        progress = false;
        std::vector<Pending> still;
        for (const Pending& p : pending) {
            if (!evidence.misfit[p.line].empty()) {
                continue;
            }
            const Word& word = *p.word;
            const Split best = bestSplit(evidence, word);
            if (best.parts.empty() && best.ways < kMaxSplits) {
                evidence.misfit[p.line] =
                    inQuotes(joined(word.characters, 0, word.characters.size())) +
                    " cannot be drawn with the glyphs the pixels show";
                continue;
            }
            if (best.parts.empty() || best.ties > 0) {
                still.push_back(p);
                continue;
            }
            std::size_t from = 0;
            for (std::size_t g = 0; g < best.parts.size(); ++g) {
                const std::string text = joined(word.characters, from, best.parts[g]);
                if (evidence.textOf.emplace(word.signatures[g], text).second &&
                    best.parts[g] == 1) {
                    ++evidence.drawn[text][word.signatures[g]];
                }
                from += best.parts[g];
            }
            progress = true;
        }
        pending = std::move(still);
    }
    for (const Pending& p : pending) {
        if (evidence.misfit[p.line].empty()) {
            result.unattributed.push_back(
                lines_[p.line].label + ": " +
                inQuotes(joined(p.word->characters, 0, p.word->characters.size())) + " shows " +
                std::to_string(p.word->signatures.size()) +
                " glyph(s); which of them touch could not be told");
        }
    }
}

FontLearner::Split FontLearner::bestSplit(const Evidence& evidence, const Word& word) const {
    Split best;
    int bestScore = 0;
    const auto consider = [&](const std::vector<std::size_t>& parts) {
        const std::optional<int> score = splitScore(evidence, word, parts);
        if (!score) {
            return;
        }
        if (best.parts.empty() || *score > bestScore) {
            best.parts = parts;
            bestScore = *score;
            best.ties = 0;
        } else if (*score == bestScore) {
            ++best.ties;
        }
    };
    best.ways = forEachSplit(word.signatures.size(), word.characters.size(), kMaxSplits, consider);
    return best;
}

std::optional<int> FontLearner::splitScore(const Evidence& evidence, const Word& word,
                                           const std::vector<std::size_t>& parts) {
    int score = 0;
    std::size_t from = 0;
    for (std::size_t g = 0; g < parts.size(); ++g) {
        const std::string& signature = word.signatures[g];
        const std::string text = joined(word.characters, from, parts[g]);
        if (const auto it = evidence.textOf.find(signature); it != evidence.textOf.end()) {
            if (it->second != text && !evidence.alike.contains({it->second, text})) {
                return std::nullopt;
            }
            ++score;
        } else if (parts[g] == 1) {
            score -= evidence.drawn.contains(text) ? 1 : 0;
        } else if (!fontlearning::canBeTouching(signature, word.characters, from, parts[g],
                                                evidence.drawn)) {
            return std::nullopt;
        } else {
            bool allKnown = true;
            for (std::size_t i = from; i < from + parts[g]; ++i) {
                allKnown = allKnown && evidence.drawn.contains(word.characters[i]);
            }
            score += allKnown ? static_cast<int>(parts[g]) : 0;
        }
        from += parts[g];
    }
    return score;
}

void FontLearner::keepLearnt(const Evidence& evidence, const std::set<std::string>& fitting,
                             FontLearning& result) const {
    // What the tables read with the glyphs kept so far: known_ is not copied,
    // it may hold a user's table of many MB.
    std::map<std::string, std::string> learnt;
    const auto readingOf = [&](const std::string& signature) -> std::optional<std::string_view> {
        if (const auto it = learnt.find(signature); it != learnt.end()) {
            return it->second;
        }
        return known_.find(signature);
    };
    const auto keep = [&](const std::string& signature, const std::string& text) {
        if (!plausibleGlyph(signature, characters(text).size())) {
            result.implausible.push_back(inQuotes(text) + " (" +
                                         std::to_string(GlyphTable::columnsOf(signature).size()) +
                                         " columns)");
            return;
        }
        const std::optional<std::string_view> before = readingOf(signature);
        if (before && *before == text) {
            return;
        }
        // What the user taught earlier stands: flipping it would misread every
        // line that was right before. The shipped table belongs to another
        // font and gives way.
        const bool taughtBefore =
            (taught_ != nullptr && taught_->holds(signature)) ||
            std::any_of(result.entries.begin(), result.entries.end(),
                        [&](const GlyphTable::Entry& e) { return e.signature == signature; });
        if (before && taughtBefore) {
            result.clashes.push_back(inQuotes(text) + " is drawn like " + inQuotes(*before) +
                                     ", which it keeps reading as (signature " + signature + ")");
            return;
        }
        if (before) {
            result.replaced.push_back(inQuotes(*before) + " now reads " + inQuotes(text) +
                                      " (signature " + signature + ")");
        }
        result.entries.push_back({signature, text});
        learnt[signature] = text;
        ++(characters(text).size() == 1 ? result.glyphs : result.pairs);
    };
    // Single glyphs first, so that a run of touching characters is kept whole
    // only as a fast path beside them.
    for (const bool single : {true, false}) {
        for (const auto& [signature, text] : evidence.textOf) {
            if ((characters(text).size() == 1) == single && fitting.contains(signature)) {
                keep(signature, text);
            }
        }
    }
}

std::vector<std::string> FontLearner::missingCharacters(const Evidence& evidence) const {
    // A character counts once it is known as a glyph of its own (or drawn
    // like one): seen only inside touching runs it cannot be read in other company.
    std::set<std::string, std::less<>> learnt;
    for (const auto& [signature, text] : evidence.textOf) {
        learnt.insert(text);
    }
    for (const auto& [signature, counts] : evidence.seen) {
        for (const auto& [c, times] : counts) {
            learnt.insert(c);
        }
    }
    if (taught_ != nullptr) {
        learnt.insert(taught_->texts().begin(), taught_->texts().end());
    }
    std::vector<std::string> missing;
    for (const char c : std::string_view(kLobbyCharacters)) {
        if (!learnt.contains(std::string(1, c))) {
            missing.emplace_back(1, c);
        }
    }
    return missing;
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

void FontLearner::addSettings(const Evidence& evidence, FontLearning& result) const {
    GlyphTable::Settings settings = known_.settings();
    result.wordGap = learntWordGap(evidence.misfit);
    settings.wordGap = result.wordGap ? result.wordGap : settings.wordGap;
    settings.smoothPercent = smoothPercent_;
    result.smoothPercent = smoothPercent_;
    const std::string text = settings.format();
    if (const auto before = known_.find(GlyphTable::kSettingsSignature);
        !text.empty() && before != text) {
        result.entries.push_back({std::string(GlyphTable::kSettingsSignature), text});
    }
}

}  // namespace kestrova
