#pragma once

namespace kestrova {

struct IntKey;
class SettingsSaver;
class SettingsStore;

// One criterion of a filter: on or off, and its inclusive whole-number bounds
// as the settings hold them.
struct FilterRange {
    bool on = false;
    int minimum = 0;
    int maximum = 0;

    // The three keys of a criterion; on only when its flag reads exactly 1.
    static FilterRange fromSettings(const SettingsStore& settings, const IntKey& on,
                                    const IntKey& minimum, const IntKey& maximum);
    void save(SettingsSaver& out, const IntKey& on, const IntKey& minimum,
              const IntKey& maximum) const;

    bool operator==(const FilterRange&) const = default;
};

}  // namespace kestrova
