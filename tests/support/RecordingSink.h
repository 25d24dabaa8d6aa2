#pragma once

#include "common/MessageSink.h"

#include <string>
#include <vector>

namespace kestrova::test {

// Keeps every message as "title|text", in order.
class RecordingSink final : public MessageSink {
public:
    void showMessage(const std::string& title, const std::string& text) override {
        messages.push_back(title + "|" + text);
    }
    std::vector<std::string> messages;
};

}  // namespace kestrova::test
