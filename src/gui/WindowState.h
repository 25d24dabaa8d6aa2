#pragma once

#include <filesystem>

class QMainWindow;
class QTreeWidget;

namespace kestrova {

// Where the main window was and how its lists were sorted and sized, kept in
// "Window.conf", "Window2.conf" and "Column.conf" in the working directory.
struct WindowLists {
    QTreeWidget* tables = nullptr;
    QTreeWidget* players = nullptr;
    QTreeWidget* wholePlayers = nullptr;
};

// Size, sort columns and column widths as the files left them.
void restoreWindowState(QMainWindow& window, const WindowLists& lists,
                        const std::filesystem::path& workingDir);

// A minimised window has no size worth keeping: only the column widths are
// written then. True when the window was not minimised (its size was saved).
bool saveWindowState(const QMainWindow& window, const WindowLists& lists,
                     const std::filesystem::path& workingDir);

}  // namespace kestrova
