// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>

// Problems the user must hear of (a pin file refused, pins that could not be saved), each said
// once a run, in the interface language, as a desktop notification. Main thread.
class ProblemNotices : public QObject {
    Q_OBJECT
  public:
    // Shows one notice; false when it could not be shown.
    using Sender = std::function<bool(const QString& title, const QString& body)>;

    // Where send fails, the notice goes to standard error: a problem is never dropped silently.
    explicit ProblemNotices(Sender send, QObject* parent = nullptr);

    // english (marked in this context) is translated, and so is every argument that is a
    // refusal of PrivateFiles; the same notice again is not repeated.
    void tell(const QString& english, const QStringList& arguments = {});
    // A text already in the interface language, about something that just happened: shown
    // every time.
    void show(const QString& text);

    // org.freedesktop.Notifications on the session bus, asked without waiting for its answer.
    static Sender desktopNotifications();
    // Paths under the home folder read as the user knows them.
    static QString shownPath(const QString& path);

  private:
    Sender m_send;
    QSet<QStringList> m_told;
};
