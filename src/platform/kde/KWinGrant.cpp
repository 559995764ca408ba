// SPDX-License-Identifier: MIT
#include "platform/kde/KWinGrant.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include <array>

#include "core/AppLogger.h"
#include "platform/kde/KWinFakeInput.h"
#include "platform/kde/KWinWindowTracker.h"
#include "platform/wayland/WaylandSession.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
// After a folder changed: the file may still be half written, and KWin looks at the desktop
// files again at most every second or so when a client connects.
constexpr std::array kRetryDelaysMs{250, 1000, 2500, 5000};

// The folder itself, or the nearest one above it that exists, whose change tells of its making.
QString watchable(QString folder) {
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder) {
            return {};
        }
        folder = parent;
    }
    return folder;
}
}  // namespace

KWinGrant::KWinGrant(std::shared_ptr<WaylandSession> session, const QString& applicationName,
                     const QStringList& folders, QObject* parent)
    : QObject(parent),
      m_applicationName(applicationName),
      m_folders(folders),
      m_first(std::move(session)) {
    if (auto input = std::make_unique<KWinFakeInput>(*m_first, applicationName);
        input->isGranted()) {
        m_input = std::move(input);
    }
    if (auto windows = std::make_unique<KWinWindowTracker>(*m_first); windows->isOffered()) {
        m_windows = std::move(windows);
    }
    if (!m_input) {
        watch();
    }
}

KWinGrant::~KWinGrant() = default;

bool KWinGrant::isGranted() const {
    return m_input && m_input->isGranted();
}

bool KWinGrant::retry() {
    if (m_input) {
        return m_input->isGranted();
    }
    auto fresh = std::make_unique<WaylandSession>();
    if (!fresh->isConnected()) {
        return false;
    }
    auto input = std::make_unique<KWinFakeInput>(*fresh, m_applicationName);
    if (!input->isGranted()) {
        return false;
    }
    log(QStringLiteral("KWinGrant: fake input granted to a new connection"));
    // The window list of the connection that has the grant (KWin grants both by one file).
    if (auto windows = std::make_unique<KWinWindowTracker>(*fresh); windows->isOffered()) {
        m_windows = std::move(windows);
    }
    m_input = std::move(input);
    m_fresh = std::move(fresh);
    // Either may be what called us.
    if (m_watcher != nullptr) {
        m_watcher->deleteLater();
        m_watcher = nullptr;
        m_retry->stop();
    }
    Q_EMIT granted();
    return true;
}

void KWinGrant::watch() {
    if (m_watcher == nullptr) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &KWinGrant::foldersChanged);
        m_retry = new QTimer(this);
        m_retry->setSingleShot(true);
        connect(m_retry, &QTimer::timeout, this, [this] {
            if (!retry()) {
                retryLater();
            }
        });
    }
    QStringList wanted;
    for (const QString& folder : std::as_const(m_folders)) {
        if (const QString path = watchable(QDir::cleanPath(folder)); !path.isEmpty()) {
            wanted.append(path);
        }
    }
    wanted.removeDuplicates();
    const QStringList watched = m_watcher->directories();
    for (const QString& path : watched) {
        if (!wanted.contains(path)) {
            m_watcher->removePath(path);
        }
    }
    for (const QString& path : std::as_const(wanted)) {
        if (!watched.contains(path)) {
            m_watcher->addPath(path);
        }
    }
}

void KWinGrant::foldersChanged() {
    // A folder may have been made (or removed) meanwhile.
    watch();
    m_attempt = 0;
    retryLater();
}

void KWinGrant::retryLater() {
    if (m_watcher != nullptr && m_attempt < int(kRetryDelaysMs.size())) {
        m_retry->start(kRetryDelaysMs[size_t(m_attempt++)]);
    }
}

KWinGrantedInjector::KWinGrantedInjector(KWinGrant& grant, std::unique_ptr<KeyInjector> otherwise)
    : m_grant(grant), m_otherwise(std::move(otherwise)) {}

KWinGrantedInjector::~KWinGrantedInjector() = default;

bool KWinGrantedInjector::postPasteKeystroke(const Keystroke& keystroke) {
    return m_grant.retry() ? m_grant.input()->postPasteKeystroke(keystroke)
                           : m_otherwise->postPasteKeystroke(keystroke);
}

bool KWinGrantedInjector::userHoldsModifiers() {
    return m_grant.isGranted() ? m_grant.input()->userHoldsModifiers()
                               : m_otherwise->userHoldsModifiers();
}

KWinGrantedWindowTracker::KWinGrantedWindowTracker(KWinGrant& grant,
                                                   std::unique_ptr<WindowTracker> otherwise)
    : m_grant(grant), m_otherwise(std::move(otherwise)) {}

KWinGrantedWindowTracker::~KWinGrantedWindowTracker() = default;

WindowTracker& KWinGrantedWindowTracker::current() const {
    if (KWinWindowTracker* windows = m_grant.windows()) {
        return *windows;
    }
    return *m_otherwise;
}

std::optional<RunningApp> KWinGrantedWindowTracker::frontmostApplication() const {
    return current().frontmostApplication();
}

void KWinGrantedWindowTracker::activate(const RunningApp& app) {
    current().activate(app);
}

qint64 KWinGrantedWindowTracker::currentProcessId() const {
    return current().currentProcessId();
}

QStringList KWinGrantedWindowTracker::openWindowClasses() const {
    return current().openWindowClasses();
}
