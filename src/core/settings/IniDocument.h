#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kestrova {

// The text of an INI file, read and edited the way the platform's
// private-profile functions do:
// - a section starts at a line "[name]"; the first section of a name counts;
// - inside it "key=value" lines, blanks around key and value ignored, a value
//   in matching single or double quotes loses them; the first line of a key
//   counts; lines starting with ';' or '#' and lines without '=' are no keys;
// - names match ignoring case;
// - lines end at CR LF, LF or a lone CR, and a UTF-8 byte-order mark at the
//   start is skipped (added lines take the file's first line break).
// An edit changes one line (or adds one) and keeps every other byte, including
// the line-end style, comments and other sections.
class IniDocument final {
public:
    explicit IniDocument(std::string text) : text_(std::move(text)) {}

    // The value of the key in the section; nullopt when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets the key's value: rewrites its line, or adds the key at the end of
    // the section, or adds the section at the end of the text. False, changing
    // nothing, for a name or value the format cannot hold (empty or blank-edged
    // name, '=' or '[' in a key, a line break anywhere).
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace kestrova
