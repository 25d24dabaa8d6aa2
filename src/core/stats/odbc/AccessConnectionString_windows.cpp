#include "stats/SqlDrivers.h"

namespace kestrova {

std::string accessConnectionString(const std::string& path) {
    return "Driver={Microsoft Access Driver (*.mdb)};Dbq=" + path + ";Uid=;Pwd=;";
}

}  // namespace kestrova
