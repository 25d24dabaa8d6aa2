#include "BuddiesCommand.h"

#include <string_view>

#include "BuddyBook.h"
#include "SessionTypes.h"

namespace kestrova {

namespace {

constexpr std::string_view kPrefix = "kestrova-cli buddies: ";

int failure(std::ostream& err, std::string_view why) {
    err << kPrefix << why << '\n';
    return 1;
}

int list(const BuddyBook& buddies, std::ostream& out) {
    for (const std::string& name : buddies.names()) {
        out << name << '\n';
    }
    return 0;
}

int add(BuddyBook& buddies, const std::string& name, std::ostream& err) {
    if (buddies.contains(name)) {
        return failure(err, "\"" + name + "\" is a buddy already");
    }
    if (const std::string why = BuddyList::whyNoScreenName(name); !why.empty()) {
        return failure(err, "refused: " + why + "; nothing changed");
    }
    const auto change = buddies.add(name);
    if (!change.saved) {
        return failure(err, BuddyList::kSaveErrorText);
    }
    return 0;
}

int remove(BuddyBook& buddies, const std::string& name, std::ostream& err) {
    if (!buddies.contains(name)) {
        return failure(err, "\"" + name + "\" is no buddy");
    }
    if (!buddies.remove(name).saved) {
        return failure(err, BuddyList::kSaveErrorText);
    }
    return 0;
}

int importCsv(BuddyBook& buddies, const std::filesystem::path& file, std::ostream& out,
              std::ostream& err) {
    const auto result = buddies.importCsv(file);
    if (!result.read) {
        return failure(err, BuddyCsv::unreadableText(file));
    }
    out << BuddyCsv::importDoneText(result.imported) << '\n';
    if (!result.saved) {
        return failure(err, BuddyList::kSaveErrorText);
    }
    return 0;
}

int exportCsv(const BuddyBook& buddies, const std::filesystem::path& chosen, std::ostream& out,
              std::ostream& err) {
    // A device or folder named on purpose gets no ".csv" file beside it.
    const auto file = BuddyCsv::isNoRegularFile(chosen) ? chosen : BuddyCsv::exportPath(chosen);
    if (!buddies.exportCsv(file)) {
        return failure(err, BuddyCsv::unwritableText(file));
    }
    out << "written: " << file.string() << '\n';
    return 0;
}

}  // namespace

int runBuddiesCommand(BuddiesVerb verb, const std::string& argument,
                      const std::filesystem::path& directory, std::ostream& out,
                      std::ostream& err) {
    // Locked from reading to writing, so that a concurrent change is not lost.
    BuddyBook buddies(directory, verb != BuddiesVerb::List && verb != BuddiesVerb::Export);
    if (const std::string problem = buddies.lockProblem(); !problem.empty()) {
        return failure(err, problem + "; nothing changed");
    }
    const bool damaged = buddies.damaged();
    const std::string readError =
        std::string(BuddyList::kReadErrorText) + ": " + buddies.loadProblem();
    if (verb == BuddiesVerb::List) {
        list(buddies, out);
        return damaged ? failure(err, readError) : 0;
    }
    if (damaged) {
        return failure(err, readError + "; nothing changed");
    }
    switch (verb) {
        case BuddiesVerb::Add:
            return add(buddies, argument, err);
        case BuddiesVerb::Remove:
            return remove(buddies, argument, err);
        case BuddiesVerb::Import:
            return importCsv(buddies, argument, out, err);
        case BuddiesVerb::List:
        case BuddiesVerb::Export:
            break;
    }
    return exportCsv(buddies, argument, out, err);
}

}  // namespace kestrova
