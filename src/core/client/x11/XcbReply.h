#pragma once

#include <cstdlib>
#include <memory>

namespace kestrova {

// xcb hands out replies and errors allocated with malloc; the caller frees them.
struct XcbFree {
    void operator()(void* p) const { std::free(p); }
};

template <typename T>
using XcbReply = std::unique_ptr<T, XcbFree>;

}  // namespace kestrova
