// SPDX-License-Identifier: MIT
#include "app/instance/SingleInstance.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemWatcher>
#include <QLocalSocket>
#include <QPointer>
#include <QSet>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
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
    CommandWord{SingleInstance::Command::Pause, "pause"},
    CommandWord{SingleInstance::Command::Resume, "resume"},
    CommandWord{SingleInstance::Command::Quit, "quit"},
};

const QByteArray okReply = QByteArrayLiteral("ok\n");
const QByteArray languageWord = QByteArrayLiteral("language");
const QByteArray activationWord = QByteArrayLiteral("activation");
const QByteArray unknownReply = QByteArrayLiteral("unknown\n");
const QByteArray okAnswer = QByteArrayLiteral("ok ");
const QByteArray errorAnswer = QByteArrayLiteral("error ");

using Query = SingleInstance::Query;
struct QueryWord {
    Query::Kind kind;
    const char* word;
};
constexpr std::array queryWords{QueryWord{Query::Kind::List, "list"},
                                QueryWord{Query::Kind::Print, "print"},
                                QueryWord{Query::Kind::Copy, "copy"}};

int remainingMs(const QDeadlineTimer& deadline) {
    return int(qMax<qint64>(0, deadline.remainingTime()));
}

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The socket is made with the process umask; only its owner may use it. The folder is private
// already, this keeps it so if the socket is ever moved or linked elsewhere.
bool restrictToOwner(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    return ::chmod(native.constData(), 0600) == 0 && ::lstat(native.constData(), &st) == 0 &&
           S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0600;
}

