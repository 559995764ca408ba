// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QPointer>

#include <functional>

class QMessageBox;

// Asked when Quit is chosen in the tray or the settings while quitting would throw records away:
// the history is not kept and holds records that are not pinned. Quitting from the command
// line, a signal or the session's end never asks.
class QuitQuestion {
    Q_DECLARE_TR_FUNCTIONS(QuitQuestion)

  public:
    // quit(keepHistory): the user chose to quit, keeping the history after restart or not.
    explicit QuitQuestion(std::function<void(bool keepHistory)> quit);
    ~QuitQuestion();
    QuitQuestion(const QuitQuestion&) = delete;
    QuitQuestion& operator=(const QuitQuestion&) = delete;

    // cleared: the records quitting would throw away; none quits at once. A question already
    // open is brought to the front.
    void ask(qsizetype cleared);
    QMessageBox* box() const { return m_box; }

  private:
    std::function<void(bool)> m_quit;
    QPointer<QMessageBox> m_box;
};
