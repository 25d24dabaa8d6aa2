#include "settings/IniDocument.h"

#include <vector>

#include "common/Text.h"

namespace kestrova {

namespace {

struct LineSpan {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;  // before the line break
    std::size_t end = 0;         // after the line break
    bool hasBreak = false;       // false only for a last line without one
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Lines end at "\r\n", "\n" or a lone "\r" (files edited on other systems mix
// them). A byte-order mark before the first line is no part of it.
std::vector<LineSpan> splitLines(std::string_view text) {
    std::vector<LineSpan> lines;
    std::size_t begin = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (begin < text.size()) {
        const std::size_t stop = text.find_first_of("\r\n", begin);
        LineSpan line;
        line.begin = begin;
        line.hasBreak = stop != std::string_view::npos;
        line.contentEnd = line.hasBreak ? stop : text.size();
        line.end = !line.hasBreak ? text.size()
                   : (text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n')
                       ? stop + 2
                       : stop + 1;
        lines.push_back(line);
        begin = line.end;
    }
    return lines;
}

// The first line break of the text, to be used for added lines; "\n" for none.
std::string_view lineBreakOf(std::string_view text) {
    const std::size_t stop = text.find_first_of("\r\n");
    if (stop == std::string_view::npos || text[stop] == '\n') {
        return "\n";
    }
    return (stop + 1 < text.size() && text[stop + 1] == '\n') ? "\r\n" : "\r";
}

// The section name of a header line, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view content) {
    content = trimBlanks(content);
    if (content.empty() || content.front() != '[') {
        return std::nullopt;
    }
    content.remove_prefix(1);
    const std::size_t close = content.find(']');
    return trimBlanks(content.substr(0, close));
}

// Position of the '=' of a key line, or npos for a line that holds no key.
std::size_t equalsOf(std::string_view content) {
    const std::string_view trimmed = trimBlanks(content);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#' ||
        trimmed.front() == '[') {
        return std::string_view::npos;
    }
    return content.find('=');
}

struct Location {
    std::optional<std::size_t> sectionLine;
    std::optional<std::size_t> keyLine;
    std::size_t lastKeyLine = 0;  // the header when the section holds no key
};

Location locate(std::string_view text, const std::vector<LineSpan>& lines, std::string_view section,
                std::string_view key) {
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view content =
            text.substr(lines[i].begin, lines[i].contentEnd - lines[i].begin);
        if (const auto name = sectionName(content)) {
            if (where.sectionLine) {
                break;  // only the first section of the name counts
            }
            if (equalIgnoringAsciiCase(*name, section)) {
                where.sectionLine = i;
                where.lastKeyLine = i;
            }
            continue;
        }
        if (!where.sectionLine) {
            continue;
        }
        const std::size_t equals = equalsOf(content);
        if (equals == std::string_view::npos) {
            continue;
        }
        where.lastKeyLine = i;
        if (!where.keyLine && equalIgnoringAsciiCase(trimBlanks(content.substr(0, equals)), key)) {
            where.keyLine = i;
        }
    }
    return where;
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

bool validName(std::string_view name) {
    return !name.empty() && trimBlanks(name) == name && !hasLineBreak(name);
}

}  // namespace

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const std::vector<LineSpan> lines = splitLines(text_);
    const Location where = locate(text_, lines, section, key);
    if (!where.keyLine) {
        return std::nullopt;
    }
    const LineSpan& line = lines[*where.keyLine];
    const std::string_view content =
        std::string_view(text_).substr(line.begin, line.contentEnd - line.begin);
    std::string_view value = trimBlanks(content.substr(content.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    if (!validName(section) || section.find(']') != section.npos || !validName(key) ||
        key.find('=') != key.npos || key.front() == '[' || key.front() == ';' ||
        key.front() == '#' || hasLineBreak(value)) {
        return false;
    }
    const std::string_view eol = lineBreakOf(text_);

    const std::vector<LineSpan> lines = splitLines(text_);
    const Location where = locate(text_, lines, section, key);

    if (where.keyLine) {
        // Keep the key as spelled in the file and the blanks after '='.
        const LineSpan& line = lines[*where.keyLine];
        const std::string_view content =
            std::string_view(text_).substr(line.begin, line.contentEnd - line.begin);
        std::size_t valueStart = content.find('=') + 1;
        while (valueStart < content.size() &&
               (content[valueStart] == ' ' || content[valueStart] == '\t')) {
            ++valueStart;
        }
        text_.replace(line.begin + valueStart, content.size() - valueStart, value);
        return true;
    }

    std::string entry(key);
    entry += '=';
    entry += value;
    if (where.sectionLine) {
        const LineSpan& after = lines[where.lastKeyLine];
        if (!after.hasBreak) {
            text_.insert(after.end, std::string(eol) + entry);
        } else {
            text_.insert(after.end, entry + std::string(eol));
        }
        return true;
    }

    if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r' && text_ != kByteOrderMark) {
        text_ += eol;
    }
    text_ += '[';
    text_ += section;
    text_ += ']';
    text_ += eol;
    text_ += entry;
    text_ += eol;
    return true;
}

}  // namespace kestrova
