// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <chrono>

// Commands to a running sway through its IPC socket ($SWAYSOCK): the one way a program can
// bind a key chord there, since Wayland gives clients no global key grabs.
class SwayIpc {
  public:
    // The socket of the sway this session runs in; empty when there is none.
    static QString sessionSocket();

    explicit SwayIpc(QString socketPath,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(500));

    // Runs one command line; true when sway answered that every command in it succeeded.
    bool run(const QString& command) const;

  private:
    QString m_socketPath;
    std::chrono::milliseconds m_timeout;
};
