#include "sql/SqlDrivers.h"

namespace kestrova {

std::unique_ptr<SqlConnection> openMysql(const MysqlLogin& /*login*/, int /*statementTimeoutSeconds*/,
                                         std::string& error) {
    error = "This build has no MySQL client library.";
    return nullptr;
}

}  // namespace kestrova
