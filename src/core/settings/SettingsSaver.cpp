#include "settings/SettingsSaver.h"

#include "settings/FilterRange.h"
#include "settings/SettingsStore.h"

namespace kestrova {

void SettingsSaver::flag(const IntKey& key, bool on) {
    write(key.name, on ? "1" : "0");
}

void SettingsSaver::number(const IntKey& key, int value) {
    write(key.name, std::to_string(value));
}

void SettingsSaver::text(const IntKey& key, std::string_view typed) {
    write(key.name, typed);
}

void SettingsSaver::text(const TextKey& key, std::string_view value) {
    write(key.name, value);
}

void SettingsSaver::file(bool written, std::string_view fileName) {
    if (!written)
        failed("Could not write " + (directory_ / fileName).string());
}

void SettingsSaver::failed(std::string problem) {
    if (problem_.empty())
        problem_ = std::move(problem);
}

void SettingsSaver::write(std::string_view key, std::string_view value) {
    if (!store_.writeText(key, value))
        failed("Could not write the settings file " + store_.path().string() + ": " +
               store_.lastError());
}

FilterRange FilterRange::fromSettings(const SettingsStore& settings, const IntKey& on,
                                      const IntKey& minimum, const IntKey& maximum) {
    return FilterRange{settings.read(on) == 1, settings.read(minimum), settings.read(maximum)};
}

void FilterRange::save(SettingsSaver& out, const IntKey& onKey, const IntKey& minimumKey,
                       const IntKey& maximumKey) const {
    out.flag(onKey, on);
    out.number(minimumKey, minimum);
    out.number(maximumKey, maximum);
}

}  // namespace kestrova
