#include "HudLayouts.h"

#include <utility>

namespace kestrova {

HudLayouts::HudLayouts(std::filesystem::path directory) : directory_(std::move(directory)) {}

std::filesystem::path HudLayouts::picture(int layoutIndex) const {
    return hud::findHudDataFile(directory_, hud::pictureFileName(layoutIndex));
}

void HudLayouts::loadDefaults(MessageSink* failures) {
    set_.load(directory_, hud::LayoutFamily::Default, failures);
}

void HudLayouts::loadSaved(MessageSink* failures) {
    set_.load(directory_, hud::LayoutFamily::User, failures);
}

bool HudLayouts::save(MessageSink& failures) const {
    return set_.save(directory_, failures);
}

}  // namespace kestrova
