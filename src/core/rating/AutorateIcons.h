#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrova {

class SettingsStore;

// The sixteen automatic-rating icons PokerTracker 2 gives players: a picture
// "icons/N.png" and a label each. Labels start built in; on this platform the
// user's own labels for icons 2 to 15 come from the settings keys that carry
// the names of PokerTracker's registry values ("FishIcon" ... "EagleIcon").
class AutorateIcons final {
public:
    static constexpr int kCount = 16;

    AutorateIcons();

    // Built-in labels, then every non-empty label key of the settings over them.
    static AutorateIcons fromSettings(const SettingsStore& settings);

    static std::string_view builtInLabel(int index);
    // "icons/0.png" .. "icons/15.png"; empty for an index outside 0..15.
    static std::string fileName(int index);
    // The settings key that may relabel the icon; empty for icons 0 and 1.
    static std::string_view labelKeyName(int index);

    // The label of an icon number; a number outside 0..15 (a damaged database
    // row) shows the label of 0.
    const std::string& label(int index) const;
    void setLabel(int index, std::string label);

    // The icon number a list row shows: 0 for one outside 0..15.
    static int clampedIndex(int index);

private:
    std::array<std::string, kCount> labels_;
};

}  // namespace kestrova
