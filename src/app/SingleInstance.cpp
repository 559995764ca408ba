#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QVariant>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
    CommandWord{SingleInstance::Command::Pause, "pause"},
    CommandWord{SingleInstance::Command::Resume, "resume"},
    CommandWord{SingleInstance::Command::Quit, "quit"},
};

const QByteArray okReply = QByteArrayLiteral("ok\n");
const QByteArray languageWord = QByteArrayLiteral("language");
const QByteArray unknownReply = QByteArrayLiteral("unknown\n");
const QByteArray okAnswer = QByteArrayLiteral("ok ");
const QByteArray errorAnswer = QByteArrayLiteral("error ");
const char* const linesServed = "quillstackLines";
const char* const answering = "quillstackAnswering";

using Query = SingleInstance::Query;
struct QueryWord {
    Query::Kind kind;
    const char* word;
};
constexpr std::array queryWords{QueryWord{Query::Kind::List, "list"},
                                QueryWord{Query::Kind::Print, "print"},
                                QueryWord{Query::Kind::Copy, "copy"}};

// The peer's own timer: idle this long, it is dropped.
QTimer* deadlineOf(QLocalSocket* peer) {
    return peer->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
}

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

bool SingleInstance::connectWithin(QLocalSocket& socket, const QDeadlineTimer& deadline) {
    // The running instance takes the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(remainingMs(deadline))) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(20);
    }
}

SingleInstance::Role SingleInstance::ask(const Query& query, const QString& language,
                                         const std::function<bool(QByteArrayView)>& sink) {
    m_answerError.clear();
    m_delivered = false;
    if (m_lock.tryLock(0)) {
        return Role::Primary;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        return Role::Unavailable;
    }
    const QDeadlineTimer deadline(m_timing.sendTimeoutMs);
    QLocalSocket socket;
    if (!connectWithin(socket, deadline)) {
        return Role::Secondary;
    }
    QByteArray lines;
    if (!language.isEmpty()) {
        lines += languageWord + ' ' + language.toLatin1() + '\n';
    }
    socket.write(lines + lineFor(query) + '\n');
    if (!socket.waitForBytesWritten(remainingMs(deadline))) {
        return Role::Secondary;
    }
    m_delivered = receiveAnswer(socket, sink);
    return Role::Secondary;
}

bool SingleInstance::receiveAnswer(QLocalSocket& socket,
                                   const std::function<bool(QByteArrayView)>& sink) {
    // The language's confirmation first, then the answer's own line.
    QDeadlineTimer deadline(m_timing.answerTimeoutMs);
    QByteArray header;
    for (;;) {
        while (!socket.canReadLine()) {
            if (socket.bytesAvailable() >= maxLineLength ||
                !socket.waitForReadyRead(remainingMs(deadline))) {
                return false;
            }
        }
        header = socket.readLine(maxLineLength);
        if (header != okReply) {
            break;
        }
    }
    header.chop(1);
    if (header.startsWith(errorAnswer)) {
        m_answerError = QString::fromUtf8(header.mid(errorAnswer.size()));
        return true;
    }
    bool number = false;
    qint64 left =
        header.startsWith(okAnswer) ? header.mid(okAnswer.size()).toLongLong(&number) : -1;
    if (!number || left < 0) {
        return false;
    }
    // Piece by piece: a large record never sits whole in this process.
    while (left > 0) {
        if (socket.bytesAvailable() == 0) {
            deadline.setRemainingTime(m_timing.sendTimeoutMs);
            if (!socket.waitForReadyRead(remainingMs(deadline))) {
                return false;
            }
        }
        const QByteArray piece = socket.read(qMin<qint64>(left, answerChunk));
        left -= piece.size();
        if (!sink(piece)) {
            return false;
        }
    }
    return true;
}

bool SingleInstance::send(Command command, const QString& language) {
    const QDeadlineTimer deadline(m_timing.sendTimeoutMs);
    QLocalSocket socket;
    if (!connectWithin(socket, deadline)) {
        return false;
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
        // However it behaves, a peer gets this long (an answer being sent: this long without
        // progress); the main thread never waits for it.
        auto* deadline = new QTimer(peer);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, peer, [peer] { drop(peer); });
        deadline->start(m_timing.peerTimeoutMs);
        readLines(peer);
    }
}

void SingleInstance::readLines(QLocalSocket* peer) {
    while (!peer->property(answering).toBool() && peer->canReadLine()) {
        // Each line costs the main thread work: a peer gets a few, not as many as fit its time.
        const int served = peer->property(linesServed).toInt() + 1;
        if (served > maxLinesPerConnection) {
            log(QStringLiteral("SingleInstance: dropped a peer sending too many commands"));
            drop(peer);
            return;
        }
        peer->setProperty(linesServed, served);
        QByteArray line = peer->readLine(maxLineLength + 1);
        line.chop(line.endsWith("\r\n") ? 2 : 1);
        if (const std::optional<Query> query = queryFor(line)) {
            answer(peer, *query);
            return;
        }
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

void SingleInstance::answer(QLocalSocket* peer, const Query& query) {
    peer->setProperty(answering, true);
    // The answer may take a while to start (a large record read off the main thread).
    deadlineOf(peer)->start(m_timing.answerTimeoutMs);
    if (!m_queryHandler) {
        sendAnswer(peer, {QStringLiteral("this Quillstack answers no queries"), {}});
        return;
    }
    m_queryHandler(query, [this, peer = QPointer<QLocalSocket>(peer)](Answer reply) {
        if (peer) {
            sendAnswer(peer, std::move(reply));
        }
    });
}

void SingleInstance::sendAnswer(QLocalSocket* peer, Answer reply) {
    if (!reply.error.isEmpty()) {
        peer->write(errorAnswer + reply.error.simplified().toUtf8().left(maxLineLength) + '\n');
        peer->disconnectFromServer();
        return;
    }
    peer->write(okAnswer + QByteArray::number(reply.bytes.size()) + '\n');
    deadlineOf(peer)->setInterval(m_timing.peerTimeoutMs);
    // The next piece goes out once the socket has passed on the last: at most two pieces wait
    // here whatever the size, and the event loop runs between them.
    auto sent = std::make_shared<qsizetype>(0);
    const auto pump = [peer, sent, bytes = std::move(reply.bytes)] {
        if (*sent < 0) {
            return;
        }
        deadlineOf(peer)->start();
        while (*sent < bytes.size() && peer->bytesToWrite() < answerChunk) {
            const qsizetype piece = qMin(answerChunk, bytes.size() - *sent);
            peer->write(bytes.constData() + *sent, piece);
            *sent += piece;
        }
        if (*sent == bytes.size()) {
            *sent = -1;
            peer->disconnectFromServer();  // once what is buffered has gone
        }
    };
    connect(peer, &QLocalSocket::bytesWritten, peer, pump);
    pump();
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
