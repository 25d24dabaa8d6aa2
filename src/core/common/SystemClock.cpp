#include "common/Clock.h"

#include <chrono>
#include <thread>

namespace kestrova {

void SystemClock::sleepMs(int delayMs) {
    if (delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
}

}  // namespace kestrova
