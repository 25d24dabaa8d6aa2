#include "DbCommand.h"

#include <string>

#include "DatabaseListEdit.h"
#include "Json.h"
#include "SessionTypes.h"

namespace kestrova {

int runDbList(const std::filesystem::path& directory, std::ostream& out, std::ostream& err) {
    std::string problem;
    const DatabaseList databases = DatabaseList::load(directory, &problem);
    out << '[';
    for (std::size_t i = 0; i < databases.size(); ++i) {
        const DatabaseEntry& e = databases.at(i);
        nlohmann::ordered_json entry;
        entry["index"] = i + 1;
        entry["kind"] = e.kind;
        entry["host"] = e.host;
        entry["port"] = DatabaseList::portNumber(e.port);
        entry["db"] = e.database;
        entry["user"] = e.user;
        entry["active"] = e.active;
        out << (i == 0 ? "\n" : ",\n") << cli::jsonText(entry);
    }
    out << (databases.empty() ? "]\n" : "\n]\n");
    if (!problem.empty()) {
        err << "kestrova-cli db: " << problem << '\n';
        return 1;
    }
    return 0;
}

int runDbAdd(const DbAddArgs& args, const std::filesystem::path& directory, std::istream& in,
             std::ostream& out, std::ostream& err) {
    DatabaseEntry entry;
    entry.kind = args.kind;
    entry.host = args.host;
    entry.port = std::to_string(args.port);
    entry.database = args.database;
    entry.user = args.user;
    entry.password = args.password;
    entry.active = args.active;
    if (args.passwordFromInput) {
        if (!std::getline(in, entry.password)) {
            err << "kestrova-cli db: --password-stdin: no password on standard input\n";
            return 1;
        }
        if (!entry.password.empty() && entry.password.back() == '\r') {
            entry.password.pop_back();
        }
    }
    if (std::string why = DatabaseList::textProblem(entry); !why.empty()) {
        err << "kestrova-cli db: " << why << '\n';
        return 1;
    }

    const DatabaseListEdit edit = editDatabaseList(directory, [&](DatabaseList& databases) {
        databases.append(std::move(entry));
        return std::string();
    });
    if (!edit.saved) {
        err << "kestrova-cli db: " << edit.problem << '\n';
        return 1;
    }
    out << edit.size << '\n';
    return 0;
}

int runDbRemove(int index, const std::filesystem::path& directory, std::ostream& err) {
    const DatabaseListEdit edit = editDatabaseList(directory, [&](DatabaseList& databases) {
        if (index < 1 || static_cast<std::size_t>(index) > databases.size())
            return "no entry " + std::to_string(index) + " (the list has " +
                   std::to_string(databases.size()) + ")";
        databases.remove(static_cast<std::size_t>(index - 1));
        return std::string();
    });
    if (!edit.saved) {
        err << "kestrova-cli db: " << edit.problem << '\n';
        return 1;
    }
    return 0;
}

}  // namespace kestrova
