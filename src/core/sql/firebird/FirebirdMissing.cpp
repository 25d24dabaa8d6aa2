#include "sql/SqlDrivers.h"

namespace kestrova {

std::unique_ptr<SqlConnection> openFirebird(const std::string& /*database*/,
                                            const std::string& /*user*/,
                                            const std::string& /*password*/, std::string& error) {
    error = "attach_db\nThis build has no Firebird client library.";
    return nullptr;
}

}  // namespace kestrova
