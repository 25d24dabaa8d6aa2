#include "update/UpdateSite.h"

#include "settings/SettingsStore.h"

namespace kestrova {

UpdateSite UpdateSite::load(const SettingsStore& settings) {
    UpdateSite site;
    if (std::string server = settings.readText(keys::updateserver); !server.empty()) {
        site.server = std::move(server);
    }
    return site;
}

std::string UpdateSite::page(std::string_view path) const {
    std::string_view base = webSite;
    while (!base.empty() && base.back() == '/') {
        base.remove_suffix(1);
    }
    return std::string(base) + std::string(path);
}

}  // namespace kestrova
