#include "rating/AutorateIcons.h"

#include "common/TranslatableText.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

#include <utility>

namespace kestrova {

namespace {

constexpr std::array<std::string_view, AutorateIcons::kCount> kBuiltInLabels = {
    "No",  "Default", "LPP", "TAA",      "SLAA", "SLAP", "TAP", "SLPA",
    "LAP", "TPA",     "LAA", "Not Sure", "SLPP", "TPP",  "LPA", "TA"};

// Icons 0 and 1 keep their labels.
constexpr std::array<const TextKey*, AutorateIcons::kCount> kLabelKeys = {nullptr,
                                                                          nullptr,
                                                                          &keys::FishIcon,
                                                                          &keys::MoneyIcon,
                                                                          &keys::UserDefined1,
                                                                          &keys::UserDefined2,
                                                                          &keys::UserDefined3,
                                                                          &keys::BombIcon,
                                                                          &keys::GambleIcon,
                                                                          &keys::RockIcon,
                                                                          &keys::ManiacIcon,
                                                                          &keys::QuestIcon,
                                                                          &keys::CallStIcon,
                                                                          &keys::MouseIcon,
                                                                          &keys::ElephantIcon,
                                                                          &keys::EagleIcon};

// PokerTracker's names of its pictures, as its label keys call them.
constexpr std::array<std::string_view, AutorateIcons::kCount> kIconNames = {
    "",
    KESTROVA_TEXT("Columns", "Default"),
    KESTROVA_TEXT("Columns", "Fish"),
    KESTROVA_TEXT("Columns", "Money"),
    KESTROVA_TEXT("Columns", "User defined 1"),
    KESTROVA_TEXT("Columns", "User defined 2"),
    KESTROVA_TEXT("Columns", "User defined 3"),
    KESTROVA_TEXT("Columns", "Bomb"),
    KESTROVA_TEXT("Columns", "Gamble"),
    KESTROVA_TEXT("Columns", "Rock"),
    KESTROVA_TEXT("Columns", "Maniac"),
    KESTROVA_TEXT("Columns", "Question mark"),
    KESTROVA_TEXT("Columns", "Calling station"),
    KESTROVA_TEXT("Columns", "Mouse"),
    KESTROVA_TEXT("Columns", "Elephant"),
    KESTROVA_TEXT("Columns", "Eagle")};

bool inRange(int index) {
    return index >= 0 && index < AutorateIcons::kCount;
}

// "T", "SL" or "L" for the hands he plays, then "P" or "A" before the flop and,
// in three-letter codes, after it.
std::vector<std::string_view> traitsOf(std::string_view code) {
    static constexpr std::pair<std::string_view, std::string_view> kLooseness[] = {
        {"T", KESTROVA_TEXT("Columns", "Tight: plays few hands (VPIP)")},
        {"SL", KESTROVA_TEXT("Columns", "Semi-loose: plays a fair share of hands (VPIP)")},
        {"L", KESTROVA_TEXT("Columns", "Loose: plays many hands (VPIP)")}};
    static constexpr std::string_view kPassive[] = {
        KESTROVA_TEXT("Columns", "Passive before the flop: seldom raises (PFR)"),
        KESTROVA_TEXT("Columns", "Passive after the flop: calls more than he bets (AF)")};
    static constexpr std::string_view kAggressive[] = {
        KESTROVA_TEXT("Columns", "Aggressive before the flop: raises often (PFR)"),
        KESTROVA_TEXT("Columns",
                      "Aggressive after the flop: bets and raises more than he calls (AF)")};
    std::vector<std::string_view> traits;
    for (const auto& [letters, text] : kLooseness) {
        if (code.starts_with(letters)) {
            traits.push_back(text);
            code.remove_prefix(letters.size());
            break;
        }
    }
    if (traits.empty() || code.empty() || code.size() > 2)
        return {};
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == 'P')
            traits.push_back(kPassive[i]);
        else if (code[i] == 'A')
            traits.push_back(kAggressive[i]);
        else
            return {};
    }
    return traits;
}

}  // namespace

AutorateIcons::AutorateIcons() {
    for (int i = 0; i < kCount; ++i) {
        labels_[static_cast<std::size_t>(i)] = std::string(builtInLabel(i));
    }
}

AutorateIcons AutorateIcons::fromSettings(const SettingsStore& settings) {
    AutorateIcons icons;
    for (int i = 0; i < kCount; ++i) {
        const TextKey* key = kLabelKeys[static_cast<std::size_t>(i)];
        if (key == nullptr) {
            continue;
        }
        std::string label = settings.readText(*key);
        if (!label.empty()) {
            icons.setLabel(i, std::move(label));
        }
    }
    return icons;
}

std::string_view AutorateIcons::builtInLabel(int index) {
    return kBuiltInLabels[static_cast<std::size_t>(clampedIndex(index))];
}

std::string AutorateIcons::fileName(int index) {
    if (!inRange(index)) {
        return {};
    }
    return "icons/" + std::to_string(index) + ".png";
}

std::string_view AutorateIcons::labelKeyName(int index) {
    if (!inRange(index) || kLabelKeys[static_cast<std::size_t>(index)] == nullptr) {
        return {};
    }
    return kLabelKeys[static_cast<std::size_t>(index)]->name;
}

const std::string& AutorateIcons::label(int index) const {
    return labels_[static_cast<std::size_t>(clampedIndex(index))];
}

void AutorateIcons::setLabel(int index, std::string label) {
    if (inRange(index)) {
        labels_[static_cast<std::size_t>(index)] = std::move(label);
    }
}

AutorateExplanation AutorateIcons::explain(int index) const {
    index = clampedIndex(index);
    const std::string& shown = label(index);
    return {kIconNames[static_cast<std::size_t>(index)],
            shown == builtInLabel(index) ? std::string_view() : labelKeyName(index),
            index == 0 ? std::vector<std::string_view>() : traitsOf(shown)};
}

int AutorateIcons::clampedIndex(int index) {
    return inRange(index) ? index : 0;
}

}  // namespace kestrova
