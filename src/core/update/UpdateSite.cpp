#include "update/UpdateSite.h"

#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

namespace kestrova {

UpdateSite UpdateSite::load(const SettingsStore& settings) {
    const std::string site = settings.readText(keys::updateserver);
    return at(site.empty() ? kDefaultSite : std::string_view(site));
}

UpdateSite UpdateSite::at(std::string_view site) {
    UpdateSite result;
    result.server = std::string(site);
    result.webSite = std::string(site);
    std::string_view host = site;
    if (const auto scheme = host.find("://"); scheme != std::string_view::npos) {
        host.remove_prefix(scheme + 3);
    }
    host = host.substr(0, host.find_first_of(":/"));
    result.supportEmail = "support@" + std::string(host);
    return result;
}

std::string UpdateSite::page(std::string_view path) const {
    std::string_view base = webSite;
    while (!base.empty() && base.back() == '/') {
        base.remove_suffix(1);
    }
    return std::string(base) + std::string(path);
}

}  // namespace kestrova
