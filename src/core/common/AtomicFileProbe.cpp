#include "common/AtomicFile.h"

#include "common/AtomicFileNames.h"

#include <atomic>

namespace kestrova {

namespace {

std::atomic<AtomicWriteProbe> installedProbe{nullptr};

}  // namespace

void setAtomicWriteProbe(AtomicWriteProbe probe) {
    installedProbe.store(probe);
}

int probeAtomicWrite(AtomicWriteStep step) {
    const AtomicWriteProbe probe = installedProbe.load();
    return probe ? probe(step) : 0;
}

}  // namespace kestrova
