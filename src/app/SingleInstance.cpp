#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <utility>

#include "core/AppLogger.h"
#include "settings/AppSettings.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

struct CommandWord {
    SingleInstance::Command command;
    const char* word;
};
constexpr std::array commandWords{
    CommandWord{SingleInstance::Command::Activate, "activate"},
    CommandWord{SingleInstance::Command::TogglePopup, "toggle-popup"},
    CommandWord{SingleInstance::Command::ShowHistory, "show-history"},
    CommandWord{SingleInstance::Command::ShowSettings, "show-settings"},
    CommandWord{SingleInstance::Command::ShowOnboarding, "show-onboarding"},
    CommandWord{SingleInstance::Command::Quit, "quit"},
};

const QByteArray okReply = QByteArrayLiteral("ok\n");
const QByteArray languageWord = QByteArrayLiteral("language");
const QByteArray unknownReply = QByteArrayLiteral("unknown\n");

int remainingMs(const QDeadlineTimer& deadline) {
    return int(qMax<qint64>(0, deadline.remainingTime()));
}

// The socket is made with the process umask; only its owner may use it. The folder is private
// already, this keeps it so if the socket is ever moved or linked elsewhere.
bool restrictToOwner(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    return ::chmod(native.constData(), 0600) == 0 && ::lstat(native.constData(), &st) == 0 &&
           S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0600;
}

void drop(QLocalSocket* peer) {
    peer->disconnect();
    peer->abort();
    peer->deleteLater();
}

}  // namespace

SingleInstance::SingleInstance(QString directory, QObject* parent)
    : SingleInstance(std::move(directory), Timing{}, parent) {}

SingleInstance::SingleInstance(QString directory, Timing timing, QObject* parent)
    : QObject(parent),
      m_directory(std::move(directory)),
      m_timing(timing),
      m_lock(m_directory + QLatin1Char('/') + lockFileName) {
    // A live holder keeps an flock on the file, so only the lock of a process that is gone can
    // be taken over by age (say, a pid reused after a crash, or a changed host name).
    m_lock.setStaleLockTime(m_timing.staleLockMs);
}

SingleInstance::~SingleInstance() {
    // The socket goes before the lock, so a start that finds no lock finds no socket either.
    m_server.reset();
}

QString SingleInstance::lockPath() const {
    return m_directory + QLatin1Char('/') + lockFileName;
}

QString SingleInstance::socketPath() const {
    return m_directory + QLatin1Char('/') + socketFileName;
}

bool SingleInstance::isListening() const {
    return m_server && m_server->isListening();
}

QByteArray SingleInstance::wordFor(Command command) {
    for (const CommandWord& entry : commandWords) {
        if (entry.command == command) {
            return QByteArray(entry.word);
        }
    }
    return {};
}

std::optional<SingleInstance::Command> SingleInstance::commandFor(QByteArrayView word) {
    for (const CommandWord& entry : commandWords) {
        if (word == entry.word) {
            return entry.command;
        }
    }
    return std::nullopt;
}

SingleInstance::Role SingleInstance::start(Command command) {
    const Role role = claim(command);
    if (role == Role::Primary) {
        listen();
    }
    return role;
}

SingleInstance::Role SingleInstance::claim(Command command, const QString& language) {
    if (m_lock.tryLock(0)) {
        return Role::Primary;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        log(QStringLiteral("SingleInstance: cannot create %1").arg(lockPath()));
        return Role::Unavailable;
    }
    m_delivered = send(command, language);
    if (!m_delivered) {
        log(QStringLiteral("SingleInstance: the running instance did not answer"));
    }
    return Role::Secondary;
}

void SingleInstance::listen() {
    // What a killed instance left behind; we hold the lock, so nobody else is listening there.
    QLocalServer::removeServer(socketPath());
    m_server = std::make_unique<QLocalServer>();
    m_server->setMaxPendingConnections(8);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (!m_server->listen(socketPath()) || !restrictToOwner(socketPath())) {
        log(QStringLiteral("SingleInstance: cannot listen on %1: %2")
                .arg(socketPath(), m_server->errorString()));
        m_server.reset();
        QLocalServer::removeServer(socketPath());
    }
}

bool SingleInstance::send(Command command, const QString& language) {
    const QDeadlineTimer deadline(m_timing.sendTimeoutMs);
    QLocalSocket socket;
    // The running instance takes the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(remainingMs(deadline))) {
            break;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(20);
    }
    QByteArray lines;
    if (!language.isEmpty()) {
        lines += languageWord + ' ' + language.toLatin1() + '\n';
    }
    lines += wordFor(command) + '\n';
    socket.write(lines);
    if (!socket.waitForBytesWritten(remainingMs(deadline))) {
        return false;
    }
    // One answer per line, each of them "ok".
    for (qsizetype i = lines.count('\n'); i > 0; --i) {
        while (!socket.canReadLine()) {
            if (socket.bytesAvailable() >= maxLineLength ||
                !socket.waitForReadyRead(remainingMs(deadline))) {
                return false;
            }
        }
        if (socket.readLine(maxLineLength) != okReply) {
            return false;
        }
    }
    return true;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* peer = m_server->nextPendingConnection()) {
        // Bounded: a line longer than this is never completed and the peer is dropped.
        peer->setReadBufferSize(maxLineLength);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] { readLines(peer); });
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        // However it behaves, a peer gets this long; the main thread never waits for it.
        QTimer::singleShot(m_timing.peerTimeoutMs, peer, [peer] { drop(peer); });
        readLines(peer);
    }
}

void SingleInstance::readLines(QLocalSocket* peer) {
    while (peer->canReadLine()) {
        QByteArray line = peer->readLine(maxLineLength + 1);
        line.chop(line.endsWith("\r\n") ? 2 : 1);
        if (line.startsWith(languageWord + ' ')) {
            const QString code = QString::fromLatin1(line.mid(languageWord.size() + 1));
            const bool known = AppSettings::isLanguageCode(code);
            peer->write(known ? okReply : unknownReply);
            peer->waitForBytesWritten(0);
            if (known) {
                Q_EMIT languageRequested(code);
            }
            continue;
        }
        const std::optional<Command> command = commandFor(line);
        peer->write(command ? okReply : unknownReply);
        // Sent before the command runs: "quit" ends the event loop that would otherwise send it.
        // A reply this short fits the socket buffer, so this does not wait.
        peer->waitForBytesWritten(0);
        if (command) {
            dispatch(*command);
        }
    }
    if (peer->bytesAvailable() >= maxLineLength) {
        log(QStringLiteral("SingleInstance: dropped a peer sending an overlong line"));
        drop(peer);
    }
}

void SingleInstance::dispatch(Command command) {
    Q_EMIT commandReceived(command);
    switch (command) {
        case Command::Activate:
            Q_EMIT activationRequested();
            break;
        case Command::TogglePopup:
        case Command::ShowHistory:
        case Command::ShowSettings:
        case Command::ShowOnboarding:
        case Command::Quit:
            break;
    }
}
