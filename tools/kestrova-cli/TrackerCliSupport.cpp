#include "TrackerCliSupport.h"

#include "SessionTypes.h"

namespace kestrova::cli {

void StreamMessageSink::showMessage(const Message& message) {
    const std::string& text = message.text;
    err_ << text;
    if (text.empty() || text.back() != '\n')
        err_ << '\n';
    ++count_;
}

std::optional<std::vector<DatabaseEntry>> loadDatabases(const std::filesystem::path& directory,
                                                        std::ostream& err) {
    std::string problem;
    DatabaseList list = DatabaseList::load(directory, &problem);
    if (!problem.empty()) {
        err << problem << '\n';
        return std::nullopt;
    }
    return list.entries();
}

}  // namespace kestrova::cli
