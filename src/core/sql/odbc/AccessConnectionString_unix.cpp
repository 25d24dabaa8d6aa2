#include "sql/SqlDrivers.h"

namespace kestrova {

namespace {

bool needsBraces(const std::string& path) {
    return path.empty() || path.find_first_of(";{}") != std::string::npos ||
           path.front() == ' ' || path.back() == ' ';
}

}  // namespace

// MDBTools' driver reads .mdb files; it takes the file from "DBQ=" in capitals.
// It does not take braces off a value, so an ordinary path goes in as it is;
// one that would end the value early or add a key of its own goes in braces,
// "}" doubled: such a file is then not found rather than another driver loaded.
std::string accessConnectionString(const std::string& path) {
    return "Driver={MDBTools};DBQ=" + (needsBraces(path) ? inBraces(path) : path) + ";";
}

}  // namespace kestrova
