#include "sim/BitmapFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace kestrova::sim {

namespace {

// Room around the pen position when a single character is rasterised.
constexpr int kScratchLeft = 16;
constexpr int kScratchTop = 16;
constexpr int kScratchSize = 64;

}  // namespace

QString BitmapFont::defaultFontFile() {
    return QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
}

BitmapFont::BitmapFont(const QString& fontFile) {
    const int id = QFontDatabase::addApplicationFont(fontFile);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty()) {
        throw std::runtime_error("cannot load the lobby font " + fontFile.toStdString() +
                                 " (Debian package fonts-dejavu-core)");
    }
    family_ = families.front();
    setUp(kPixelSize);
}

BitmapFont::BitmapFont(const QString& family, int pixelSize)
    : BitmapFont(family, pixelSize, Style{}) {}

BitmapFont::BitmapFont(const QString& family, int pixelSize, Style style) : style_(style) {
    if (!QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        throw std::runtime_error("no installed font family \"" + family.toStdString() + "\"");
    }
    // Larger letters would not fit the 12 rows the seat lines are read in.
    if (pixelSize < 6 || pixelSize > 14) {
        throw std::runtime_error("a pixel size from 6 to 14 is needed, not " +
                                 std::to_string(pixelSize));
    }
    family_ = family;
    setUp(pixelSize);
}

void BitmapFont::setUp(int pixelSize) {
    font_ = QFont(family_);
    font_.setPixelSize(pixelSize);
    font_.setStyleStrategy(QFont::StyleStrategy(
        (style_.antialias ? QFont::PreferAntialias : QFont::NoAntialias) | QFont::NoFontMerging));
    font_.setHintingPreference(QFont::PreferFullHinting);
    font_.setKerning(style_.kerning);
}

BitmapFont::Glyph BitmapFont::rasterise(char32_t character) const {
    Glyph glyph;
    const QString text = QString::fromUcs4(&character, 1);
    glyph.advance = QFontMetrics(font_).horizontalAdvance(text);

    QImage scratch(kScratchSize, kScratchSize, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::TextAntialiasing, style_.antialias);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(kScratchLeft, kScratchTop + kBaselineRow, text);
    }
    // Without smoothing a pixel is ink or not; with it, any coverage counts.
    const int inkBelow = style_.antialias ? 255 : 128;
    int first = -1;
    std::vector<std::uint32_t> columns;
    std::vector<std::uint8_t> coverage;
    for (int x = 0; x < kScratchSize; ++x) {
        std::uint32_t code = 0;
        bool any = false;
        std::uint8_t column[kRows] = {};
        for (int y = 0; y < kScratchSize; ++y) {
            const int red = qRed(scratch.pixel(x, y));
            if (red >= inkBelow) {
                continue;
            }
            any = true;
            const int row = y - kScratchTop;
            if (row < 0 || row >= kRows) {
                glyph.clipped = true;
                continue;
            }
            code |= 1u << row;
            column[row] = static_cast<std::uint8_t>(255 - red);
        }
        if (any) {
            if (first < 0) {
                first = x;
            }
            columns.resize(static_cast<std::size_t>(x - first), 0u);
            coverage.resize(static_cast<std::size_t>(x - first) * kRows, 0u);
            columns.push_back(code);
            coverage.insert(coverage.end(), column, column + kRows);
        }
    }
    if (first >= 0) {
        glyph.inkLeft = first - kScratchLeft;
        glyph.columns = std::move(columns);
        if (style_.antialias) {
            glyph.coverage = std::move(coverage);
        }
    }
    return glyph;
}

const BitmapFont::Glyph& BitmapFont::glyph(char32_t character) const {
    auto it = cache_.find(character);
    if (it == cache_.end()) {
        it = cache_.emplace(character, rasterise(character)).first;
    }
    return it->second;
}

