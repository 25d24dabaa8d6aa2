#include "stats/SqlDrivers.h"

namespace kestrova {

// MDBTools' driver reads .mdb files; it takes the file from "DBQ=" in capitals.
std::string accessConnectionString(const std::string& path) {
    return "Driver={MDBTools};DBQ=" + path + ";";
}

}  // namespace kestrova
