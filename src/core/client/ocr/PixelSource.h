#pragma once

#include <concepts>
#include <cstdint>

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

    LineRows(const Source& source, int top) : source_(source), top_(top)
    {
        if constexpr (kHasRowPointers) {
            for (int r = 0; r < Rows; ++r) {
                rows_[r] = source.row(top + r);
            }
        }
    }

    std::uint32_t at(int x, int r) const
    {
        if constexpr (kHasRowPointers) {
            return rows_[r][x];
        } else {
            return source_.pixel(x, top_ + r);
        }
    }

    // Bit r set when the pixel in row r is ink.
    template <class IsInk>
    std::uint32_t columnCode(int x, IsInk isInk) const
    {
        std::uint32_t code = 0;
        for (int r = 0; r < Rows; ++r) {
            if (isInk(at(x, r))) {
                code |= 1u << r;
            }
        }
        return code;
    }

private:
    const Source& source_;
    int top_;
    const std::uint32_t* rows_[Rows] = {};
};

// Clips the half-open column range [from, to) to the source's width.
template <PixelSource Source>
constexpr void clipColumns(const Source& source, int& from, int& to)
{
    if (from < 0) {
        from = 0;
    }
    if (to > source.width()) {
        to = source.width();
    }
}

template <PixelSource Source>
constexpr bool rowsInside(const Source& source, int top, int rows)
{
    return top >= 0 && rows >= 0 && top <= source.height() - rows;
}

template <PixelSource Source>
constexpr bool pixelInside(const Source& source, int x, int y)
{
    return x >= 0 && y >= 0 && x < source.width() && y < source.height();
}

}  // namespace kestrova
