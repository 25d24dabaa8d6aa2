#pragma once

#include <string>
#include <string_view>

namespace kestrova {

class SettingsStore;

// The project's web site: where the program asks for a newer version, the
// pages it sends the user to, and the support address, all derived from one
// base address. The build names it (KESTROVA_SITE); key updateserver (a base
// address such as "http://127.0.0.1:8080", for mirrors and tests) replaces it
// for every address at once.
struct UpdateSite {
    static constexpr std::string_view kDefaultSite = KESTROVA_SITE;

    std::string server{kDefaultSite};  // http base address, no path
    std::string webSite{kDefaultSite};
    std::string supportEmail;  // "support@" and the site's host

    static UpdateSite load(const SettingsStore& settings);
    // Everything derived from `site`.
    static UpdateSite at(std::string_view site);

    // An address on the web site, path starting with "/".
    std::string page(std::string_view path) const;
};

}  // namespace kestrova
