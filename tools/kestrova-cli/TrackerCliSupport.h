#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "SessionTypes.h"

namespace kestrova::cli {

// Message boxes of the tracker commands: the text goes to standard error.
class StreamMessageSink final : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& err) : err_(err) {}
    void showMessage(const Message& message) override;
    int count() const { return count_; }

private:
    std::ostream& err_;
    int count_ = 0;
};

// The database list of "db.conf" in directory; nothing after a message on err
// when the file is damaged.
std::optional<std::vector<DatabaseEntry>> loadDatabases(const std::filesystem::path& directory,
                                                        std::ostream& err);

}  // namespace kestrova::cli
