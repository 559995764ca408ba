#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "platform/Pasteboard.h"

// A compositor of the test's own on a thread of its own, with libwayland-server: a seat and
// the standard data control (ext-data-control-v1), a selection and a primary selection. The
// wlroots manager is announced too, but binding it is only counted: a client must prefer the
// standard one. Content copied through the server stands for a client copying through the
// compositor's own data device; the server reads a client's source as such a client pastes.
class DataControlServer {
  public:
    DataControlServer();
    ~DataControlServer();
    DataControlServer(const DataControlServer&) = delete;
    DataControlServer& operator=(const DataControlServer&) = delete;

    // The socket's name under $XDG_RUNTIME_DIR; empty when none could be made.
    QString socketName() const { return m_socket; }
    // Another client takes the clipboard, serving `content` itself.
    void copy(const StoredItem& content);
    // That client leaves: the clipboard has no content any more.
    void clear();
    // What another client pasting `type` now gets, and the types it is offered, sorted.
    QByteArray paste(const QString& type, bool primary = false);
    QStringList offeredTypes(bool primary = false);
    // How many times a client bound the wlroots manager.
    int wlrootsBinds();

  private:
    struct State;
    // Runs `task` on the server's thread and waits for it.
    void call(const std::function<void(State&)>& task);

    std::unique_ptr<State> m_state;
    QString m_socket;
};
