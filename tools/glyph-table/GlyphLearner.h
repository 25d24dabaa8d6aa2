#pragma once

#include "client/ocr/GlyphTable.h"

#include <QImage>
#include <QString>

#include <filesystem>
#include <string>
#include <vector>

namespace kestrova::sim {

// Learns glyph signatures from a capture of the user's own client: the glyphs of
// one text line (separated by empty columns) are matched, in order, to the
// non-space characters of the text the user says the line shows.
class GlyphLearner final {
public:
    enum class Ink { White, DiffersFromBackground };

    struct Line {
        int xBegin = 0;  // first column
        int xEnd = 0;    // one past the last column
        int top = 0;
        Ink ink = Ink::White;
        QString text;
    };

    struct Result {
        std::vector<GlyphTable::Entry> learnt;  // new signatures with their texts
        std::vector<std::string> unattributed;  // what could not be matched, in words
    };

    // known: the tables read so far (to recognise glyphs already known and to leave
    // them out of the result).
    static Result learn(const QImage& image, const Line& line, const GlyphTable& known);

    // The glyphs already known: the known table, then the table learnt glyphs
    // go to (both may be missing). `problem` gets why a file could not be read.
    static GlyphTable knownGlyphs(const std::filesystem::path& knownFile,
                                  const std::filesystem::path& tableFile, std::string* problem);

    static int rowsFor(Ink ink) { return ink == Ink::White ? 16 : 12; }
};

}  // namespace kestrova::sim
