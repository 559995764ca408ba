#pragma once

#include <QList>

#include "platform/AccessibilityTrust.h"

// Trust the test grants or revokes; records the prompt argument of every query that had one.
class FakeAccessibilityTrust final : public AccessibilityTrust {
  public:
    bool isTrusted() override { return m_trusted; }
    bool isTrusted(bool prompt) override;

    void setTrusted(bool trusted) { m_trusted = trusted; }
    const QList<bool>& promptQueries() const { return m_promptQueries; }

  private:
    bool m_trusted = true;
    QList<bool> m_promptQueries;
};