std::optional<sockaddr_un> addressOf(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (native.isEmpty() || size_t(native.size()) >= sizeof(address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    return address;
}

// A blocking connect waits this long at most for room in the listen queue (Linux honours the
// send timeout there), so a burst of clients queues instead of failing.
int connectWithin(const sockaddr_un& address, int timeoutMs, int& error) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    const timeval timeout{timeoutMs / 1000, (qMax(1, timeoutMs) % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
    int result = 0;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        error = errno;
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

}  // namespace

// The asking side: plain blocking POSIX calls with deadlines, since it runs before (and
// without) any Qt event loop, which Qt's sockets need for their notifiers.
class SingleInstance::Client {
  public:
    explicit Client(int fd) : m_fd(fd) {}
    ~Client() { ::close(m_fd); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool sendAll(QByteArrayView data, const QDeadlineTimer& deadline, QString& why) {
        while (!data.isEmpty()) {
            const ssize_t sent =
                ::send(m_fd, data.data(), size_t(data.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent >= 0) {
                data = data.sliced(sent);
            } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
                if (!waitFor(POLLOUT, remainingMs(deadline), why)) {
                    return false;
                }
            } else if (errno != EINTR) {
                why = QStringLiteral("the connection failed: %1").arg(errorText(errno));
                return false;
            }
        }
        return true;
    }
    // One line without its newline, or nothing (why says what went wrong).
    std::optional<QByteArray> readLine(const QDeadlineTimer& deadline, QString& why) {
        for (;;) {
            const qsizetype end = m_pending.indexOf('\n');
            if (end >= 0) {
                QByteArray line = m_pending.left(end);
                m_pending.remove(0, end + 1);
                return line;
            }
            if (m_pending.size() >= maxLineLength) {
                why = QStringLiteral("its reply made no sense");
                return std::nullopt;
            }
            char buffer[maxLineLength];
            const qint64 got = receive(buffer, sizeof(buffer), remainingMs(deadline), why);
            if (got <= 0) {
                if (got == 0) {
                    why = QStringLiteral("it closed the connection");
                }
                return std::nullopt;
            }
            m_pending.append(buffer, got);
        }
    }
    // Up to `most` bytes (what readLine read ahead first); 0 at the end, -1 on failure.
    qint64 readSome(char* buffer, qint64 most, int timeoutMs, QString& why) {
        if (!m_pending.isEmpty()) {
            const qint64 taken = qMin<qint64>(most, m_pending.size());
            std::memcpy(buffer, m_pending.constData(), size_t(taken));
            m_pending.remove(0, taken);
            return taken;
        }
        return receive(buffer, most, timeoutMs, why);
    }

  private:
    qint64 receive(char* buffer, qint64 most, int timeoutMs, QString& why) {
        for (;;) {
            const ssize_t got = ::recv(m_fd, buffer, size_t(most), MSG_DONTWAIT);
            if (got >= 0) {
                return got;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                if (!waitFor(POLLIN, timeoutMs, why)) {
                    return -1;
                }
            } else if (errno != EINTR) {
                why = QStringLiteral("the connection failed: %1").arg(errorText(errno));
                return -1;
            }
        }
    }
    bool waitFor(short events, int timeoutMs, QString& why) {
        pollfd entry{m_fd, events, 0};
        QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            const int ready = ::poll(&entry, 1, remainingMs(deadline));
            if (ready > 0) {
                return true;
            }
            if (ready == 0) {
                why = QStringLiteral("no reply within %1 s").arg(qMax(1, timeoutMs / 1000));
                return false;
            }
            if (errno != EINTR) {
                why = QStringLiteral("the connection failed: %1").arg(errorText(errno));
                return false;
            }
        }
    }

    int m_fd;
    QByteArray m_pending;
};

struct SingleInstance::Peer {
    QLocalSocket* socket = nullptr;  // ours; deleted later when the peer is dropped
    QTimer* deadline = nullptr;      // the socket's child
    int lines = 0;
    bool answering = false;
    // An answer under way: its bytes, how much has gone to the socket, when it last moved
    // (valid from the answer's start until the peer has gone).
    bool streaming = false;
    SharedBytes bytes;
    qsizetype sent = 0;
    QElapsedTimer progress;
};

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
    for (const std::unique_ptr<Peer>& peer : m_peers) {
        peer->socket->disconnect(this);
        delete peer->socket;
    }
    m_peers.clear();
    m_watcher.reset();
    m_retry.reset();
    // The socket goes before the lock, so a start that finds no lock finds no socket either.
    closeSocket();
    if (m_spareFd >= 0) {
        ::close(m_spareFd);
    }
}

QString SingleInstance::lockPath() const {
    return m_directory + QLatin1Char('/') + lockFileName;
}

QString SingleInstance::socketPath() const {
    return m_directory + QLatin1Char('/') + socketFileName;
}

qint64 SingleInstance::heldAnswerBytes() const {
    qint64 held = 0;
    QSet<const char*> buffers;
    for (const std::unique_ptr<Peer>& peer : m_peers) {
        held += peer->socket->bytesToWrite();
        if (peer->bytes.size() > 0 && !buffers.contains(peer->bytes.bytes().constData())) {
            buffers.insert(peer->bytes.bytes().constData());
            held += peer->bytes.size();
        }
    }
    return held;
}

QByteArray SingleInstance::wordFor(Command command) {
    for (const CommandWord& entry : commandWords) {
        if (entry.command == command) {
            return QByteArray(entry.word);
        }
    }
    return {};
}

QByteArray SingleInstance::lineFor(const Query& query) {
    QByteArray line;
    for (const QueryWord& entry : queryWords) {
        if (entry.kind == query.kind) {
            line = entry.word;
        }
    }
    if (query.kind != Query::Kind::List) {
        line += ' ' + QByteArray::number(query.number);
    }
    if (query.kind == Query::Kind::Print && !query.type.isEmpty()) {
        line += ' ' + query.type.toLatin1();
    }
    return line;
}

std::optional<SingleInstance::Query> SingleInstance::queryFor(QByteArrayView line) {
    const QList<QByteArray> parts = line.toByteArray().split(' ');
    Query query;
    const auto word = std::find_if(queryWords.cbegin(), queryWords.cend(),
                                   [&](const QueryWord& entry) { return parts[0] == entry.word; });
    if (word == queryWords.cend()) {
        return std::nullopt;
    }
    query.kind = word->kind;
    const qsizetype arguments = query.kind == Query::Kind::List ? 0 : 1;
    const qsizetype most = query.kind == Query::Kind::Print ? 2 : arguments;
    if (parts.size() - 1 < arguments || parts.size() - 1 > most) {
        return std::nullopt;
    }
    if (arguments > 0) {
        bool number = false;
        query.number = parts[1].toLongLong(&number);
        if (!number) {
            return std::nullopt;
        }
    }
    if (parts.size() > 2) {
        query.type = QString::fromLatin1(parts[2]);
        if (!isTypeName(query.type)) {
            return std::nullopt;
        }
    }
    return query;
}

bool SingleInstance::isTypeName(const QString& type) {
    return !type.isEmpty() && type.size() < 128 &&
           std::all_of(type.cbegin(), type.cend(), [](QChar c) { return c > u' ' && c < u'\x7f'; });
}

bool SingleInstance::isActivationToken(const QString& token) {
    // The launchers' tokens and startup ids are of the same alphabet as a type name.
    return isTypeName(token);
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
    // Held by a live process: one that runs, or one that is starting and listens soon.
    tell(command, language, true);
    if (!m_delivered) {
        log(QStringLiteral("SingleInstance: the running instance did not answer"));
    }
    return Role::Secondary;
}

SingleInstance::Reach SingleInstance::tell(Command command, const QString& language) {
    return tell(command, language, false);
}

SingleInstance::Reach SingleInstance::tell(Command command, const QString& language,
                                           bool lockHeld) {
    QByteArray lines;
    if (!language.isEmpty()) {
        lines += languageWord + ' ' + language.toLatin1() + '\n';
    }
    if (!m_activationToken.isEmpty()) {
        lines += activationWord + ' ' + m_activationToken.toLatin1() + '\n';
    }
    lines += wordFor(command) + '\n';
    const qsizetype replies = lines.count('\n');
    const Reach reach = converse(lines, lockHeld, [this, replies](Client& client) {
        // One answer per line, each of them "ok".
        const QDeadlineTimer deadline(m_timing.answerTimeoutMs);
        for (qsizetype i = 0; i < replies; ++i) {
            const std::optional<QByteArray> reply = client.readLine(deadline, m_failure);
            if (!reply) {
                return Reach::NoAnswer;
            }
            if (*reply + '\n' != okReply) {
                m_failure = QStringLiteral("it refused the command (%1)")
                                .arg(QString::fromUtf8(reply->left(maxLineLength)).simplified());
                return Reach::NoAnswer;
            }
        }
        return Reach::Answered;
    });
    m_delivered = reach == Reach::Answered;
    return reach;
}

SingleInstance::Reach SingleInstance::ask(const Query& query, const QString& language,
                                          const std::function<bool(QByteArrayView)>& sink) {
    m_answerError.clear();
    QByteArray lines;
    if (!language.isEmpty()) {
        lines += languageWord + ' ' + language.toLatin1() + '\n';
    }
    lines += lineFor(query) + '\n';
    const Reach reach = converse(lines, false, [this, &sink](Client& client) {
        // The language's confirmation first, then the answer's own line; it may take a while
        // to start (a large record read off the main thread, the history not ready yet).
        const QDeadlineTimer deadline(m_timing.answerTimeoutMs);
        std::optional<QByteArray> header;
        do {
            header = client.readLine(deadline, m_failure);
            if (!header) {
                return Reach::NoAnswer;
            }
        } while (*header + '\n' == okReply);
        if (header->startsWith(errorAnswer)) {
            m_answerError = QString::fromUtf8(header->mid(errorAnswer.size()));
            return Reach::Answered;
        }
        bool number = false;
        const qint64 length =
            header->startsWith(okAnswer) ? header->mid(okAnswer.size()).toLongLong(&number) : -1;
        if (!number || length < 0) {
            m_failure = QStringLiteral("its reply made no sense");
            return Reach::NoAnswer;
        }
        // Piece by piece: a large record never sits whole in this process. No limit on the
        // whole, only on a stall: a slow reader of our output is not a dead instance.
        QByteArray buffer(answerChunk, Qt::Uninitialized);
        for (qint64 left = length; left > 0;) {
            const qint64 got = client.readSome(buffer.data(), qMin<qint64>(left, answerChunk),
                                               m_timing.stallTimeoutMs, m_failure);
            if (got <= 0) {
                if (got == 0) {
                    m_failure = QStringLiteral("the answer ended after %1 of %2 bytes")
                                    .arg(length - left)
                                    .arg(length);
                }
                return Reach::NoAnswer;
            }
            left -= got;
            if (!sink(QByteArrayView(buffer.constData(), got))) {
                return Reach::Stopped;
            }
        }
        return Reach::Answered;
    });
    m_delivered = reach == Reach::Answered || reach == Reach::Stopped;
    return reach;
}

SingleInstance::Reach SingleInstance::converse(const QByteArray& lines, bool lockHeld,
                                               const std::function<Reach(Client&)>& receive) {
    m_failure.clear();
    m_delivered = false;
    const std::optional<sockaddr_un> address = addressOf(socketPath());
    if (!address) {
        m_failure = QStringLiteral("its socket's path is too long");
        return Reach::NoAnswer;
    }
    // Nothing listening means nothing runs, unless a live process holds the lock: that one is
    // starting (it takes the lock a moment before it listens), and is waited for a while.
    // Only looked at, never taken: taking it, even briefly, would turn that start away.
    const QDeadlineTimer deadline(m_timing.sendTimeoutMs);
    int fd = -1;
    for (;;) {
        int error = 0;
        fd = connectWithin(*address, qMax(1, remainingMs(deadline)), error);
        if (fd >= 0) {
            break;
        }
        const bool nobody = error == ENOENT || error == ECONNREFUSED;
        if (nobody && !lockHeld && !lockHeldByLiveProcess()) {
            return Reach::NotRunning;
        }
        if (deadline.hasExpired()) {
            m_failure = nobody ? QStringLiteral("it does not listen yet")
                        : error == EAGAIN
                            ? QStringLiteral("too many others are waiting for it")
                            : QStringLiteral("cannot connect: %1").arg(errorText(error));
            return Reach::NoAnswer;
        }
        QThread::msleep(20);
    }
    Client client(fd);
    if (!client.sendAll(lines, deadline, m_failure)) {
        return Reach::NoAnswer;
    }
    return receive(client);
}

bool SingleInstance::lockHeldByLiveProcess() const {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!QLockFile(lockPath()).getLockInfo(&pid, &host, &application) || pid <= 0) {
        return false;
    }
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

void SingleInstance::listen() {
    if (m_spareFd < 0) {
        m_spareFd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    }
    m_retry = std::make_unique<QTimer>();
    m_retry->setSingleShot(true);
    connect(m_retry.get(), &QTimer::timeout, this, [this] {
        evictStalled();
        resumeAccepting();
    });
    openSocket();
    // A socket file someone removed is made again. inotify wakes us only when the folder
    // changes, so an idle instance stays asleep.
    m_watcher = std::make_unique<QFileSystemWatcher>(QStringList{m_directory});
    connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this,
            &SingleInstance::checkSocketFile);
}

bool SingleInstance::openSocket() {
    const std::optional<sockaddr_un> address = addressOf(socketPath());
    // What a killed instance left behind; we hold the lock, so nobody else is listening there.
    ::unlink(QFile::encodeName(socketPath()).constData());
    const int fd = address ? ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0) : -1;
    struct stat st {};
    // Listening only once it is ours alone; the kernel's queue as long as it allows, so that
    // a burst of starts waits there rather than being refused.
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0 ||
        !restrictToOwner(socketPath()) || ::listen(fd, SOMAXCONN) != 0 ||
        ::lstat(QFile::encodeName(socketPath()).constData(), &st) != 0) {
        log(QStringLiteral("SingleInstance: cannot listen on %1: %2")
                .arg(socketPath(), address ? errorText(errno) : QStringLiteral("path too long")));
        if (fd >= 0) {
            ::close(fd);
            ::unlink(QFile::encodeName(socketPath()).constData());
        }
        return false;
    }
    m_listenFd = fd;
    m_socketDevice = st.st_dev;
    m_socketInode = st.st_ino;
    m_acceptor = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_acceptor.get(), &QSocketNotifier::activated, this,
            &SingleInstance::acceptConnections);
    resumeAccepting();
    return true;
}

