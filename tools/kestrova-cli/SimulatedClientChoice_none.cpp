#include "ClientChoice.h"

namespace kestrova::cli {

// The simulated lobby draws with Qt, which this build leaves out.
bool openSimulatedClient(const ClientOptions& /*options*/, Client& /*client*/, std::ostream& err) {
    err << "--sim: this build has no simulated lobby; run everest-sim-win32 and use --win32\n";
    return false;
}

}  // namespace kestrova::cli
