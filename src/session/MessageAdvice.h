#pragma once

#include <string>

#include "common/MessageSink.h"

namespace kestrova {

// What the user can do about a message of this kind: the second sentence of
// its box, after the message's own text. Empty when the message says it all.
// English, marked for translation under "Messages".
std::string adviceFor(MessageKind kind);

}  // namespace kestrova
