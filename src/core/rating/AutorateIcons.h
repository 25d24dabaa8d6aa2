#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

class SettingsStore;

// What a label tells of a player, for the rating cell's tooltip. The texts are
// marked for translation under "Columns".
struct AutorateExplanation {
    // PokerTracker's name of the icon ("Fish"); empty for icon 0: no rating.
    std::string_view icon;
    // The settings key the user's own label came from; empty for a built-in one.
    std::string_view labelKey;
    // A code such as "SLPP" letter group by letter group: how loose he plays
    // (VPIP), then how aggressive before the flop (PFR) and after it (AF).
    // Empty for a label that is no such code. PokerTracker's autorate rules,
    // which this program never sees, set the ranges' bounds.
    std::vector<std::string_view> traits;
};

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

    AutorateExplanation explain(int index) const;

    // The icon number a list row shows: 0 for one outside 0..15.
    static int clampedIndex(int index);

private:
    std::array<std::string, kCount> labels_;
};

}  // namespace kestrova