int BitmapFont::naturalGap(char32_t left, char32_t right, int pendingSpace) const {
    const Glyph& a = glyph(left);
    const Glyph& b = glyph(right);
    int advance = a.advance;
    if (style_.kerning && pendingSpace == 0) {
        // The pair's kerning: what the two set together differ from their advances.
        const QFontMetrics metrics(font_);
        const QString pair = QString::fromUcs4(&left, 1) + QString::fromUcs4(&right, 1);
        advance = metrics.horizontalAdvance(pair) - b.advance;
    }
    return advance - a.inkLeft - a.width() + pendingSpace + b.inkLeft;
}

int BitmapFont::gapBetween(char32_t left, char32_t right) const {
    return std::clamp(naturalGap(left, right, 0), style_.kerning ? -kMaxOverlap : 0, kMaxGap);
}

std::vector<BitmapFont::PlacedGlyph> BitmapFont::layout(const QString& text) const {
    std::vector<PlacedGlyph> placed;
    char32_t previous = 0;
    int previousRight = 0;  // last ink column of the previous glyph
    int earlierRight = -1;  // last ink column of the glyph before that
    int pendingSpace = 0;   // pen advance of the blanks since the previous glyph
    for (const char32_t character : text.toUcs4()) {
        const Glyph& current = glyph(character);
        if (current.width() == 0) {
            pendingSpace += std::max(current.advance, 1);
            continue;
        }
        int x = 0;
        if (previous != 0) {
            const int gap = pendingSpace > 0 ? std::clamp(naturalGap(previous, character, pendingSpace),
                                                          kMinSpaceColumns, kMaxSpaceColumns)
                                             : gapBetween(previous, character);
            // A kerned glyph shares columns with its neighbour only, never
            // with the glyph before it.
            x = std::max({previousRight + 1 + gap, placed.back().x + 1, earlierRight + 1});
        }
        placed.push_back({character, x});
        previous = character;
        earlierRight = pendingSpace > 0 ? -1 : previousRight;
        previousRight = std::max(previousRight, x + current.width() - 1);
        pendingSpace = 0;
    }
    return placed;
}

int BitmapFont::textWidth(const QString& text) const {
    int right = 0;
    for (const PlacedGlyph& placed : layout(text)) {
        right = std::max(right, placed.x + glyph(placed.character).width());
    }
    return right;
}

void BitmapFont::draw(QImage& image, int x, int lineTop, const QString& text, QRgb colour,
                      int clipLeft, int clipRight) const {
    const int left = std::max(clipLeft, 0);
    const int right = std::min(clipRight, image.width());
    for (const PlacedGlyph& placed : layout(text)) {
        const Glyph& g = glyph(placed.character);
        for (int column = 0; column < g.width(); ++column) {
            const int px = x + placed.x + column;
            if (px < left || px >= right) {
                continue;
            }
            const std::uint32_t code = g.columns[static_cast<std::size_t>(column)];
            for (int row = 0; row < kRows; ++row) {
                const int py = lineTop + row;
                if ((code & (1u << row)) == 0 || py < 0 || py >= image.height()) {
                    continue;
                }
                if (g.coverage.empty()) {
                    image.setPixel(px, py, colour);
                    continue;
                }
                const int alpha = g.coverage[static_cast<std::size_t>(column * kRows + row)];
                const QRgb under = image.pixel(px, py);
                const auto mix = [alpha](int from, int to) {
                    return from + (to - from) * alpha / 255;
                };
                image.setPixel(px, py, qRgb(mix(qRed(under), qRed(colour)),
                                            mix(qGreen(under), qGreen(colour)),
                                            mix(qBlue(under), qBlue(colour))));
            }
        }
    }
}

std::string BitmapFont::signatureOf(const Glyph& glyph) {
    std::string signature;
    for (const std::uint32_t code : glyph.columns) {
        signature += std::to_string(code);
        signature += ',';
    }
    return signature;
}

}  // namespace kestrova::sim
