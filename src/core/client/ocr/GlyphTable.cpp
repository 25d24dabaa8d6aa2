#include "client/ocr/GlyphTable.h"

#include "common/FileContents.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace kestrova {

namespace {

// Reads one line into `line` without ever holding more than the limit plus one
// character, so a huge line or a binary file costs no memory. Returns false at
// the end of the input when nothing was read.
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
    std::istringstream in(std::move(contents.bytes));
    read(in);
    return true;
}

void GlyphTable::read(std::istream& in) {
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) {
        return;
    }
    // Pairs are collected first and sorted once; inserting each in place
    // would be quadratic for tables with thousands of touching-pair entries.
    std::vector<Entry> added;
    std::string signature;
    std::string text;
    bool signatureTooLong = false;
    bool textTooLong = false;
    bool first = true;
    while (readBoundedLine(*buffer, signature, signatureTooLong)) {
        if (first && signature.starts_with("\xEF\xBB\xBF")) {
            signature.erase(0, 3);
        }
        first = false;
        // A blank line where a signature belongs (a table ending in one, with
        // pairs appended after it) is skipped, so that the pairs stay in step.
        if (signature.empty() && !signatureTooLong) {
            continue;
        }
        if (!readBoundedLine(*buffer, text, textTooLong)) {
            break;  // a last unpaired signature
        }
        if (signatureTooLong || textTooLong || text.empty() || !isSignature(signature)) {
            continue;
        }
        added.push_back(Entry{signature, text});
    }

    std::stable_sort(added.begin(), added.end(), [](const Entry& a, const Entry& b) {
        return a.signature.size() > b.signature.size();
    });
    for (const Entry& entry : added) {
        if (map_.insert_or_assign(entry.signature, entry.text).second) {
            addShape(entry.signature);
        }
    }
    std::vector<Entry> merged;
    merged.reserve(entries_.size() + added.size());
    // Equal lengths: the entries already present come first.
    std::merge(std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
               std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()),
               std::back_inserter(merged), [](const Entry& a, const Entry& b) {
                   return a.signature.size() > b.signature.size();
               });
    entries_ = std::move(merged);
    settingsChanged();
}

bool GlyphTable::add(std::string signature, std::string text) {
    if (text.empty() || !isSignature(signature)) {
        return false;
    }
    const auto before = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.signature.size() < signature.size();
    });
    if (map_.insert_or_assign(signature, text).second) {
        addShape(signature);
    }
    const bool settings = signature == kSettingsSignature;
    entries_.insert(before, Entry{std::move(signature), std::move(text)});
    if (settings) {
        settingsChanged();
    }
    return true;
}

void GlyphTable::addShape(const std::string& signature) {
    std::vector<std::uint32_t> columns = columnsOf(signature);
    // An empty column cannot be part of one run of ink.
    if (columns.empty() || std::find(columns.begin(), columns.end(), 0u) != columns.end()) {
        return;
    }
    shapes_.push_back(Shape{std::move(columns), signature});
}

void GlyphTable::settingsChanged() {
    const std::string* text = find(kSettingsSignature);
    settings_ = text == nullptr ? Settings{} : Settings::parse(*text);
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

const std::string* GlyphTable::find(std::string_view signature) const {
    const auto it = map_.find(signature);
    return it == map_.end() ? nullptr : &it->second;
}

}  // namespace kestrova
