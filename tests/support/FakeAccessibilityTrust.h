#pragma once

#include "platform/AccessibilityTrust.h"

// Trust the test grants or revokes.
class FakeAccessibilityTrust final : public AccessibilityTrust {
  public:
    bool isTrusted() override { return m_trusted; }
    bool isTrusted(bool) override { return m_trusted; }

    void setTrusted(bool trusted) { m_trusted = trusted; }

  private:
    bool m_trusted = true;
};
