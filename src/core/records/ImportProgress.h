#pragma once

#include <string>

namespace kestrova {

// What the import of players from the databases shows while it runs: a
// progress dialog with a "Cancel" button in the window, nothing on the
// command line, a script in tests.
class ImportProgress {
public:
    virtual ~ImportProgress() = default;

    virtual void setLabel(const std::string& text) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
    // Lets pending window events run, then tells whether "Cancel" was pressed.
    // Once true it stays true.
    virtual bool cancelled() = 0;
};

}  // namespace kestrova
