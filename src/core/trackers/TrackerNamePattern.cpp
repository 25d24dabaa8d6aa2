#include "trackers/TrackerNamePattern.h"

#include "common/Text.h"

#include <cstddef>

namespace kestrova {

namespace {

// Length of the valid UTF-8 sequence at text[i], or 0.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    }
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
        return 0;  // overlong forms, surrogates, beyond U+10FFFF
    return length;
}

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isLikeSpecial(char c) {
    return c == '%' || c == '_' || c == '\\';
}

// Calls f(character) for every UTF-8 character of valid UTF-8 text.
template <typename F>
void forEachCharacter(std::string_view utf8, F f) {
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = utf8SequenceLength(utf8, i);
        if (length == 0)
            length = 1;
        f(utf8.substr(i, length));
        i += length;
    }
}

void appendLiteral(std::string& pattern, std::string_view character) {
    if (character.size() == 1 && isLikeSpecial(character[0]))
        pattern += '\\';
    pattern += character;
}

}  // namespace

std::string screenNameAsUtf8(std::string_view name) {
    if (isValidUtf8(name))
        return std::string(name);
    std::string out;
    out.reserve(name.size() * 2);
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::string alteredTrackerName(std::string_view name) {
    const std::string utf8 = screenNameAsUtf8(name);
    std::string out;
    out.reserve(utf8.size());
    bool first = true;
    forEachCharacter(utf8, [&](std::string_view character) {
        if (first) {
            out += character;
            first = false;
            return;
        }
        const char c = character[0];
        const bool keep = character.size() == 1 && isAsciiAlnum(c) && c != 'l' && c != 'I';
        out += keep ? c : '_';
    });
    return out;
}

std::string trackerNamePattern(std::string_view name) {
    const std::string altered = alteredTrackerName(name);
    std::string pattern = "%";
    pattern.reserve(altered.size() + 2);
    bool first = true;
    forEachCharacter(altered, [&](std::string_view character) {
        if (first) {
            appendLiteral(pattern, character);
            first = false;
        } else {
            pattern += character;  // letters, digits and the "_" wildcard
        }
    });
    return pattern;
}

std::string pokerTracker2NamePattern(std::string_view name) {
    const std::string utf8 = screenNameAsUtf8(name);
    const std::string_view trimmed = trimBlanks(utf8);
    std::string pattern;
    pattern.reserve(trimmed.size() + 8);
    forEachCharacter(trimmed, [&](std::string_view character) {
        if (character == "l" || character == "I")
            pattern += '_';
        else
            appendLiteral(pattern, character);
    });
    return pattern;
}

}  // namespace kestrova
