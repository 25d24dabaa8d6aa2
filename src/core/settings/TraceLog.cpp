#include "settings/TraceLog.h"

#include <fstream>

namespace kestrova {

bool TraceLog::truncate() const {
    if (isOff())
        return true;
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}

bool TraceLog::append(std::string_view text) const {
    if (isOff())
        return true;
    std::ofstream out(file_, std::ios::binary | std::ios::app);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace kestrova
