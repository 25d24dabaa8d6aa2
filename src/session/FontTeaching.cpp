#include "FontTeaching.h"

#include "client/ocr/LobbyTextLines.h"

namespace kestrova {

LobbyTexts readCapture(const GlyphBook& font, const CapturedLobby& capture) {
    // Learning may have found the text smoothed: the lines are cut anew each time.
    const GlyphTable& glyphs = font.table();
    const std::optional<int> smoothPercent = glyphs.smoothPercent();
    const auto read = [&](const std::vector<TextLine>& lines) {
        std::vector<std::vector<std::string>> texts;
        for (const TextLine& line : lines) {
            std::vector<std::string>& fields = texts.emplace_back();
            for (const TextField& field : line.fields)
                fields.push_back(readField(capture.image, line, field, glyphs));
        }
        return texts;
    };
    LobbyTexts texts;
    texts.rows = read(listLines(capture.image, capture.geometry, smoothPercent));
    texts.seats = read(seatLines(capture.image, smoothPercent));
    return texts;
}

std::string teachFont(GlyphBook& font, const CapturedLobby& capture, const LobbyTexts& typed) {
    const TaughtGlyphs taught = font.taught();
    FontLearner learner(font.table(), &taught);
    std::string problem;
    if (!learner.addCapture(capture.image, typed, &capture.geometry, &problem))
        return problem;
    const FontLearning learning = learner.learn();
    std::string report = learning.report();
    if (!learning.entries.empty() && !font.learn(learning.entries, &problem))
        report += "\nNothing was saved: " + problem;
    return report;
}

}  // namespace kestrova
