#pragma once

#include "common/AtomicFile.h"

#include <cerrno>

namespace kestrova::test {

// While it lives, every rewrite in this process fails at `step` with `error`,
// as a full or failing disk makes it fail (a small full filesystem needs root
// to mount).
class RefusedWrites final {
public:
    explicit RefusedWrites(AtomicWriteStep step = AtomicWriteStep::Rename, int error = ENOSPC) {
        refused() = {step, error};
        setAtomicWriteProbe(&probe);
    }
    ~RefusedWrites() { setAtomicWriteProbe(nullptr); }
    RefusedWrites(const RefusedWrites&) = delete;
    RefusedWrites& operator=(const RefusedWrites&) = delete;

private:
    struct Refusal {
        AtomicWriteStep step;
        int error;
    };
    static Refusal& refused() {
        static Refusal r{};
        return r;
    }
    static int probe(AtomicWriteStep step) { return step == refused().step ? refused().error : 0; }
};

}  // namespace kestrova::test
