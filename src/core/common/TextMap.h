#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kestrova {

// Hashes any text type alike, so that a map keyed by std::string is searched
// with a std::string_view without building a string first.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

// Exact-text index (case-sensitive, whole string), for the lists that are
// searched by name once per lobby row or seat: a linear search there makes a
// scan quadratic in the lobby's size.
template <typename Value>
using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

}  // namespace kestrova
