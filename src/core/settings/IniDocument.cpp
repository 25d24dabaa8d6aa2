#include "settings/IniDocument.h"

#include <vector>

#include "common/Text.h"

namespace kestrova {

namespace {

struct LineSpan {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;  // before "\r\n" or "\n" (or a "\r" ending the text)
    std::size_t end = 0;         // after the line break
    bool hasBreak = false;       // false only for a last line without "\n"
};

std::vector<LineSpan> splitLines(std::string_view text) {
    std::vector<LineSpan> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t newline = text.find('\n', begin);
        LineSpan line;
        line.begin = begin;
        const std::size_t stop = newline == std::string_view::npos ? text.size() : newline;
        line.contentEnd = (stop > begin && text[stop - 1] == '\r') ? stop - 1 : stop;
        line.hasBreak = newline != std::string_view::npos;
        line.end = line.hasBreak ? newline + 1 : text.size();
        lines.push_back(line);
        begin = line.end;
    }
    return lines;
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
    const std::size_t firstNewline = text_.find('\n');
    const std::string_view eol =
        (firstNewline != std::string::npos && firstNewline > 0 && text_[firstNewline - 1] == '\r')
            ? "\r\n"
            : "\n";

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

    // A bare CR ending the text becomes part of the line break we add.
    const std::string_view breakAtEnd = (!text_.empty() && text_.back() == '\r') ? "\n" : eol;

    std::string entry(key);
    entry += '=';
    entry += value;
    if (where.sectionLine) {
        const LineSpan& after = lines[where.lastKeyLine];
        if (!after.hasBreak) {
            text_.insert(after.end, std::string(breakAtEnd) + entry);
        } else {
            text_.insert(after.end, entry + std::string(eol));
        }
        return true;
    }

    if (!text_.empty() && text_.back() != '\n') {
        text_ += breakAtEnd;
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
