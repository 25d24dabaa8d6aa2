#pragma once

#include "records/ImportProgress.h"

#include <string>
#include <vector>

namespace kestrova::test {

// Keeps the maxima it is given; "Cancel" is pressed at the given call of
// cancelled() (1-based) and stays pressed, never when 0.
class CountingProgress final : public ImportProgress {
public:
    explicit CountingProgress(int cancelAtCall = 0) : cancelAtCall_(cancelAtCall) {}
    void setLabel(const std::string&) override {}
    void setMaximum(int maximum) override { maxima.push_back(maximum); }
    void setValue(int) override {}
    bool cancelled() override { return cancelAtCall_ > 0 && ++calls_ >= cancelAtCall_; }
    std::vector<int> maxima;

private:
    int cancelAtCall_;
    int calls_ = 0;
};

}  // namespace kestrova::test
