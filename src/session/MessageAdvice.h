#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// What the user can do about a message the program tells him: the second
// sentence of its box, after the message's own text. Empty when the message
// says it all. Judged on the English title and text; the advice is English too,
// marked for translation under "Messages".
std::string adviceFor(std::string_view title, std::string_view text);

// Whether a message reports a failure (an error box) rather than a notice.
bool isFailure(std::string_view title);

}  // namespace kestrova
