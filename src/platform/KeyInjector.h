#pragma once

// Types the platform's paste keystroke into the focused window.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;
    virtual bool postPasteKeystroke() = 0;  // false when it cannot
};
