#pragma once

#include "client/ocr/AlikeGlyphs.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <istream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

class GlyphTable;

// The items of a table by position, as values that view into the table.
template <class Item>
class GlyphTableItems {
public:
    using At = Item (*)(const GlyphTable&, std::size_t);

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Item;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Item;

        iterator() = default;
        iterator(const GlyphTable* table, At at, std::size_t index)
            : table_(table), at_(at), index_(index) {}
        Item operator*() const { return at_(*table_, index_); }
        iterator& operator++() {
            ++index_;
            return *this;
        }
        iterator operator++(int) {
            iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const iterator& other) const { return index_ == other.index_; }

    private:
        const GlyphTable* table_ = nullptr;
        At at_ = nullptr;
        std::size_t index_ = 0;
    };

    GlyphTableItems(const GlyphTable& table, At at, std::size_t size)
        : table_(&table), at_(at), size_(size) {}
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Item operator[](std::size_t index) const { return at_(*table_, index); }
    iterator begin() const { return {table_, at_, 0}; }
    iterator end() const { return {table_, at_, size_}; }

private:
    const GlyphTable* table_;
    At at_;
    std::size_t size_;
};

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
//
// A user's own table may grow to tens of MB; the table keeps a file's bytes
// as they were read and a few small numbers per pair, so that it costs a few
// times the file. The views it hands out (entries(), find(), shapes()) are
// valid until it changes.
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

    // A pair to add or to write.
    struct Entry {
        std::string signature;
        std::string text;
    };
    // A pair as the table holds it.
    struct Pair {
        std::string_view signature;
        std::string_view text;
    };

    // A known glyph's pixel columns, for explaining ink the map does not know
    // as glyphs that touch or overlap. One per distinct signature.
    struct Shape {
        std::span<const std::uint32_t> columns;
        std::string_view signature;
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
    // The settings a table file gives, without reading it into a table.
    static Settings settingsIn(const std::filesystem::path& file, std::string* problem = nullptr);
    // Every pair of a table file in turn, as readFile() would read it, without
    // keeping the table; `problem` as load() gives it.
    static void forEachPair(const std::filesystem::path& file,
                            const std::function<void(std::string_view signature,
                                                     std::string_view text)>& take,
                            std::string* problem = nullptr);

    // False (and nothing added) for a malformed signature or an empty text.
    bool add(std::string_view signature, std::string_view text);

    static bool isSignature(std::string_view signature);

    bool empty() const { return records_.empty(); }
    std::size_t size() const { return records_.size(); }
    // Longest signature first.
    GlyphTableItems<Pair> entries() const { return {*this, &GlyphTable::entryAt, order_.size()}; }
    std::optional<std::string_view> find(std::string_view signature) const;
    // The text of ink with these column codes: find() of their signature,
    // without writing it out.
    std::optional<std::string_view> find(std::span<const std::uint32_t> columns) const;
    GlyphTableItems<Shape> shapes() const { return {*this, &GlyphTable::shapeAt, shapes_.size()}; }
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
    // One pair read or added: where its two lines lie in blocks_.
    struct Record {
        std::uint32_t block;
        std::uint32_t signatureAt;
        std::uint32_t textAt;
        std::uint16_t signatureLength;
        std::uint16_t textLength;
    };
    struct ShapeRecord {
        std::uint32_t record;
        std::uint32_t columnsAt;  // in columns_; the next shape's start ends it
    };

    static Pair entryAt(const GlyphTable& table, std::size_t index);
    static Shape shapeAt(const GlyphTable& table, std::size_t index);
    std::string_view signatureOf(const Record& record) const;
    std::string_view textOf(const Record& record) const;

    // Copies a pair into the table's own bytes.
    Record store(std::string_view signature, std::string_view text);
    // Orders, maps and shapes the records from `first` on, read just now.
    void index(std::size_t first);
    static std::size_t hashOf(std::string_view signature);
    static std::size_t hashOf(std::span<const std::uint32_t> columns);
    // The slot of a signature in slots_: where it is, or the free one it would take.
    std::size_t slotOf(std::string_view signature, std::size_t hash) const;
    // Makes the record the signature's reading; true when the signature is new.
    bool map(std::uint32_t record);
    void reserveSlots(std::size_t distinct);
    // 1 + the index of the shape made for a new signature; 0 when it has none.
    std::uint32_t addShape(std::uint32_t record);
    // The settings pair may come or change with any read or add.
    void settingsChanged();

    // Files as they were read, and the pairs added or read from streams.
    std::vector<std::string> blocks_;
    // In reading order.
    std::vector<Record> records_;
    // Indexes into records_, longest signature first.
    std::vector<std::uint32_t> order_;
    // Open addressing: 1 + the index of the record each signature reads as
    // (0 when free), beside a part of the signature's hash and 1 + the index
    // of its shape (0 when it has none).
    struct Slot {
        std::uint32_t record = 0;
        std::uint32_t tag = 0;
        std::uint32_t shape = 0;
    };
    std::vector<Slot> slots_;
    std::size_t distinct_ = 0;
    std::vector<ShapeRecord> shapes_;
    std::vector<std::uint32_t> columns_;
    Settings settings_;
    AlikeGlyphs alike_;
};

}  // namespace kestrova
