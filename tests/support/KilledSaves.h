#pragma once

#include "common/AtomicFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace kestrova::test {

namespace detail {
inline int& stepsBeforeKill() {
    static int left = -1;
    return left;
}
inline int killWhenDue(AtomicWriteStep) {
    if (stepsBeforeKill()-- == 0)
        ::kill(::getpid(), SIGKILL);
    return 0;
}
}  // namespace detail

// Runs `save` in a child process that is killed before the n-th step of its
// rewrites, for n = 0, 1, ... until a child gets through the save. After each
// child `check(finished)` looks at what it left on disk. Returns how many
// steps the whole save takes.
inline int killAtEveryStep(const std::function<bool()>& save,
                           const std::function<void(bool finished)>& check) {
    for (int n = 0; n < 200; ++n) {
        const pid_t child = ::fork();
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            return -1;
        }
        if (child == 0) {
            detail::stepsBeforeKill() = n;
            setAtomicWriteProbe(&detail::killWhenDue);
            ::_exit(save() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        SCOPED_TRACE("killed before step " + std::to_string(n));
        EXPECT_TRUE(killed || finished) << "the save failed on its own";
        check(finished);
        if (!killed)
            return n;
    }
    ADD_FAILURE() << "the save never finished";
    return -1;
}

}  // namespace kestrova::test
