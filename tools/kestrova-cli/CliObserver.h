#pragma once

#include "scan/ScanObserver.h"

#include <iostream>

namespace kestrova::cli {

// A pass run from the command line: messages go to standard error and count as failure.
class CliObserver final : public ScanObserver {
public:
    void showMessage(const std::string& title, const std::string& text) override {
        std::cerr << title << ": " << text << '\n';
        failed_ = true;
    }
    bool cancelled() const override { return false; }
    bool failed() const { return failed_; }

private:
    bool failed_ = false;
};

}  // namespace kestrova::cli