void SingleInstance::closeSocket() {
    if (m_listenFd < 0) {
        return;
    }
    m_acceptor.reset();
    ::close(m_listenFd);
    m_listenFd = -1;
    const QByteArray path = QFile::encodeName(socketPath());
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && st.st_dev == m_socketDevice &&
        st.st_ino == m_socketInode) {
        ::unlink(path.constData());
    }
}

void SingleInstance::checkSocketFile() {
    struct stat st {};
    if (m_listenFd >= 0 && ::lstat(QFile::encodeName(socketPath()).constData(), &st) == 0 &&
        S_ISSOCK(st.st_mode) && st.st_dev == m_socketDevice && st.st_ino == m_socketInode) {
        return;
    }
    // Peers already connected keep their conversations; only new ones need the name.
    log(QStringLiteral("SingleInstance: the socket file was removed or replaced, listening anew"));
    closeSocket();
    openSocket();
}

void SingleInstance::acceptConnections() {
    while (int(m_peers.size()) < maxPeers) {
        int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0 && (errno == EMFILE || errno == ENFILE) && m_spareFd >= 0) {
            // Out of descriptors: the spare one makes room for this peer. It is opened again
            // once a peer has gone, and until then accepting waits.
            ::close(m_spareFd);
            m_spareFd = -1;
            fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        }
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return;
            }
            // Never a reason to stop serving: wait until a peer has gone (or, with none to
            // wait for, a second), then accept again.
            log(QStringLiteral("SingleInstance: cannot accept a connection now: %1")
                    .arg(errorText(errno)));
            m_acceptor->setEnabled(false);
            m_retry->start(1000);
            return;
        }
        auto* socket = new QLocalSocket(this);
        if (!socket->setSocketDescriptor(fd, QLocalSocket::ConnectedState, QIODevice::ReadWrite)) {
            ::close(fd);
            delete socket;
            continue;
        }
        m_peers.push_back(std::make_unique<Peer>());
        Peer& peer = *m_peers.back();
        peer.socket = socket;
        // Bounded: a line longer than this is never completed and the peer is dropped.
        socket->setReadBufferSize(maxLineLength);
        connect(socket, &QLocalSocket::readyRead, this, [this, &peer] { readLines(peer); });
        connect(socket, &QLocalSocket::bytesWritten, this, [this, &peer] { pump(peer); });
        connect(socket, &QLocalSocket::disconnected, this, [this, &peer] { drop(peer); });
        // A peer gets this long to say what it wants; the main thread never waits for it.
        peer.deadline = new QTimer(socket);
        peer.deadline->setSingleShot(true);
        connect(peer.deadline, &QTimer::timeout, this, [this, &peer] { drop(peer); });
        peer.deadline->start(m_timing.peerTimeoutMs);
        readLines(peer);
    }
    // Full: the rest wait in the kernel's queue until a peer has gone.
    resumeAccepting();
}

