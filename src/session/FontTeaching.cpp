#include "FontTeaching.h"

#include "client/ocr/LobbyTextLines.h"

namespace kestrova {

LobbyTexts readCapture(const Session& session, const Session::LobbyCapture& capture) {
    // Learning may have found the text smoothed: the lines are cut anew each time.
    const GlyphTable& glyphs = session.glyphs();
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

std::string teachFont(Session& session, const Session::LobbyCapture& capture,
                      const LobbyTexts& typed) {
    const TaughtGlyphs taught = session.taughtGlyphs();
    FontLearner learner(session.glyphs(), &taught);
    std::string problem;
    if (!learner.addCapture(capture.image, typed, &capture.geometry, &problem))
        return problem;
    const FontLearning learning = learner.learn();
    std::string report = learning.report();
    if (!learning.entries.empty() && !session.learnGlyphs(learning.entries, &problem))
        report += "\nNothing was saved: " + problem;
    return report;
}

}  // namespace kestrova
