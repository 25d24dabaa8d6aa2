// glyph-table: writes the glyph table of the simulator's font, or learns glyphs
// from a capture of the user's own client into a table file.
#include "GlyphLearner.h"
#include "GlyphTableBuilder.h"
#include "client/ocr/GlyphTable.h"
#include "sim/BitmapFont.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>

namespace {

using kestrova::GlyphTable;
using kestrova::sim::BitmapFont;
using kestrova::sim::GlyphLearner;
using kestrova::sim::GlyphTableBuilder;

int generate(const QString& outFile) {
    const BitmapFont font;
    GlyphTableBuilder builder(font);
    builder.build();
    std::cout << "font " << font.family().toStdString() << ", " << BitmapFont::kPixelSize
              << " px: " << GlyphTableBuilder::characterSet().size() << " characters, "
              << builder.touchingPairs() << " touching pairs, " << builder.entries().size()
              << " entries, " << builder.checkedChains() << " touching chains checked\n";
    if (!builder.problems().empty()) {
        for (const std::string& problem : builder.problems()) {
            std::cerr << "glyph-table: " << problem << '\n';
        }
        std::cerr << "glyph-table: " << builder.problems().size()
                  << " problem(s); no table written\n";
        return 1;
    }
    std::ofstream out(outFile.toStdString(), std::ios::binary | std::ios::trunc);
    out << builder.fileText();
    if (!out.flush()) {
        std::cerr << "glyph-table: cannot write " << outFile.toStdString() << '\n';
        return 1;
    }
    std::cout << "wrote " << outFile.toStdString() << '\n';
    return 0;
}

int learn(const QCommandLineParser& args) {
    const QString imageFile = args.value(QStringLiteral("learn"));
    const QImage image(imageFile);
    if (image.isNull()) {
        std::cerr << "glyph-table: cannot read the image " << imageFile.toStdString() << '\n';
        return 1;
    }
    bool okX = false;
    bool okEnd = false;
    bool okTop = false;
    GlyphLearner::Line line;
    line.xBegin = args.value(QStringLiteral("x")).toInt(&okX);
    line.xEnd = args.value(QStringLiteral("x-end")).toInt(&okEnd);
    line.top = args.value(QStringLiteral("top")).toInt(&okTop);
    line.text = args.value(QStringLiteral("text"));
    const QString ink = args.value(QStringLiteral("ink"));
    if (!okX || !okEnd || !okTop || line.xEnd <= line.xBegin || line.text.trimmed().isEmpty() ||
        (ink != QStringLiteral("white") && ink != QStringLiteral("background"))) {
        std::cerr << "glyph-table: --learn needs --x, --x-end (> x), --top, --text and "
                     "--ink white|background\n";
        return 1;
    }
    line.ink = ink == QStringLiteral("white") ? GlyphLearner::Ink::White
                                              : GlyphLearner::Ink::DiffersFromBackground;

    const QString tableFile = args.value(QStringLiteral("table"));
    std::string problem;
    const GlyphTable known = GlyphLearner::knownGlyphs(
        args.value(QStringLiteral("known")).toStdString(), tableFile.toStdString(), &problem);
    if (!problem.empty()) {
        std::cerr << "glyph-table: " << problem << '\n';
        return 1;
    }
    const GlyphLearner::Result result = GlyphLearner::learn(image, line, known);
    std::ofstream out(tableFile.toStdString(), std::ios::binary | std::ios::app);
    for (const GlyphTable::Entry& entry : result.learnt) {
        out << entry.signature << '\n' << entry.text << '\n';
        std::cout << "learnt \"" << entry.text << "\" " << entry.signature << '\n';
    }
    if (!out.flush()) {
        std::cerr << "glyph-table: cannot write " << tableFile.toStdString() << '\n';
        return 1;
    }
    for (const std::string& what : result.unattributed) {
        std::cout << "not attributed: " << what << '\n';
    }
    std::cout << result.learnt.size() << " signature(s) added to " << tableFile.toStdString()
              << '\n';
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Fonts need a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("glyph-table"));

    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral(
        "Writes the glyph table of the simulated lobby's font, or learns glyphs from a "
        "capture of your own client (--learn)."));
    args.addHelpOption();
    args.addOptions({
        {QStringLiteral("out"), QStringLiteral("Table file to write."), QStringLiteral("file"),
         QStringLiteral("ocr.txt")},
        {QStringLiteral("learn"), QStringLiteral("Capture (PNG) to learn from."),
         QStringLiteral("image")},
        {QStringLiteral("x"), QStringLiteral("First column of the text line."),
         QStringLiteral("x")},
        {QStringLiteral("x-end"), QStringLiteral("Column after the last one of the line."),
         QStringLiteral("x")},
        {QStringLiteral("top"), QStringLiteral("Top row of the text line."), QStringLiteral("y")},
        {QStringLiteral("ink"), QStringLiteral("white (lobby rows) or background (seats)."),
         QStringLiteral("rule")},
        {QStringLiteral("text"), QStringLiteral("The text the line shows."),
         QStringLiteral("text")},
        {QStringLiteral("table"), QStringLiteral("Table file learnt glyphs are added to."),
         QStringLiteral("file"), QStringLiteral("ocr2.txt")},
        {QStringLiteral("known"), QStringLiteral("Table of glyphs already known."),
         QStringLiteral("file"), QStringLiteral("ocr.txt")},
    });
    args.process(app);
    try {
        if (args.isSet(QStringLiteral("learn"))) {
            return learn(args);
        }
        return generate(args.value(QStringLiteral("out")));
    } catch (const std::exception& error) {
        std::cerr << "glyph-table: " << error.what() << '\n';
        return 1;
    }
}
