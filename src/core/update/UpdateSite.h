#pragma once

#include <string>
#include <string_view>

#include "settings/SettingKeys.h"

namespace kestrova {

class SettingsStore;

namespace keys {
// A base address such as "http://127.0.0.1:8080" that replaces the update
// server, for mirrors and tests. Added by hand; nothing writes it.
inline constexpr TextKey updateserver{"updateserver", "", 256, SettingGroup::MainWindow,
                                      SettingRule::Text};
}  // namespace keys

// Where the program asks for a newer version and where it sends the user for
// one. The defaults are placeholders a distributor replaces here.
struct UpdateSite {
    static constexpr std::string_view kDefaultServer = "http://update.example.org";
    static constexpr std::string_view kDefaultWebSite = "http://www.example.org";
    static constexpr std::string_view kDefaultSupportEmail = "support@example.org";

    std::string server{kDefaultServer};  // http base address, no path
    std::string webSite{kDefaultWebSite};
    std::string supportEmail{kDefaultSupportEmail};

    // The defaults, the server replaced by key updateserver when it is set.
    static UpdateSite load(const SettingsStore& settings);

    // An address on the web site, path starting with "/".
    std::string page(std::string_view path) const;
};

}  // namespace kestrova
