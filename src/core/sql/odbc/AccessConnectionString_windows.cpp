#include "sql/SqlDrivers.h"

namespace kestrova {

// In braces, "}" doubled: a ";" in the path cannot end the value or add a key.
std::string accessConnectionString(const std::string& path) {
    return "Driver={Microsoft Access Driver (*.mdb)};Dbq=" + inBraces(path) + ";Uid=;Pwd=;";
}

}  // namespace kestrova
