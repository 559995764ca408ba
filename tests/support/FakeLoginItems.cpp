#include "FakeLoginItems.h"

bool FakeLoginItems::registerApp() {
    m_calls.append(QStringLiteral("register"));
    return m_registerResult;
}

bool FakeLoginItems::unregisterApp() {
    m_calls.append(QStringLiteral("unregister"));
    return m_unregisterResult;
}
