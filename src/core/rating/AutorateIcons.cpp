#include "rating/AutorateIcons.h"

#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

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

bool inRange(int index) {
    return index >= 0 && index < AutorateIcons::kCount;
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

int AutorateIcons::clampedIndex(int index) {
    return inRange(index) ? index : 0;
}

}  // namespace kestrova
