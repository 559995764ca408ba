// SPDX-License-Identifier: MIT
#include "platform/qt/LocalKeyFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

#include "keys/KeyCodeTable.h"

namespace {
class FilterHandle final : public HookHandle {
  public:
    explicit FilterHandle(std::function<void()> remove) : m_remove(std::move(remove)) {}
    ~FilterHandle() override { m_remove(); }

  private:
    std::function<void()> m_remove;
};
}  // namespace

LocalKeyFilter::~LocalKeyFilter() {
    if (!m_filters.empty() && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

std::unique_ptr<HookHandle> LocalKeyFilter::add(KeyboardHooks::KeyFilter filter) {
    if (!filter || QCoreApplication::instance() == nullptr) {
        return nullptr;
    }
    if (m_filters.empty()) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    const int id = m_nextId++;
    m_filters.emplace(id, std::move(filter));
    QPointer<LocalKeyFilter> self(this);
    return std::make_unique<FilterHandle>([self, id] {
        if (self) {
            self->remove(id);
        }
    });
}

void LocalKeyFilter::remove(int id) {
    if (m_filters.erase(id) > 0 && m_filters.empty() && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool LocalKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    // A key event visits its window first and then the widgets it propagates through; the
    // window alone sees each key exactly once.
    if (event->type() != QEvent::KeyPress || !watched->isWindowType() || m_filters.empty()) {
        return false;
    }
    const std::optional<KeyEvent> key =
        KeyCodeTable::fromQKeyEvent(*static_cast<QKeyEvent*>(event));
    if (!key) {
        return false;
    }
    std::vector<int> ids;
    for (const auto& [id, filter] : m_filters) {
        ids.push_back(id);
    }
    for (int id : ids) {
        const auto found = m_filters.find(id);
        if (found == m_filters.end()) {
            continue;
        }
        const KeyboardHooks::KeyFilter filter = found->second;  // the filter may remove itself
        if (filter(*key)) {
            return true;
        }
    }
    return false;
}
