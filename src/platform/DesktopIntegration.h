// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <functional>

// A part of the desktop the user turns on so that the chord and the paste reach every window
// (GNOME's Shell extension). Main thread.
class DesktopIntegration : public QObject {
    Q_OBJECT
  public:
    enum class Outcome {
        Enabled,     // on now
        NeedsLogin,  // on from the next login: the desktop loads it only then
        Failed,      // not installed, or the desktop refused
    };

    using QObject::QObject;
    // Whether it is off or not answering now.
    virtual bool isMissing() const = 0;
    // Turns it on without waiting; `done` gets the outcome on this thread.
    virtual void enable(std::function<void(Outcome)> done) = 0;

  Q_SIGNALS:
    void missingChanged();
};
