#include "SerialWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <vector>

namespace kestrova {
namespace {

using namespace std::chrono_literals;

// Closures run one at a time in the order posted; "emptied" follows the last
// of a run; stopping runs or drops what is queued, and a wait that is too
// short says so while the thread still finishes its closure.
TEST(SerialWorker, RunsInOrderAndStopsAsAsked) {
    std::vector<int> ran;
    std::atomic<int> emptied = 0;
    {
        SerialWorker worker([&] { ++emptied; });
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(worker.post([&ran, i] { ran.push_back(i); }));
        worker.waitUntilIdle();
        EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3, 4}));
        EXPECT_GE(emptied.load(), 1);

        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        ASSERT_TRUE(worker.post([released] { released.wait(); }));
        ASSERT_TRUE(worker.post([&ran] { ran.push_back(5); }));
        EXPECT_FALSE(worker.stop(SerialWorker::Queued::Run, 20ms));
        EXPECT_FALSE(worker.post([&ran] { ran.push_back(6); }));
        release.set_value();
        worker.join();
        EXPECT_EQ(ran.back(), 5);
    }

    SerialWorker dropping;
    std::promise<void> started;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    ASSERT_TRUE(dropping.post([&started, released] {
        started.set_value();
        released.wait();
    }));
    ASSERT_TRUE(dropping.post([&ran] { ran.push_back(7); }));
    started.get_future().wait();
    EXPECT_FALSE(dropping.stop(SerialWorker::Queued::Drop, 0ms));
    release.set_value();
    EXPECT_TRUE(dropping.stop(SerialWorker::Queued::Drop));
    dropping.join();
    EXPECT_EQ(ran.back(), 5);
}

}  // namespace
}  // namespace kestrova
