#include "client/ocr/GlyphTable.h"

#include "common/FileContents.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <utility>

namespace kestrova {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The pairs added or read from a stream are copied into blocks of about this size.
constexpr std::size_t kOwnBlockBytes = 64 * 1024;

// Reads one line without ever holding more than the limit plus one character,
// so a huge line or a binary stream costs no memory. Returns false at the end
// of the input when nothing was read.
bool readBoundedLine(std::streambuf& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool any = false;
    for (;;) {
        const int c = in.sbumpc();
        if (c == std::char_traits<char>::eof()) {
            break;
        }
        any = true;
        if (c == '\n') {
            break;
        }
        // One extra character is kept so that a CR before the LF can be told
        // from content beyond the limit.
        if (line.size() <= GlyphTable::kMaxLineLength) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.size() > GlyphTable::kMaxLineLength) {
        tooLong = true;
    }
    return any;
}

// The next line of bytes read whole, as readBoundedLine reads it.
bool nextLine(std::string_view bytes, std::size_t& at, std::string_view& line, bool& tooLong) {
    if (at >= bytes.size()) {
        return false;
    }
    const void* end = std::memchr(bytes.data() + at, '\n', bytes.size() - at);
    const std::size_t stop =
        end == nullptr ? bytes.size() : static_cast<std::size_t>(static_cast<const char*>(end) - bytes.data());
    line = bytes.substr(at, stop - at);
    at = stop + 1;
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    tooLong = line.size() > GlyphTable::kMaxLineLength;
    return true;
}

// Calls take(signature, text) for every pair the lines give.
template <class NextLine, class Take>
void readPairs(NextLine next, Take take) {
    std::string_view signature;
    std::string_view text;
    bool signatureTooLong = false;
    bool textTooLong = false;
    bool first = true;
    while (next(signature, signatureTooLong)) {
        if (first && signature.starts_with(kByteOrderMark)) {
            signature.remove_prefix(kByteOrderMark.size());
        }
        first = false;
        // A blank line where a signature belongs (a table ending in one, with
        // pairs appended after it) is skipped, so that the pairs stay in step.
        if (signature.empty() && !signatureTooLong) {
            continue;
        }
        if (!next(text, textTooLong)) {
            break;  // a last unpaired signature
        }
        if (signatureTooLong || textTooLong || text.empty() || !GlyphTable::isSignature(signature)) {
            continue;
        }
        take(signature, text);
    }
}

std::string encodeValue(std::string_view value) {
    std::string out;
    for (const char c : value) {
        if (c == ' ') {
            out += "%20";
        } else if (c == ',') {
            out += "%2C";
        } else if (c == '%') {
            out += "%25";
        } else {
            out += c;
        }
    }
    return out;
}

std::string decodeValue(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string_view code = value.substr(i + 1, 2);
        const char decoded = code == "20" ? ' ' : code == "2C" ? ',' : code == "25" ? '%' : '\0';
        if (value[i] == '%' && decoded != '\0') {
            out += decoded;
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::uint32_t narrow(std::size_t value) {
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("glyph table too large");
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

GlyphTable GlyphTable::load(const std::filesystem::path& file, std::string* problem) {
    GlyphTable table;
    table.readFile(file, problem);
    return table;
}

GlyphTable GlyphTable::parse(std::istream& in) {
    GlyphTable table;
    table.read(in);
    return table;
}

bool GlyphTable::readFile(const std::filesystem::path& file, std::string* problem) {
    FileContents contents = readWholeFile(file, kMaxFileBytes);
    if (problem != nullptr) {
        *problem = contents.error;
    }
    if (!contents.read()) {
        return false;
    }
    // The pairs stay where the file's bytes put them: one copy of the file in all.
    const std::uint32_t block = narrow(blocks_.size());
    blocks_.push_back(std::move(contents.bytes));
    const std::string_view bytes = blocks_.back();
    const std::size_t first = records_.size();
    records_.reserve(first + static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) / 2 + 1);
    std::size_t at = 0;
    readPairs([&](std::string_view& line, bool& tooLong) { return nextLine(bytes, at, line, tooLong); },
              [&](std::string_view signature, std::string_view text) {
                  records_.push_back(Record{block, narrow(static_cast<std::size_t>(signature.data() - bytes.data())),
                                            narrow(static_cast<std::size_t>(text.data() - bytes.data())),
                                            static_cast<std::uint16_t>(signature.size()),
                                            static_cast<std::uint16_t>(text.size())});
              });
    if (records_.size() == first) {
        blocks_.pop_back();  // nothing of it is kept
    }
    index(first);
    return true;
}

void GlyphTable::read(std::istream& in) {
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) {
        return;
    }
    // Two lines are needed at once: the signature and its text.
    std::string lines[2];
    int next = 0;
    const std::size_t first = records_.size();
    readPairs(
        [&](std::string_view& line, bool& tooLong) {
            std::string& into = lines[next];
            next = 1 - next;
            const bool any = readBoundedLine(*buffer, into, tooLong);
            line = into;
            return any;
        },
        [&](std::string_view signature, std::string_view text) { records_.push_back(store(signature, text)); });
    index(first);
}

void GlyphTable::forEachPair(const std::filesystem::path& file,
                             const std::function<void(std::string_view, std::string_view)>& take,
                             std::string* problem) {
    const FileContents contents = readWholeFile(file, kMaxFileBytes);
    if (problem != nullptr) {
        *problem = contents.error;
    }
    std::size_t at = 0;
    readPairs([&](std::string_view& line, bool& tooLong) { return nextLine(contents.bytes, at, line, tooLong); },
              take);
}

GlyphTable::Settings GlyphTable::settingsIn(const std::filesystem::path& file, std::string* problem) {
    std::optional<std::string> settings;
    forEachPair(
        file,
        [&](std::string_view signature, std::string_view text) {
            if (signature == kSettingsSignature) {
                settings = std::string(text);
            }
        },
        problem);
    return settings ? Settings::parse(*settings) : Settings{};
}

bool GlyphTable::add(std::string_view signature, std::string_view text) {
    if (text.empty() || !isSignature(signature) ||
        std::max(signature.size(), text.size()) > std::numeric_limits<std::uint16_t>::max()) {
        return false;
    }
    records_.push_back(store(signature, text));
    const auto index = narrow(records_.size() - 1);
    map(index);
    // Before the first shorter signature: after the equal ones read before.
    const auto before = std::partition_point(order_.begin(), order_.end(), [&](std::uint32_t r) {
        return records_[r].signatureLength >= signature.size();
    });
    order_.insert(before, index);
    if (signature == kSettingsSignature) {
        settingsChanged();
    }
    return true;
}

GlyphTable::Record GlyphTable::store(std::string_view signature, std::string_view text) {
    const std::size_t need = signature.size() + text.size();
    // A large block (a file read whole) is left as it is: growing it would copy it.
    if (blocks_.empty() || blocks_.back().size() + need > kOwnBlockBytes) {
        blocks_.emplace_back();
    }
    std::string& block = blocks_.back();
    const Record record{narrow(blocks_.size() - 1), narrow(block.size()), narrow(block.size() + signature.size()),
                        static_cast<std::uint16_t>(signature.size()), static_cast<std::uint16_t>(text.size())};
    block.append(signature);
    block.append(text);
    return record;
}

void GlyphTable::index(std::size_t first) {
    if (first == records_.size()) {
        return;
    }
    // Collected first and sorted once; inserting each in place would be
    // quadratic for tables with thousands of touching-pair entries.
    std::vector<std::uint32_t> added(records_.size() - first);
    for (std::size_t i = 0; i < added.size(); ++i) {
        added[i] = narrow(first + i);
    }
    const auto longerFirst = [this](std::uint32_t a, std::uint32_t b) {
        return records_[a].signatureLength > records_[b].signatureLength;
    };
    std::stable_sort(added.begin(), added.end(), longerFirst);
    // Sized once: growing step by step would hash every signature again.
    reserveSlots(distinct_ + added.size());
    // The shapes too (at most one per signature, a code per comma): growing
    // them by doubling would leave up to half of them unused.
    std::size_t columns = 0;
    for (const std::uint32_t record : added) {
        const std::string_view signature = signatureOf(records_[record]);
        columns += static_cast<std::size_t>(std::count(signature.begin(), signature.end(), ','));
    }
    shapes_.reserve(shapes_.size() + added.size());
    columns_.reserve(columns_.size() + columns);
    for (const std::uint32_t record : added) {
        map(record);
    }
    std::vector<std::uint32_t> merged;
    merged.reserve(order_.size() + added.size());
    // Equal lengths: the entries already present come first.
    std::merge(order_.begin(), order_.end(), added.begin(), added.end(), std::back_inserter(merged),
               longerFirst);
    order_ = std::move(merged);
    settingsChanged();
}

std::string_view GlyphTable::signatureOf(const Record& record) const {
    return std::string_view(blocks_[record.block]).substr(record.signatureAt, record.signatureLength);
}

std::string_view GlyphTable::textOf(const Record& record) const {
    return std::string_view(blocks_[record.block]).substr(record.textAt, record.textLength);
}

GlyphTable::Pair GlyphTable::entryAt(const GlyphTable& table, std::size_t index) {
    const Record& record = table.records_[table.order_[index]];
    return Pair{table.signatureOf(record), table.textOf(record)};
}

GlyphTable::Shape GlyphTable::shapeAt(const GlyphTable& table, std::size_t index) {
    const ShapeRecord& shape = table.shapes_[index];
    const std::size_t end =
        index + 1 < table.shapes_.size() ? table.shapes_[index + 1].columnsAt : table.columns_.size();
    return Shape{std::span<const std::uint32_t>(table.columns_).subspan(shape.columnsAt, end - shape.columnsAt),
                 table.signatureOf(table.records_[shape.record])};
}

namespace {

// Signatures are hashed by their column codes, so that ink can be looked up by
// its codes without writing them out as text first.
std::uint64_t withColumn(std::uint64_t hash, std::uint64_t code) {
    return (hash ^ code) * 0x9e3779b97f4a7c15u + 0x632be59bd9b4e019u;
}

// Every bit of the hash stirs both halves: the slot takes the lower, the tag the upper.
std::size_t finished(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdu;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53u;
    hash ^= hash >> 33;
    return static_cast<std::size_t>(hash);
}

}  // namespace

std::size_t GlyphTable::hashOf(std::string_view signature) {
    // Codes past 64 bits wrap; such a signature is still hashed the same each time.
    std::uint64_t hash = 0;
    std::uint64_t code = 0;
    for (const char c : signature) {
        if (c == ',') {
            hash = withColumn(hash, code);
            code = 0;
        } else {
            code = code * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    return finished(hash);
}

std::size_t GlyphTable::hashOf(std::span<const std::uint32_t> columns) {
    std::uint64_t hash = 0;
    for (const std::uint32_t code : columns) {
        hash = withColumn(hash, code);
    }
    return finished(hash);
}

std::size_t GlyphTable::slotOf(std::string_view signature, std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    // The hash's upper half told apart first: most probes then need no look at the bytes.
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& held = slots_[slot];
        if (held.record == 0 || (held.tag == tag && signatureOf(records_[held.record - 1]) == signature)) {
            return slot;
        }
    }
}

bool GlyphTable::map(std::uint32_t record) {
    reserveSlots(distinct_ + 1);
    const std::string_view signature = signatureOf(records_[record]);
    const std::size_t hash = hashOf(signature);
    Slot& slot = slots_[slotOf(signature, hash)];
    const bool fresh = slot.record == 0;
    slot.record = record + 1;
    slot.tag = static_cast<std::uint32_t>(hash >> 32);
    if (fresh) {
        ++distinct_;
        slot.shape = addShape(record);
    }
    return fresh;
}

void GlyphTable::reserveSlots(std::size_t distinct) {
    // At most half full, so that probes stay short.
    if (distinct * 2 <= slots_.size()) {
        return;
    }
    std::size_t size = 16;
    while (size < distinct * 2) {
        size *= 2;
    }
    const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(size));
    const std::size_t mask = size - 1;
    for (const Slot& held : old) {
        if (held.record == 0) {
            continue;
        }
        // Every signature is there once: the first free slot is its own.
        std::size_t slot = hashOf(signatureOf(records_[held.record - 1])) & mask;
        while (slots_[slot].record != 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = held;
    }
}

std::uint32_t GlyphTable::addShape(std::uint32_t record) {
    const std::size_t start = columns_.size();
    std::uint64_t code = 0;
    for (const char c : signatureOf(records_[record])) {
        if (c != ',') {
            code = code * 10 + static_cast<std::uint64_t>(c - '0');
        }
        // An empty column cannot be part of one run of ink.
        if (code > 0xffffffffu || (c == ',' && code == 0)) {
            columns_.resize(start);
            return 0;
        }
        if (c == ',') {
            columns_.push_back(static_cast<std::uint32_t>(code));
            code = 0;
        }
    }
    shapes_.push_back(ShapeRecord{record, narrow(start)});
    return narrow(shapes_.size());
}

void GlyphTable::settingsChanged() {
    const std::optional<std::string_view> text = find(kSettingsSignature);
    settings_ = text ? Settings::parse(*text) : Settings{};
    alike_ = AlikeGlyphs(settings_.alike);
}

GlyphTable::Settings GlyphTable::Settings::parse(std::string_view text) {
    Settings settings;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        end = end == std::string_view::npos ? text.size() : end;
        const std::string_view token = text.substr(start, end - start);
        const auto number = [&token](std::string_view key, int low, int high) -> std::optional<int> {
            if (!token.starts_with(key) || token.size() == key.size() || token.size() > key.size() + 3 ||
                !std::all_of(token.begin() + static_cast<std::ptrdiff_t>(key.size()), token.end(),
                             [](char c) { return c >= '0' && c <= '9'; })) {
                return std::nullopt;
            }
            const int value = std::stoi(std::string(token.substr(key.size())));
            return value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
        };
        if (const auto gap = number("gap=", 1, 100)) {
            settings.wordGap = gap;
        } else if (const auto percent = number("smooth=", 5, 95)) {
            settings.smoothPercent = percent;
        } else if (token.starts_with("font=") && token.size() > 5) {
            settings.font = decodeValue(token.substr(5));
        } else if (token.starts_with("alike=")) {
            std::string_view groups = token.substr(6);
            while (!groups.empty()) {
                const std::size_t comma = std::min(groups.find(','), groups.size());
                if (comma > 0) {
                    settings.alike.push_back(decodeValue(groups.substr(0, comma)));
                }
                groups.remove_prefix(std::min(comma + 1, groups.size()));
            }
        }
        start = end + 1;
    }
    return settings;
}

std::string GlyphTable::Settings::format() const {
    std::string text = wordGap ? "gap=" + std::to_string(*wordGap) : std::string();
    if (smoothPercent) {
        text += (text.empty() ? "smooth=" : " smooth=") + std::to_string(*smoothPercent);
    }
    if (font) {
        text += (text.empty() ? "font=" : " font=") + encodeValue(*font);
    }
    if (!alike.empty()) {
        text += text.empty() ? "alike=" : " alike=";
        for (std::size_t i = 0; i < alike.size(); ++i) {
            text += (i == 0 ? "" : ",") + encodeValue(alike[i]);
        }
    }
    return text;
}

std::vector<std::uint32_t> GlyphTable::columnsOf(std::string_view signature) {
    std::vector<std::uint32_t> columns;
    std::uint64_t code = 0;
    for (const char c : signature) {
        if (c == ',') {
            columns.push_back(static_cast<std::uint32_t>(code));
            code = 0;
        } else if (c >= '0' && c <= '9') {
            code = code * 10 + static_cast<std::uint64_t>(c - '0');
            if (code > 0xffffffffu) {
                return {};
            }
        } else {
            return {};
        }
    }
    return columns;
}

bool GlyphTable::isSignature(std::string_view signature) {
    if (signature.empty() || signature.back() != ',') {
        return false;
    }
    bool digitBefore = false;
    for (const char c : signature) {
        if (c >= '0' && c <= '9') {
            digitBefore = true;
        } else if (c == ',' && digitBefore) {
            digitBefore = false;
        } else {
            return false;
        }
    }
    return true;
}

std::optional<std::string_view> GlyphTable::find(std::string_view signature) const {
    if (slots_.empty()) {
        return std::nullopt;
    }
    const std::uint32_t held = slots_[slotOf(signature, hashOf(signature))].record;
    return held == 0 ? std::nullopt : std::optional<std::string_view>(textOf(records_[held - 1]));
}

std::optional<std::string_view> GlyphTable::find(std::span<const std::uint32_t> columns) const {
    if (slots_.empty()) {
        return std::nullopt;
    }
    const std::size_t mask = slots_.size() - 1;
    const std::size_t hash = hashOf(columns);
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& held = slots_[slot];
        if (held.record == 0) {
            return std::nullopt;
        }
        // Ink never has an empty column, so every signature it can match has a shape.
        if (held.tag == tag && held.shape != 0 &&
            std::ranges::equal(shapeAt(*this, held.shape - 1).columns, columns)) {
            return textOf(records_[held.record - 1]);
        }
    }
}

}  // namespace kestrova
