#include "client/ocr/AlikeGlyphs.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace kestrova {

namespace {

bool isLower(char c) {
    return std::islower(static_cast<unsigned char>(c)) != 0;
}
bool isUpper(char c) {
    return std::isupper(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool isLetter(char c) {
    return isLower(c) || isUpper(c);
}

}  // namespace

AlikeGlyphs::AlikeGlyphs(const std::vector<std::string>& groups) {
    groupOf_.fill(-1);
    for (const std::string& group : groups) {
        // Only single-byte characters: the groups that matter are ASCII.
        if (group.size() < 2 || std::any_of(group.begin(), group.end(), [](char c) {
                return (static_cast<unsigned char>(c) & 0x80u) != 0;
            })) {
            continue;
        }
        const int index = static_cast<int>(groups_.size());
        groups_.push_back(group);
        for (const char c : group) {
            groupOf_[static_cast<unsigned char>(c)] = index;
        }
    }
}

char AlikeGlyphs::choose(const std::string& group, char before, char after, bool firstOfRun) const {
    const auto pick = [&](bool (*kind)(char)) -> char {
        const auto it = std::find_if(group.begin(), group.end(), kind);
        return it == group.end() ? '\0' : *it;
    };
    const char lower = pick(isLower);
    const char upper = pick(isUpper);
    const char digit = pick(isDigit);
    char chosen = '\0';
    if (digit != '\0' && (isDigit(before) || isDigit(after) || (!isLetter(before) && !isLetter(after)))) {
        chosen = digit;
    } else if (isLower(before)) {
        chosen = lower;
    } else if (!isLetter(before)) {
        chosen = isLower(after) && !firstOfRun ? lower : upper;
    } else {  // after a capital
        chosen = isLower(after) ? lower : upper;
    }
    return chosen != '\0' ? chosen : group.front();
}

std::string AlikeGlyphs::decided(std::string_view text) const {
    std::string out(text);
    if (groups_.empty()) {
        return out;
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int group = groupOf_[static_cast<unsigned char>(out[i])];
        if (group < 0) {
            continue;
        }
        // Before: what is decided already; after: the next glyph drawn unlike any other.
        const char before = i == 0 ? '\0' : out[i - 1];
        char after = '\0';
        for (std::size_t j = i + 1; j < out.size(); ++j) {
            if (!isLetter(out[j]) && !isDigit(out[j]) && groupOf_[static_cast<unsigned char>(out[j])] < 0) {
                break;  // the word ends
            }
            if (groupOf_[static_cast<unsigned char>(out[j])] < 0) {
                after = out[j];
                break;
            }
        }
        const bool firstOfRun = i == 0 || groupOf_[static_cast<unsigned char>(out[i - 1])] < 0;
        out[i] = choose(groups_[static_cast<std::size_t>(group)], before, after, firstOfRun);
    }
    return out;
}

std::vector<std::string> AlikeGlyphs::alternatives(std::string_view text) const {
    const std::string best = decided(text);
    std::vector<std::string> spellings{best};
    for (std::size_t i = 0; i < best.size(); ++i) {
        const int group = groupOf_[static_cast<unsigned char>(best[i])];
        if (group < 0) {
            continue;
        }
        const std::size_t known = spellings.size();
        for (std::size_t k = 0; k < known && spellings.size() < kMaxSpellings; ++k) {
            for (const char other : groups_[static_cast<std::size_t>(group)]) {
                if (other != best[i] && spellings.size() < kMaxSpellings) {
                    std::string spelling = spellings[k];
                    spelling[i] = other;
                    spellings.push_back(std::move(spelling));
                }
            }
        }
    }
    spellings.erase(spellings.begin());
    return spellings;
}

}  // namespace kestrova
