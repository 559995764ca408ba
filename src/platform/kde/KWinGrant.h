// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

#include "platform/InputInjectionAccess.h"
#include "platform/KeyInjector.h"
#include "platform/WindowTracker.h"

class KWinFakeInput;
class KWinWindowTracker;
class QFileSystemWatcher;
class QTimer;
class WaylandSession;

// What KWin lets us bind: its fake input and window list. KWin decides this for a connection
// when the connection is made, from a desktop file that names the executable, so a file written
// while we run (tools/run from a build tree, the package installed meanwhile) grants only
// connections made after it. While fake input is refused, a fresh connection is therefore tried
// whenever the grant may just have come: a folder of desktop files changed (watched, so an idle
// process is not woken), or the user asks for what needs it. No restart, so no history lost.
class KWinGrant final : public QObject {
    Q_OBJECT
  public:
    // Takes what `session` is granted first; `folders` are where KWin finds desktop files.
    KWinGrant(std::shared_ptr<WaylandSession> session, const QString& applicationName,
              const QStringList& folders, QObject* parent = nullptr);
    ~KWinGrant() override;
    KWinGrant(const KWinGrant&) = delete;
    KWinGrant& operator=(const KWinGrant&) = delete;

    bool isGranted() const;
    // Asks KWin again on a fresh connection unless fake input is granted already; whether it is
    // granted now.
    bool retry();
    // Null until granted.
    KWinFakeInput* input() const { return m_input.get(); }
    // Null until KWin offers its window list.
    KWinWindowTracker* windows() const { return m_windows.get(); }

  Q_SIGNALS:
    // Fake input was granted to a later connection.
    void granted();

  private:
    void watch();
    void foldersChanged();
    void retryLater();

    QString m_applicationName;
    QStringList m_folders;
    // The first connection, and the later one that got the grant; declared first, so released
    // after what is bound on them.
    std::shared_ptr<WaylandSession> m_first;
    std::unique_ptr<WaylandSession> m_fresh;
    std::unique_ptr<KWinFakeInput> m_input;
    std::unique_ptr<KWinWindowTracker> m_windows;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_retry = nullptr;
    int m_attempt = 0;
};

// The ports over the grant: KWin's where granted, else the ones given.
class KWinGrantedInjector final : public KeyInjector {
  public:
    KWinGrantedInjector(KWinGrant& grant, std::unique_ptr<KeyInjector> otherwise);
    ~KWinGrantedInjector() override;
    bool postPasteKeystroke(const Keystroke& keystroke) override;
    bool userHoldsModifiers() override;

  private:
    KWinGrant& m_grant;
    std::unique_ptr<KeyInjector> m_otherwise;
};

class KWinGrantedTrust final : public InputInjectionAccess {
  public:
    KWinGrantedTrust(KWinGrant& grant, std::unique_ptr<InputInjectionAccess> otherwise)
        : m_grant(grant), m_otherwise(std::move(otherwise)) {}
    // Asked as the user opens our windows or the popup: the moment to ask KWin again.
    bool isTrusted() override { return m_grant.retry() || m_otherwise->isTrusted(); }

  private:
    KWinGrant& m_grant;
    std::unique_ptr<InputInjectionAccess> m_otherwise;
};

class KWinGrantedWindowTracker final : public WindowTracker {
  public:
    KWinGrantedWindowTracker(KWinGrant& grant, std::unique_ptr<WindowTracker> otherwise);
    ~KWinGrantedWindowTracker() override;
    std::optional<RunningApp> frontmostApplication() const override;
    void activate(const RunningApp& app) override;
    qint64 currentProcessId() const override;
    QStringList openWindowClasses() const override;

  private:
    WindowTracker& current() const;
    KWinGrant& m_grant;
    std::unique_ptr<WindowTracker> m_otherwise;
};
