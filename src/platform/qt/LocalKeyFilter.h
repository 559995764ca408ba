// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <map>
#include <memory>

#include "platform/KeyboardHooks.h"

// Key-downs addressed to this application's own windows, read from Qt's key events: the same on
// X11 and Wayland. An application event filter while anyone listens; the filters are asked in
// the order they came, and the first that returns true consumes the key.
class LocalKeyFilter final : public QObject {
    Q_OBJECT
  public:
    ~LocalKeyFilter() override;

    // Nothing without an application to filter. Destroying the handle removes the filter.
    std::unique_ptr<HookHandle> add(KeyboardHooks::KeyFilter filter);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void remove(int id);

    int m_nextId = 1;
    std::map<int, KeyboardHooks::KeyFilter> m_filters;
};
