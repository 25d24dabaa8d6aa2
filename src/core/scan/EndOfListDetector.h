#pragma once

#include <string>

namespace kestrova {

// The client's list does not say where it ends: Down on the last row leaves the
// selection there, so the same name is read again. The walk ends when one name was
// read four times in a row (one read plus three repeats).
class EndOfListDetector final {
public:
    static constexpr int kRepeatsAtEnd = 3;

    // Returns true when the walk should end.
    bool onRead(const std::string& selectedName) {
        if (selectedName.empty()) {
            // Nothing highlighted at all (an empty lobby) must end the walk as well.
            return ++emptyReads_ > kRepeatsAtEnd;
        }
        emptyReads_ = 0;
        if (selectedName == lastName_) {
            ++repeatCount_;
        } else {
            repeatCount_ = 0;
            lastName_ = selectedName;
        }
        return repeatCount_ >= kRepeatsAtEnd;
    }

    int repeatCount() const { return repeatCount_; }

private:
    std::string lastName_;
    int repeatCount_ = 0;
    int emptyReads_ = 0;
};

}  // namespace kestrova
