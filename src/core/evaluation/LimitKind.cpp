#include "evaluation/LimitKind.h"

#include <array>

namespace kestrova {

namespace {

// Letters only, in lower case: "Pot-Limit" and "pot limit" read alike.
std::string squeezed(std::string_view text) {
    std::string letters;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z') {
            letters.push_back(static_cast<char>(c - 'A' + 'a'));
        } else if (c >= 'a' && c <= 'z') {
            letters.push_back(c);
        }
    }
    return letters;
}

struct Form {
    std::string_view letters;
    std::string_view kind;
};

constexpr std::array<Form, 7> kForms = {{
    {"fl", "Limit"},
    {"limit", "Limit"},
    {"fixedlimit", "Limit"},
    {"nl", "No Limit"},
    {"nolimit", "No Limit"},
    {"pl", "Pot Limit"},
    {"potlimit", "Pot Limit"},
}};

std::string kindOfWords(std::string_view text) {
    const std::string letters = squeezed(text);
    for (const Form& form : kForms) {
        if (letters == form.letters) {
            return std::string(form.kind);
        }
    }
    return {};
}

// The first `count` blank-separated words of a text.
std::string_view firstWords(std::string_view text, int count) {
    std::size_t end = 0;
    for (int word = 0; word < count; ++word) {
        const std::size_t start = text.find_first_not_of(' ', end);
        if (start == std::string_view::npos) {
            break;
        }
        end = text.find(' ', start);
        if (end == std::string_view::npos) {
            return text;
        }
    }
    return text.substr(0, end);
}

}  // namespace

std::string limitKindFromText(std::string_view text) {
    // The whole text ("NL", "Pot Limit"), else its lead words as in "NL
    // Hold'em", "No Limit Hold'em" or "Limit Omaha".
    for (int words : {0, 2, 1}) {
        const std::string kind = kindOfWords(words == 0 ? text : firstWords(text, words));
        if (!kind.empty()) {
            return kind;
        }
    }
    return {};
}

std::string limitKindFromLobby(const LobbyEntry& entry) {
    std::string kind = limitKindFromText(entry.extra);
    if (kind.empty()) {
        kind = limitKindFromText(entry.game);
    }
    return kind;
}

}  // namespace kestrova
