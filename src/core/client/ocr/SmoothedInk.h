#pragma once

#include "client/ocr/PixelSource.h"
#include "common/Image.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace kestrova {

// Grey-smoothed text (font smoothing on in Windows or Wine): a pixel is ink when
// it lies at least a set share of the way from the line's background to its
// text colour. A smoothed glyph then keeps one shape wherever it is drawn, and
// its faint edges neither join its neighbours nor close the gaps between
// words. The share belongs to the font (learnt with it): high enough to keep
// the gaps, low enough that thin strokes do not break. Unsmoothed text reads
// the same under any share.

inline int colourDistance(std::uint32_t a, std::uint32_t b) {
    return std::max({std::abs(redOf(a) - redOf(b)), std::abs(greenOf(a) - greenOf(b)),
                     std::abs(blueOf(a) - blueOf(b))});
}

struct HalfwayInk {
    // Below this the line holds no text: nothing is ink.
    static constexpr int kMinContrast = 48;
    static constexpr int kDefaultPercent = 33;

    std::uint32_t background = 0;
    int threshold = kMinContrast;
    // White text on the highlight: only pixels brighter than the background.
    bool towardsWhite = false;

    // Comparisons only, without branches, so that the row loops vectorise it:
    // some channel at least the threshold away, and with towardsWhite every
    // channel at least the background's.
    bool operator()(std::uint32_t argb) const {
        const int red = redOf(argb);
        const int green = greenOf(argb);
        const int blue = blueOf(argb);
        const int r0 = redOf(background);
        const int g0 = greenOf(background);
        const int b0 = blueOf(background);
        const bool far = (red <= r0 - threshold) | (red >= r0 + threshold) | (green <= g0 - threshold) |
                         (green >= g0 + threshold) | (blue <= b0 - threshold) | (blue >= b0 + threshold);
        const bool brighter = (red >= r0) & (green >= g0) & (blue >= b0);
        return far & (brighter | !towardsWhite);
    }

    static HalfwayInk forContrast(std::uint32_t background, int contrast, int percent) {
        return {background, std::max({kMinContrast * percent / 100, contrast * percent / 100, 1}),
                false};
    }
    static HalfwayInk towardsWhiteFrom(std::uint32_t background, int percent) {
        HalfwayInk ink = forContrast(background, colourDistance(0xffffffffu, background), percent);
        ink.towardsWhite = true;
        return ink;
    }
};

// The contrast of text of unknown colour: the distance from the background of
// the farthest pixel in rows [top, bottom) and columns [from, to), clipped to
// the source.
template <PixelSource Source>
int textContrast(const Source& source, int top, int bottom, int from, int to,
                 std::uint32_t background) {
    from = std::max(from, 0);
    to = std::min(to, source.width());
    int contrast = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, source.height()); ++y) {
        for (int x = from; x < to; ++x) {
            contrast = std::max(contrast, colourDistance(source.pixel(x, y), background));
        }
    }
    return contrast;
}

}  // namespace kestrova
