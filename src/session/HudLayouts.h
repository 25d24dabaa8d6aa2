#pragma once

#include <filesystem>

#include "hud/HudLayout.h"
#include "hud/LayoutSet.h"

namespace kestrova {

class MessageSink;

// The six HUD layouts of a folder as the layout manager edits them: the
// shipped defaults, the user's "ftp.lo" and "pp.lo", and saving them whole.
// Failures are told to the sink given, as "Error loading layout: …" and
// "Error saving layout".
class HudLayouts final {
public:
    explicit HudLayouts(std::filesystem::path directory);

    hud::HudLayout& layout(int room, int size) { return set_.layout(room, size); }
    // The table picture a layout is drawn on.
    std::filesystem::path picture(int layoutIndex) const;

    // The shipped defaults; failures told only when `failures` is given.
    void loadDefaults(MessageSink* failures);
    // The user's files; a room he has no file for stays as it is.
    void loadSaved(MessageSink* failures);
    // True when both rooms' files were written.
    bool save(MessageSink& failures) const;

private:
    std::filesystem::path directory_;
    hud::LayoutSet set_;
};

}  // namespace kestrova
