#include "sql/SqlDrivers.h"

namespace kestrova {

std::unique_ptr<SqlConnection> openOdbc(const std::string& /*connectionString*/,
                                        std::string& error) {
    error = "This build has no ODBC driver manager.";
    return nullptr;
}

}  // namespace kestrova
