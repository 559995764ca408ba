#include "FakeKeyInjector.h"

#include "ManualScheduler.h"

bool FakeKeyInjector::postPasteKeystroke(const Keystroke& keystroke) {
    ++m_attempts;
    if (m_failing) {
        return false;
    }
    m_times.append(m_scheduler.monotonicMs());
    m_keystrokes.append(keystroke);
    return true;
}
