// SPDX-License-Identifier: MIT
#pragma once

// Whether this process may intercept and inject input.
class AccessibilityTrust {
  public:
    virtual ~AccessibilityTrust() = default;
    virtual bool isTrusted() = 0;
};
