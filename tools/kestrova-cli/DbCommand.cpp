#include "DbCommand.h"

#include <optional>

#include "Json.h"
#include "SessionTypes.h"

namespace kestrova {

namespace {

// The list in `directory`, or nullopt (told on err) when "db.conf" is damaged.
std::optional<DatabaseList> loadWhole(const std::filesystem::path& directory, std::ostream& err) {
    std::string problem;
    DatabaseList list = DatabaseList::load(directory, &problem);
    if (!problem.empty()) {
        err << "kestrova-cli db: " << problem << "; nothing changed\n";
        return std::nullopt;
    }
    return list;
}

int save(const DatabaseList& list, const std::filesystem::path& directory, std::ostream& err) {
    std::string problem;
    if (!list.save(directory, &problem)) {
        err << "kestrova-cli db: " << problem << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

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

    const FileLock lock(DatabaseList::lockTarget(directory));
    if (!lock.locked()) {
        err << "kestrova-cli db: " << lock.error() << "; nothing changed\n";
        return 1;
    }
    auto databases = loadWhole(directory, err);
    if (!databases) {
        return 1;
    }
    databases->append(std::move(entry));
    if (const int status = save(*databases, directory, err); status != 0) {
        return status;
    }
    out << databases->size() << '\n';
    return 0;
}

int runDbRemove(int index, const std::filesystem::path& directory, std::ostream& err) {
    const FileLock lock(DatabaseList::lockTarget(directory));
    if (!lock.locked()) {
        err << "kestrova-cli db: " << lock.error() << "; nothing changed\n";
        return 1;
    }
    auto databases = loadWhole(directory, err);
    if (!databases) {
        return 1;
    }
    if (index < 1 || static_cast<std::size_t>(index) > databases->size()) {
        err << "kestrova-cli db: no entry " << index << " (the list has " << databases->size()
            << ")\n";
        return 1;
    }
    databases->remove(static_cast<std::size_t>(index - 1));
    return save(*databases, directory, err);
}

}  // namespace kestrova