void SingleInstance::resumeAccepting() {
    if (m_spareFd < 0) {
        m_spareFd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    }
    if (!m_acceptor) {
        return;
    }
    if (int(m_peers.size()) < maxPeers) {
        m_retry->stop();
        m_acceptor->setEnabled(true);
        return;
    }
    m_acceptor->setEnabled(false);
    // Every place taken: look again when the longest stalled answer may be given up.
    qint64 stalled = 0;
    for (const std::unique_ptr<Peer>& peer : m_peers) {
        if (peer->progress.isValid()) {
            stalled = qMax(stalled, peer->progress.elapsed());
        }
    }
    m_retry->start(int(qMax<qint64>(1, m_timing.stallTimeoutMs - stalled)));
}

void SingleInstance::evictStalled() {
    if (int(m_peers.size()) < maxPeers) {
        return;
    }
    Peer* longest = nullptr;
    for (const std::unique_ptr<Peer>& peer : m_peers) {
        if (peer->progress.isValid() && peer->progress.hasExpired(m_timing.stallTimeoutMs) &&
            (!longest || peer->progress.elapsed() > longest->progress.elapsed())) {
            longest = peer.get();
        }
    }
    if (longest) {
        log(QStringLiteral("SingleInstance: dropped a stalled reader to make room"));
        drop(*longest);
    }
}

