// SPDX-License-Identifier: MIT
#pragma once

// Build flags, fixed at compile time.
namespace AppEnvironment {
#ifdef QUILLSTACK_LOGGING
constexpr bool isDebug = true;
#else
constexpr bool isDebug = false;
#endif
constexpr bool isLoggingEnabled = isDebug;
constexpr bool showDebugUI = isDebug;
}  // namespace AppEnvironment
