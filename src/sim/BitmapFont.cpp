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

BitmapFont::BitmapFont(const QString& family, int pixelSize) {
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
    font_.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font_.setHintingPreference(QFont::PreferFullHinting);
    font_.setKerning(false);
}

BitmapFont::Glyph BitmapFont::rasterise(char32_t character) const {
    Glyph glyph;
    const QString text = QString::fromUcs4(&character, 1);
    glyph.advance = QFontMetrics(font_).horizontalAdvance(text);

    QImage scratch(kScratchSize, kScratchSize, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(kScratchLeft, kScratchTop + kBaselineRow, text);
    }
    int first = -1;
    std::vector<std::uint32_t> columns;
    for (int x = 0; x < kScratchSize; ++x) {
        std::uint32_t code = 0;
        bool any = false;
        for (int y = 0; y < kScratchSize; ++y) {
            if (qRed(scratch.pixel(x, y)) >= 128) {
                continue;
            }
            any = true;
            const int row = y - kScratchTop;
            if (row < 0 || row >= kRows) {
                glyph.clipped = true;
                continue;
            }
            code |= 1u << row;
        }
        if (any) {
            if (first < 0) {
                first = x;
            }
            columns.resize(static_cast<std::size_t>(x - first), 0u);
            columns.push_back(code);
        }
    }
    if (first >= 0) {
        glyph.inkLeft = first - kScratchLeft;
        glyph.columns = std::move(columns);
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

int BitmapFont::gapBetween(char32_t left, char32_t right) const {
    const Glyph& a = glyph(left);
    const Glyph& b = glyph(right);
    const int natural = a.advance - a.inkLeft - a.width() + b.inkLeft;
    return std::clamp(natural, 0, kMaxGap);
}

std::vector<BitmapFont::PlacedGlyph> BitmapFont::layout(const QString& text) const {
    std::vector<PlacedGlyph> placed;
    const Glyph* previous = nullptr;
    int previousRight = 0;  // last ink column of the previous glyph
    int pendingSpace = 0;   // pen advance of the blanks since the previous glyph
    for (const char32_t character : text.toUcs4()) {
        const Glyph& current = glyph(character);
        if (current.width() == 0) {
            pendingSpace += std::max(current.advance, 1);
            continue;
        }
        int x = 0;
        if (previous != nullptr) {
            const int natural = previous->advance - previous->inkLeft - previous->width() +
                                pendingSpace + current.inkLeft;
            const int gap = pendingSpace > 0
                                ? std::clamp(natural, kMinSpaceColumns, kMaxSpaceColumns)
                                : std::clamp(natural, 0, kMaxGap);
            x = previousRight + 1 + gap;
        }
        placed.push_back({character, x});
        previous = &current;
        previousRight = x + current.width() - 1;
        pendingSpace = 0;
    }
    return placed;
}

int BitmapFont::textWidth(const QString& text) const {
    const std::vector<PlacedGlyph> placed = layout(text);
    if (placed.empty()) {
        return 0;
    }
    return placed.back().x + glyph(placed.back().character).width();
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
                if ((code & (1u << row)) != 0 && py >= 0 && py < image.height()) {
                    image.setPixel(px, py, colour);
                }
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
