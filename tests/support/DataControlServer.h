// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

// A compositor of the test's own on a thread of its own, with libwayland-server: a seat and the
// standard data control (ext-data-control-v1), with a selection and a primary selection. It
// announces the wlroots manager too and only counts its binds: a client must prefer the
// standard one.
class DataControlServer {
  public:
    DataControlServer();
    ~DataControlServer();
    DataControlServer(const DataControlServer&) = delete;
    DataControlServer& operator=(const DataControlServer&) = delete;

    // The socket's name under $XDG_RUNTIME_DIR; empty when none could be made.
    QString socketName() const { return m_socket; }
    // The types a paste is offered, sorted.
    QStringList offeredTypes(bool primary = false);
    // The binds of the wlroots manager, and the sources clients hold.
    std::pair<int, int> counts();

    struct State;

  private:
    // Runs `task` on the server's thread and waits for it.
    void call(const std::function<void(State&)>& task);

    std::unique_ptr<State> m_state;
    QString m_socket;
};
