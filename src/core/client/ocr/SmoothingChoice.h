#pragma once

#include "client/ocr/LobbyTextLines.h"
#include "common/Image.h"

#include <string>
#include <vector>

namespace kestrova::fontlearning {

// The ink share (a HalfwayInk percent) that parts a capture's grey-smoothed
// text best into as many glyphs as its typed texts have characters. lines and
// texts pair up; a line without a text is left out.
int chooseSmoothPercent(const Image& capture, const std::vector<TextLine>& lines,
                        const std::vector<const std::vector<std::string>*>& texts);

}  // namespace kestrova::fontlearning
