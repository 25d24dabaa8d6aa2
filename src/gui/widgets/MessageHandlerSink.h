#pragma once

#include "SessionTypes.h"

#include <functional>
#include <utility>

namespace kestrova {

// Hands the core's messages to the window's message handler (a modal box, or
// the test's answer).
class MessageHandlerSink final : public MessageSink {
public:
    using Handler = std::function<void(const Message& message)>;

    explicit MessageHandlerSink(Handler handler) : handler_(std::move(handler)) {}

    void showMessage(const Message& message) override { handler_(message); }

private:
    Handler handler_;
};

}  // namespace kestrova
