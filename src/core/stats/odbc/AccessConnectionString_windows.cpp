#include "stats/SqlDrivers.h"

namespace kestrova {

// In braces, "}" doubled: a ";" in the path cannot end the value or add a key.
std::string accessConnectionString(const std::string& path) {
    std::string quoted;
    for (const char c : path) {
        quoted += c;
        if (c == '}')
            quoted += '}';
    }
    return "Driver={Microsoft Access Driver (*.mdb)};Dbq={" + quoted + "};Uid=;Pwd=;";
}

}  // namespace kestrova
