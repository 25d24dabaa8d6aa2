#pragma once

#include "common/MessageSink.h"

#include <string>
#include <vector>

namespace kestrova::test {

// Keeps every message as "title|text", in order.
class RecordingSink final : public MessageSink {
public:
    void showMessage(const Message& message) override {
        messages.push_back(message.title + "|" + message.text);
        kinds.push_back(message.kind);
    }
    std::vector<std::string> messages;
    std::vector<MessageKind> kinds;
};

}  // namespace kestrova::test
