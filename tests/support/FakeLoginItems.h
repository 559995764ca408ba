#pragma once

#include <QStringList>

#include "platform/LoginItems.h"

// Answers with scripted results and records each request ("register" / "unregister").
class FakeLoginItems final : public LoginItems {
  public:
    bool registerApp() override { return record(QStringLiteral("register"), m_registerResult); }
    bool unregisterApp() override {
        return record(QStringLiteral("unregister"), m_unregisterResult);
    }

    void setRegisterResult(bool ok) { m_registerResult = ok; }
    void setUnregisterResult(bool ok) { m_unregisterResult = ok; }
    const QStringList& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }

  private:
    bool record(const QString& call, bool result) {
        m_calls.append(call);
        return result;
    }
    bool m_registerResult = true;
    bool m_unregisterResult = true;
    QStringList m_calls;
};
