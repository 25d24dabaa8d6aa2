#pragma once

namespace kestrova {

// A key taken from whichever window has the keyboard focus, for as long as
// this object lives. A pass hands the lobby the focus to walk it, yet the
// user's Esc must still reach the program.
class KeyGrab {
public:
    virtual ~KeyGrab() = default;
};

}  // namespace kestrova
