#include "scan/EndOfListDetector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kestrova::EndOfListDetector;

// The walk ends when the same name is read four times in a row; empty reads
// neither count nor reset, but four of them end an empty lobby.
TEST(EndOfListDetector, FourEqualReadsEndTheWalk) {
    const auto endsAt = [](const std::vector<std::string>& reads) {
        EndOfListDetector d;
        for (std::size_t i = 0; i < reads.size(); ++i)
            if (d.onRead(reads[i]))
                return static_cast<int>(i);
        return -1;
    };
    EXPECT_EQ(endsAt({"A", "A", "A", "A"}), 3);
    EXPECT_EQ(endsAt({"A", "A", "A", "B", "B", "B", "B"}), 6);
    EXPECT_EQ(endsAt({"A", "", "A", "", "A", "A"}), 5);
    EXPECT_EQ(endsAt({"", "", "", ""}), 3);
}
