#pragma once

#include "settings/ColumnConf.h"
#include "settings/Window2Conf.h"
#include "settings/WindowConf.h"

#include <filesystem>
#include <optional>

namespace kestrova {

// Where the main window was and how its lists were sorted and sized, kept in
// "Window.conf", "Window2.conf" and "Column.conf" in the working directory.
struct WindowLayout {
    WindowStartGeometry start;  // size and the two lists' sort columns, checked
    Window2Conf wholeList;      // the whole player list's sort
    ColumnConf widths;          // the player widths go to both player lists
    bool firstStart = true;     // no "Window.conf" yet: the window chooses its own place

    static WindowLayout load(const std::filesystem::path& workingDir);
};

// What the window shows when it closes. `window` is empty when it was
// minimised: it has no size worth keeping, and only the widths are written.
struct WindowLayoutToSave {
    std::optional<WindowConf> window;
    int wholeListSortColumn = -1;
    bool wholeListAscending = false;
    ColumnConf widths;

    // False when a file could not be written.
    bool save(const std::filesystem::path& workingDir) const;
};

}  // namespace kestrova
