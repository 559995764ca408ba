#include "FakeKeyInjector.h"

#include "ManualScheduler.h"

bool FakeKeyInjector::postPasteKeystroke() {
    ++m_attempts;
    if (m_failing) {
        return false;
    }
    m_times.append(m_scheduler.monotonicMs());
    return true;
}
