// SPDX-License-Identifier: MIT
#pragma once

// Whether this process may intercept and inject input.
class InputInjectionAccess {
  public:
    virtual ~InputInjectionAccess() = default;
    virtual bool isTrusted() = 0;
};
