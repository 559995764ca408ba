#include "FakeAccessibilityTrust.h"

bool FakeAccessibilityTrust::isTrusted(bool prompt) {
    m_promptQueries.append(prompt);
    return m_trusted;
}
