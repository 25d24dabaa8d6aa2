#pragma once

#include "client/ocr/AlikeGlyphs.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <istream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrova {

// Maps glyph signatures ("1022,1022,") to the text they stand for.
//
// A signature lists the glyph's pixel columns left to right; each column is
// the decimal sum of 2^row over its ink pixels (row 0 = top row of the text
// line), followed by a comma.
//
// File format ("ocr.txt", "ocr2.txt"): 8-bit text, pairs of lines, signature
// then text. Line ends are LF or CR LF; both are removed. A pair is ignored
// (and the pairing of the following lines is kept) when either line is longer
// than 255 characters, the signature is not of the form (digits ",")+, or the
// text is empty. A blank line where a signature is due is skipped on its own
// (pairs appended after a blank last line stay paired). A last unpaired line
// is ignored. A UTF-8 byte-order mark at
// the start of a file is skipped.
//
// Entries are listed by decreasing signature length (equal lengths keep
// reading order); a later pair with the same signature replaces the text in
// the look-up map, and ink the map does not know is explained by the shapes()
// (InkSplitter). A missing file adds nothing; so does
// one that cannot be read (a folder, FIFO or device, no permission, larger
// than kMaxFileBytes), and the reading says why.
class GlyphTable {
public:
    static constexpr std::size_t kMaxLineLength = 255;
    // Far above any real table (thousands of touching pairs take a few MB).
    static constexpr std::size_t kMaxFileBytes = 64 * 1024 * 1024;
    // A pair with this signature (a column without ink, so never a glyph)
    // carries a font's reading settings, blank-separated: "gap=N" (N or more
    // empty columns after a glyph are a blank) and "smooth=P" (grey-smoothed
    // text, ink from P % of the way to the text colour: see SmoothedInk.h),
    // "font=NAME" (the installed font the table was drawn from) and
    // "alike=AB,CD" (groups of characters the font draws alike; the table
    // names each group's shape by its first). Blanks, commas and percent
    // signs inside a value are written %20, %2C and %25.
    // Older readers take it for a glyph never seen.
    static constexpr std::string_view kSettingsSignature = "0,";

    struct Settings {
        std::optional<int> wordGap;
        std::optional<int> smoothPercent;
        std::optional<std::string> font;
        std::vector<std::string> alike;

        static Settings parse(std::string_view text);
        std::string format() const;  // empty for the readers' fixed rules
    };

    struct Entry {
        std::string signature;
        std::string text;
    };

    // A known glyph's pixel columns, for explaining ink the map does not know
    // as glyphs that touch or overlap. One per distinct signature.
    struct Shape {
        std::vector<std::uint32_t> columns;
        std::string signature;
        int width() const { return static_cast<int>(columns.size()); }
    };

    // `problem` (when given) gets "PATH: reason" for a file that exists but
    // could not be read, and is cleared otherwise.
    static GlyphTable load(const std::filesystem::path& file, std::string* problem = nullptr);
    static GlyphTable parse(std::istream& in);

    // Appends the pairs of a file or stream (e.g. "ocr2.txt" after "ocr.txt").
    // readFile returns false when the file is missing or cannot be read.
    bool readFile(const std::filesystem::path& file, std::string* problem = nullptr);
    void read(std::istream& in);

    // False (and nothing added) for a malformed signature or an empty text.
    bool add(std::string signature, std::string text);

    static bool isSignature(std::string_view signature);

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    // Longest signature first.
    const std::vector<Entry>& entries() const { return entries_; }
    const std::string* find(std::string_view signature) const;
    const std::vector<Shape>& shapes() const { return shapes_; }
    const Settings& settings() const { return settings_; }
    // The characters the font draws alike, decided by their words.
    const AlikeGlyphs& alike() const { return alike_; }
    // The word gap a learnt font gives; nothing for the fixed rule.
    std::optional<int> wordGap() const { return settings().wordGap; }
    // The share of the way to the text colour that is ink, for smoothed text.
    std::optional<int> smoothPercent() const { return settings().smoothPercent; }
    bool smoothed() const { return smoothPercent().has_value(); }
    // The installed font the table was drawn from, when it was.
    std::optional<std::string> font() const { return settings().font; }

    // Column codes of a signature ("1022,4," -> {1022, 4}); empty when malformed.
    static std::vector<std::uint32_t> columnsOf(std::string_view signature);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    void addShape(const std::string& signature);
    // The settings pair may come or change with any read or add.
    void settingsChanged();

    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> map_;
    std::vector<Shape> shapes_;
    Settings settings_;
    AlikeGlyphs alike_;
};

}  // namespace kestrova
