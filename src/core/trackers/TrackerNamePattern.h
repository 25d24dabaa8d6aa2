#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// How a screen name becomes a LIKE pattern. Screen names come from the screen
// reader and from files as 8-bit text: text that is valid UTF-8 is taken as
// UTF-8, anything else as Latin-1, and converted to UTF-8 (the client encoding
// of every connection), so that one screen character is one pattern character.
//
// The patterns returned here are LIKE patterns with backslash as the escape
// character, not yet quoted for a statement: they still go through the
// connection's string escaping.

// The name as UTF-8 (see above).
std::string screenNameAsUtf8(std::string_view name);

// The name with every character from the second one on replaced by "_" when it
// is an apostrophe, is not an ASCII letter or digit, or is "l" or "I". The
// first character is kept. The aggregator stores names in this form.
std::string alteredTrackerName(std::string_view name);

// "%" followed by the altered name; the first character matches only itself
// (a leading "%", "_" or backslash is escaped), so the pattern finds every
// name that ends in the name as read, with odd characters and l/I confusion
// matching any character.
std::string trackerNamePattern(std::string_view name);

// PokerTracker 2's search pattern: the name trimmed of surrounding blanks with
// every "l" and "I" replaced by "_" and no "%"; every other character matches
// only itself.
std::string pokerTracker2NamePattern(std::string_view name);

}  // namespace kestrova