void SingleInstance::drop(Peer& peer) {
    const auto found =
        std::find_if(m_peers.begin(), m_peers.end(),
                     [&](const std::unique_ptr<Peer>& p) { return p.get() == &peer; });
    if (found == m_peers.end()) {
        return;
    }
    std::unique_ptr<Peer> gone = std::move(*found);
    m_peers.erase(found);
    gone->deadline->stop();
    gone->socket->disconnect(this);
    gone->socket->abort();
    gone->socket->deleteLater();
    // Its descriptor is free again: the spare is taken back, and accepting resumes.
    resumeAccepting();
}

void SingleInstance::readLines(Peer& peer) {
    // Writing can find the peer gone, and a command's slots may do anything: after either, the
    // peer is looked up again.
    QLocalSocket* const socket = peer.socket;
    const auto gone = [this, socket] {
        return std::none_of(
            m_peers.cbegin(), m_peers.cend(),
            [socket](const std::unique_ptr<Peer>& p) { return p->socket == socket; });
    };
    while (!peer.answering && peer.socket->canReadLine()) {
        // Each line costs the main thread work: a peer gets a few, not as many as fit its time.
        if (++peer.lines > maxLinesPerConnection) {
            log(QStringLiteral("SingleInstance: dropped a peer sending too many commands"));
            drop(peer);
            return;
        }
        QByteArray line = peer.socket->readLine(maxLineLength + 1);
        line.chop(line.endsWith("\r\n") ? 2 : 1);
        if (const std::optional<Query> query = queryFor(line)) {
            answer(peer, *query);
            return;
        }
        if (line.startsWith(languageWord + ' ')) {
            const QString code = QString::fromLatin1(line.mid(languageWord.size() + 1));
            const bool known = AppSettings::isLanguageCode(code);
            peer.socket->write(known ? okReply : unknownReply);
            peer.socket->waitForBytesWritten(0);
            if (known) {
                Q_EMIT languageRequested(code);
            }
            if (gone()) {
                return;
            }
            continue;
        }
        if (line.startsWith(activationWord + ' ')) {
            const QString token = QString::fromLatin1(line.mid(activationWord.size() + 1));
            const bool valid = isActivationToken(token);
            peer.socket->write(valid ? okReply : unknownReply);
            peer.socket->waitForBytesWritten(0);
            if (valid) {
                Q_EMIT activationTokenReceived(token);
            }
            if (gone()) {
                return;
            }
            continue;
        }
        const std::optional<Command> command = commandFor(line);
        peer.socket->write(command ? okReply : unknownReply);
        // Sent before the command runs: "quit" ends the event loop that would otherwise send it.
        // A reply this short fits the socket buffer, so this does not wait.
        peer.socket->waitForBytesWritten(0);
        if (command && !gone()) {
            dispatch(*command);
        }
        if (gone()) {
            return;
        }
    }
    if (peer.socket->bytesAvailable() >= maxLineLength) {
        log(QStringLiteral("SingleInstance: dropped a peer sending an overlong line"));
        drop(peer);
    }
}

