// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <memory>

// xcb hands out replies and events allocated with malloc; this frees them with the owner.
struct XcbFree {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T>
using XcbPointer = std::unique_ptr<T, XcbFree>;
