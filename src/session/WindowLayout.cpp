#include "WindowLayout.h"

namespace kestrova {

WindowLayout WindowLayout::load(const std::filesystem::path& workingDir) {
    const std::optional<WindowConf> window = WindowConf::read(workingDir);
    return {WindowStartGeometry::from(window), Window2Conf::read(workingDir),
            ColumnConf::read(workingDir), !window.has_value()};
}

bool WindowLayoutToSave::save(const std::filesystem::path& workingDir) const {
    bool saved = true;
    if (window) {
        saved = window->write(workingDir) && saved;
        saved = Window2Conf::write(workingDir, wholeListSortColumn, wholeListAscending) && saved;
    }
    return widths.write(workingDir) && saved;
}

}  // namespace kestrova