void SingleInstance::answer(Peer& peer, const Query& query) {
    peer.answering = true;
    // The answer may take a while to start (a large record read off the main thread).
    peer.deadline->start(m_timing.answerTimeoutMs);
    if (!m_queryHandler) {
        sendAnswer(peer, {QStringLiteral("this Quillstack answers no queries"), {}});
        return;
    }
    // The socket, not the peer, is what the reply looks for: a peer dropped meanwhile is
    // skipped, and so is a second reply.
    m_queryHandler(query, [this, socket = QPointer<QLocalSocket>(peer.socket),
                           replied = std::make_shared<bool>(false)](Answer reply) {
        if (*replied || !socket) {
            return;
        }
        *replied = true;
        for (const std::unique_ptr<Peer>& candidate : m_peers) {
            if (candidate->socket == socket) {
                sendAnswer(*candidate, std::move(reply));
                return;
            }
        }
    });
}

void SingleInstance::sendAnswer(Peer& peer, Answer reply) {
    if (!reply.error.isEmpty()) {
        peer.socket->write(errorAnswer + reply.error.simplified().toUtf8().left(maxLineLength) +
                           '\n');
        peer.deadline->start(m_timing.peerTimeoutMs);
        peer.socket->disconnectFromServer();
        return;
    }
    peer.socket->write(okAnswer + QByteArray::number(reply.bytes.size()) + '\n');
    // However slowly it is read (a pager, a pipe to a busy program), an answer is not cut
    // short: it holds one shared buffer and at most two pieces of its own here.
    peer.deadline->stop();
    peer.streaming = true;
    peer.bytes = std::move(reply.bytes);
    peer.sent = 0;
    peer.progress.start();
    pump(peer);
}

void SingleInstance::pump(Peer& peer) {
    if (!peer.progress.isValid()) {
        return;
    }
    peer.progress.restart();
    if (!peer.streaming) {
        return;
    }
    const QByteArray& bytes = peer.bytes.bytes();
    while (peer.sent < bytes.size() && peer.socket->bytesToWrite() < answerChunk) {
        const qsizetype piece = qMin(answerChunk, bytes.size() - peer.sent);
        peer.socket->write(bytes.constData() + peer.sent, piece);
        peer.sent += piece;
    }
    if (peer.sent == bytes.size()) {
        peer.streaming = false;
        peer.bytes = SharedBytes();
        peer.socket->disconnectFromServer();  // once what is buffered has gone
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
        case Command::Pause:
        case Command::Resume:
        case Command::Quit:
            break;
    }
}
