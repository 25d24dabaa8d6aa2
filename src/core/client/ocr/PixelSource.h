#pragma once

#include <algorithm>
#include <concepts>
#include <cstdint>
#include <utility>

namespace kestrova {

// Anything the readers can take pixels from: Image, or an adaptor. The readers
// are templates over it so that the product reads the Image buffer directly
// while a benchmark can measure the same reading through another access path.
template <class Source>
concept PixelSource = requires(const Source& source, int x, int y) {
    { source.width() } -> std::convertible_to<int>;
    { source.height() } -> std::convertible_to<int>;
    { source.pixel(x, y) } -> std::convertible_to<std::uint32_t>;
};

// The rows [top, top + Rows) of one text line. The caller guarantees that they
// lie inside the source and that every x it asks for does too. Sources with
// row pointers (Image) are read through them, one add per pixel.
template <PixelSource Source, int Rows>
class LineRows final {
public:
    static constexpr bool kHasRowPointers = requires(const Source& s) {
        { s.row(0) } -> std::convertible_to<const std::uint32_t*>;
    };

    LineRows(const Source& source, int top) : source_(source), top_(top) {
        if constexpr (kHasRowPointers) {
            for (int r = 0; r < Rows; ++r) {
                rows_[r] = source.row(top + r);
            }
        }
    }

    std::uint32_t at(int x, int r) const {
        if constexpr (kHasRowPointers) {
            return rows_[r][x];
        } else {
            return source_.pixel(x, top_ + r);
        }
    }

    // codes[i] gets bit r set when the pixel (from + i, row r) is ink, for i
    // below count.
    template <class IsInk>
    void columnCodes(int from, int count, IsInk isInk, std::uint32_t* codes) const {
        if constexpr (kHasRowPointers) {
            codesOf(rows_, from, count, isInk, codes);
        } else {
            for (int i = 0; i < count; ++i) {
                std::uint32_t code = 0;
                for (int r = 0; r < Rows; ++r) {
                    code |= isInk(source_.pixel(from + i, top_ + r)) ? 1u << r : 0u;
                }
                codes[i] = code;
            }
        }
    }

    // Feeds the columns [from, to), clipped to the source, to a recogniser;
    // adjust(code) may turn a code into another (0 = no ink).
    template <class Recogniser, class IsInk, class Adjust>
    void feed(int from, int to, IsInk isInk, Adjust adjust, Recogniser& recogniser) const {
        if (from < 0) {
            from = 0;
        }
        if (to > source_.width()) {
            to = source_.width();
        }
        constexpr int kChunk = 256;
        std::uint32_t codes[kChunk];
        for (int x = from; x < to; x += kChunk) {
            const int count = to - x < kChunk ? to - x : kChunk;
            columnCodes(x, count, isInk, codes);
            for (int i = 0; i < count; ++i) {
                recogniser.addColumn(x + i, adjust(codes[i]));
            }
        }
    }

private:
    // Every row of a column in one go, several columns at a time: the rows
    // are unrolled and the columns vectorised, and each code is written once.
    // Kept out of line, as inlined into the column loops it is no longer
    // vectorised.
    template <class IsInk>
    [[gnu::noinline]] static void codesOf(const std::uint32_t* const (&rows)[Rows], int from,
                                          int count, IsInk isInk, std::uint32_t* codes) {
        const std::uint32_t* at[Rows];
        for (int r = 0; r < Rows; ++r) {
            at[r] = rows[r] + from;
        }
        // The rows spelt out at compile time: a loop over them would keep the
        // compiler from vectorising the columns whenever the ink rule is large.
        const auto codeAt = [&]<int... R>(int i, std::integer_sequence<int, R...>) {
            return ((isInk(at[R][i]) ? 1u << R : 0u) | ...);
        };
        // Written to a buffer of its own first, which no row can overlap, so
        // that the loop needs no run-time overlap checks.
        constexpr int kBlock = 64;
        std::uint32_t block[kBlock];
        for (int first = 0; first < count; first += kBlock) {
            const int n = count - first < kBlock ? count - first : kBlock;
            for (int i = 0; i < n; ++i) {
                block[i] = codeAt(first + i, std::make_integer_sequence<int, Rows>{});
            }
            std::copy_n(block, n, codes + first);
        }
    }

    const Source& source_;
    int top_;
    const std::uint32_t* rows_[Rows] = {};
};

template <PixelSource Source>
constexpr bool rowsInside(const Source& source, int top, int rows) {
    return top >= 0 && rows >= 0 && top <= source.height() - rows;
}

template <PixelSource Source>
constexpr bool pixelInside(const Source& source, int x, int y) {
    return x >= 0 && y >= 0 && x < source.width() && y < source.height();
}

}  // namespace kestrova
