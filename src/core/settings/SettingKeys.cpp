#include "settings/SettingKeys.h"

#include <array>
#include <charconv>
#include <limits>
#include <utility>

#include "common/NumberText.h"
#include "common/Text.h"

namespace kestrova {

namespace {

#define KESTROVA_LIST_INT_KEY(name, dflt, group, rule) SettingKey{keys::name},
#define KESTROVA_LIST_TEXT_KEY(name, dflt, buffer, group, rule) SettingKey{keys::name},
const std::array kAllKeys{KESTROVA_SETTING_KEYS(KESTROVA_LIST_INT_KEY, KESTROVA_LIST_TEXT_KEY)};
#undef KESTROVA_LIST_INT_KEY
#undef KESTROVA_LIST_TEXT_KEY

// The keys whose values the program bounds (the options dialog's fields, the
// table score's own checks); a value outside would be read as the default.
const std::array<std::pair<std::string_view, SettingRange>, 11> kRanges{{
    {keys::delay.name, {100, 10000}},
    {keys::scan.name, {100, 10000}},
    {keys::cache.name, {120, 1000000}},
    {keys::historydays.name, {0, 3650}},
    {keys::weakvpip.name, {1, 99}},
    {keys::priorvpip.name, {1, 99}},
    {keys::priorhands.name, {1, 100000}},
    {keys::goodscore.name, {0, 10, true}},
    {keys::profilhands.name, {0, 99999999}},
    {keys::scanint.name, {0, 60}},
    {keys::lookuptimeout.name, {1, std::numeric_limits<int>::max()}},
}};

std::string rangeText(const SettingRange& range) {
    const auto number = [](double value) {
        char text[32];
        const auto [end, error] = std::to_chars(text, text + sizeof text, value);
        return std::string(text, error == std::errc() ? end : text);
    };
    return (range.decimal ? "a number from " : "a decimal integer from ") +
           number(range.minimum) + " to " + number(range.maximum);
}

// The number a value stands for: all of it, or for a typed number its
// leading digits; nothing when there is none or it does not fit.
std::optional<double> storedNumber(SettingRule rule, const SettingRange& range,
                                   std::string_view value) {
    if (range.decimal)
        return parseNumber(value);
    int whole = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, error] = std::from_chars(value.data(), end, whole);
    if (error != std::errc() || (ptr != end && rule != SettingRule::TypedNumber))
        return std::nullopt;
    return whole;
}

}  // namespace

std::span<const SettingKey> allSettingKeys() {
    return kAllKeys;
}

const SettingKey* findSettingKey(std::string_view name) {
    for (const SettingKey& key : kAllKeys) {
        if (equalIgnoringAsciiCase(settingName(key), name)) {
            return &key;
        }
    }
    return nullptr;
}

std::string_view settingName(const SettingKey& key) {
    return std::visit([](const auto& k) { return k.name; }, key);
}

SettingGroup settingGroup(const SettingKey& key) {
    return std::visit([](const auto& k) { return k.group; }, key);
}

SettingRule settingRule(const SettingKey& key) {
    return std::visit([](const auto& k) { return k.rule; }, key);
}

std::optional<SettingRange> settingRange(const SettingKey& key) {
    for (const auto& [name, range] : kRanges) {
        if (name == settingName(key))
            return range;
    }
    switch (settingRule(key)) {
        case SettingRule::Integer:
        case SettingRule::TypedNumber:
            return SettingRange{std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
        case SettingRule::Flag:
        case SettingRule::ExactFlag:
        case SettingRule::Text:
            break;
    }
    return std::nullopt;
}

bool connectionHoldsPassword(std::string_view connection) {
    if (lowerAsciiText(connection).find("password") != std::string::npos)
        return true;
    const std::size_t scheme = connection.find("://");
    if (scheme == std::string_view::npos)
        return false;
    const std::string_view rest = connection.substr(scheme + 3);
    const std::size_t at = rest.find('@');
    return at != std::string_view::npos && rest.substr(0, at).find(':') != std::string_view::npos;
}

std::string settingValueRefusal(const SettingKey& key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return "a value must fit on one line";
    const SettingRule rule = settingRule(key);
    if (rule == SettingRule::Flag || rule == SettingRule::ExactFlag)
        return (value == "0" || value == "1") ? "" : "a flag takes 0 or 1";
    const std::optional<SettingRange> range = settingRange(key);
    if (!range)
        return "";
    const std::optional<double> number = storedNumber(rule, *range, value);
    if (number && *number >= range->minimum && *number <= range->maximum)
        return "";
    return "this key takes " + rangeText(*range);
}

}  // namespace kestrova
