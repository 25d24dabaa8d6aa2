#include "client/ocr/SmoothingChoice.h"

#include "client/ocr/SmoothedInk.h"
#include "client/ocr/TypedWords.h"

#include <algorithm>
#include <cstddef>

namespace kestrova::fontlearning {

int chooseSmoothPercent(const Image& capture, const std::vector<TextLine>& lines,
                        const std::vector<const std::vector<std::string>*>& texts) {
    int best = HalfwayInk::kDefaultPercent;
    long bestScore = 0;
    bool first = true;
    for (const int percent : {50, 40, 33, 25, 20}) {
        std::vector<TextLine> cut(
            lines.begin(),
            lines.begin() + static_cast<std::ptrdiff_t>(std::min(lines.size(), texts.size())));
        smoothLines(capture, cut, percent);
        long score = 0;
        for (std::size_t l = 0; l < cut.size(); ++l) {
            for (std::size_t f = 0; f < cut[l].fields.size() && f < texts[l]->size(); ++f) {
                const auto words = wordsOf((*texts[l])[f]);
                if (words.empty()) {
                    continue;
                }
                const auto groups =
                    groupGlyphs(glyphsIn(capture, cut[l], cut[l].fields[f]), words.size());
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

}  // namespace kestrova::fontlearning
