#include "common/DataFiles.h"

namespace kestrova {

// No portable way to ask: shipped data is then found through the working
// directory and $KESTROVA_DATA_DIR only.
std::filesystem::path executablePath() {
    return {};
}

}  // namespace kestrova
