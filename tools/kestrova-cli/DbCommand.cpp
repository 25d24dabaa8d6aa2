#include "DbCommand.h"

#include <charconv>
#include <map>
#include <optional>
#include <string_view>

#include "Json.h"
#include "common/FileLock.h"
#include "records/DatabaseEntry.h"
#include "records/DatabaseList.h"

namespace kestrova {

namespace {

constexpr std::string_view kUsage =
    "usage: kestrova-cli db list\n"
    "       kestrova-cli db add --kind N --host H [--port P] --db D --user U\n"
    "                           [--password W | --password-stdin] [--inactive]\n"
    "       kestrova-cli db remove INDEX\n"
    "kinds: 0 Pokertracker 2 (PostgreSQL), 1 Pokermanager (Firebird), 2 PokerOffice (mySQL),\n"
    "       3 Pokertracker 2 (Access), 4 Holdem Manager, 5 Pokertracker 3, 6 Elephant\n";

constexpr int kLastStoredKind = static_cast<int>(DatabaseKind::Elephant);
constexpr int kMaxPort = 65535;

int usageError(std::ostream& err, std::string_view why) {
    err << "kestrova-cli db: " << why << '\n' << kUsage;
    return 1;
}

// A whole decimal number within [minimum, maximum], written in digits only
// (no sign: "-0" is no kind), or nullopt.
std::optional<int> decimalIn(std::string_view text, int minimum, int maximum) {
    if (text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc() || ptr != end || value < minimum || value > maximum) {
        return std::nullopt;
    }
    return value;
}

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

int list(const std::filesystem::path& directory, std::ostream& out, std::ostream& err) {
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

int add(const std::vector<std::string>& args, const std::filesystem::path& directory,
        std::istream& in, std::ostream& out, std::ostream& err) {
    std::map<std::string, std::string, std::less<>> values;
    bool inactive = false;
    bool passwordFromInput = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--inactive") {
            inactive = true;
            continue;
        }
        if (option == "--password-stdin") {
            passwordFromInput = true;
            continue;
        }
        static constexpr std::string_view kValued[] = {"--kind", "--host", "--port",
                                                       "--db",   "--user", "--password"};
        bool known = false;
        for (const std::string_view valued : kValued) {
            known = known || option == valued;
        }
        if (!known) {
            return usageError(err, "unknown option \"" + option + "\"");
        }
        if (i + 1 >= args.size()) {
            return usageError(err, option + " needs a value");
        }
        if (!values.emplace(option, args[i + 1]).second) {
            return usageError(err, option + " given twice");
        }
        ++i;
    }
    for (const std::string_view required : {"--kind", "--host", "--db", "--user"}) {
        if (!values.contains(required)) {
            return usageError(err, std::string(required) + " is required");
        }
    }
    const auto kind = decimalIn(values["--kind"], 0, kLastStoredKind);
    if (!kind) {
        return usageError(err, "--kind takes a number from 0 to 6, in digits only");
    }
    DatabaseEntry entry;
    entry.kind = *kind;
    entry.host = values["--host"];
    entry.database = values["--db"];
    entry.user = values["--user"];
    if (passwordFromInput) {
        if (values.contains("--password")) {
            return usageError(err, "--password and --password-stdin exclude each other");
        }
        std::string line;
        if (!std::getline(in, line)) {
            err << "kestrova-cli db: --password-stdin: no password on standard input\n";
            return 1;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        values["--password"] = line;
    }
    entry.password = values.contains("--password") ? values["--password"] : "";
    entry.active = !inactive;
    if (values.contains("--port")) {
        const auto port = decimalIn(values["--port"], 1, kMaxPort);
        if (!port) {
            return usageError(err, "--port takes a number from 1 to 65535");
        }
        entry.port = std::to_string(*port);
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

int remove(const std::vector<std::string>& args, const std::filesystem::path& directory,
           std::ostream& err) {
    if (args.size() != 2) {
        return usageError(err, "remove takes one INDEX");
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
    const auto index = decimalIn(args[1], 1, static_cast<int>(databases->size()));
    if (!index) {
        err << "kestrova-cli db: no entry " << args[1] << " (the list has " << databases->size()
            << ")\n";
        return 1;
    }
    databases->remove(static_cast<std::size_t>(*index - 1));
    return save(*databases, directory, err);
}

}  // namespace

int runDbCommand(const std::vector<std::string>& args, const std::filesystem::path& directory,
                 std::istream& in, std::ostream& out, std::ostream& err) {
    const std::string_view verb = args.empty() ? std::string_view() : std::string_view(args[0]);
    if (verb == "list" && args.size() == 1) {
        return list(directory, out, err);
    }
    if (verb == "add") {
        return add(args, directory, in, out, err);
    }
    if (verb == "remove") {
        return remove(args, directory, err);
    }
    return usageError(err, verb.empty() ? "missing subcommand" : "bad arguments");
}

}  // namespace kestrova
