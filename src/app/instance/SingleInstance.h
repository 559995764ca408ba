// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/SharedBytes.h"

class QFileSystemWatcher;
class QLocalSocket;
class QSocketNotifier;
class QTimer;

// One Quillstack per user. A lock file in the private runtime folder decides who runs; the
// running instance listens on a local socket beside it, and a later start hands its command
// over that socket instead of starting a second copy. A command that never starts Quillstack
// (a query, --quit) does not touch the lock at all: it only connects, so that asking while
// Quillstack starts can never make the start believe another one runs.
//
// The protocol is one command per line, ASCII, at most maxLineLength bytes with the newline;
// each known command is answered "ok", an unknown one "unknown". "language CODE" before the
// command switches the interface language (a code the settings take); "activation TOKEN" hands
// on the launcher's token of that start (XDG_ACTIVATION_TOKEN or DESKTOP_STARTUP_ID), with
// which the window it asks for may take the focus. A peer that breaks the
// rules, sends more than maxLinesPerConnection lines or has not sent its command within
// peerTimeoutMs is dropped. A query ("list", "print N [TYPE]", "copy N") ends the conversation:
// it is answered "ok LENGTH" and that many bytes, or "error MESSAGE", and the connection is
// closed. An answer being sent is never timed out: its reader may be a pager.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // A new command: a value here, its word in the table in the .cpp file, and a signal.
    enum class Command {
        Activate,
        TogglePopup,
        ShowHistory,
        ShowSettings,
        ShowOnboarding,
        Pause,
        Resume,
        Quit
    };
    Q_ENUM(Command)
    // A question about the history, answered with bytes. Records count from 1, newest first.
    struct Query {
        enum class Kind { List, Print, Copy };
        Kind kind = Kind::List;
        qint64 number = 0;
        QString type;  // Print: the MIME type wanted; empty: the text
    };
    struct Answer {
        QString error;  // one line; empty on success
        // Shared, not copied, by every peer that is sent the same record.
        SharedBytes bytes;
    };
    // Answers a query, at once or later: reply may be called after the handler returned, from a
    // later turn of the loop (once only; a peer gone by then is skipped).
    using QueryHandler = std::function<void(const Query&, std::function<void(Answer)> reply)>;
    enum class Role { Primary, Secondary, Unavailable };
    Q_ENUM(Role)
    // What a command or query sent to the running instance came to.
    enum class Reach {
        Answered,
        NotRunning,  // nothing listens and no live process holds the lock
        NoAnswer,    // why: failure()
        Stopped      // the sink refused a piece (the output was closed)
    };
    Q_ENUM(Reach)
    struct Timing {
        int peerTimeoutMs = 2000;     // a peer is dropped when its command has not come by then
        int sendTimeoutMs = 2000;     // how long a second start tries to reach the running one
        int staleLockMs = 5000;       // age after which a lock no live process holds is taken over
        int answerTimeoutMs = 30000;  // how long a query waits for its answer to start
        // How long the asking side waits for the next piece of an answer under way; the server
        // drops a peer that made no progress this long only to make room for another.
        int stallTimeoutMs = 30000;
    };

    static constexpr qsizetype maxLineLength = 256;
    // Our own starts send three: a language, an activation token and a command.
    static constexpr int maxLinesPerConnection = 4;
    // An answer goes out this much at a time, the next piece once the last one has left.
    static constexpr qsizetype answerChunk = 64 * 1024;
    // Peers served at once; later ones wait in the listen queue. Far below the usual 1,024
    // descriptors, so that a burst of connections cannot take every one the application needs.
    static constexpr int maxPeers = 64;
    static inline const QString lockFileName = QStringLiteral("quillstack.lock");
    static inline const QString socketFileName = QStringLiteral("quillstack.socket");

    // directory: the private runtime folder (mode 0700, ours).
    explicit SingleInstance(QString directory, QObject* parent = nullptr);
    SingleInstance(QString directory, Timing timing, QObject* parent = nullptr);
    ~SingleInstance() override;

    // For a start, or a command that starts Quillstack when none runs: takes the lock
    // (Primary), or, when another process holds it, sends it `command`, after `language` when
    // one is given (Secondary). Unavailable when the lock cannot be had for another reason.
    // Needs no application object, so it can run before any display is opened.
    Role claim(Command command, const QString& language = {});
    // The launcher's token this start carries, sent before its command; empty: none.
    void carryActivationToken(const QString& token) {
        m_activationToken = isActivationToken(token) ? token : QString();
    }
    // Sends `command` to the running instance without ever taking the lock (--quit).
    Reach tell(Command command, const QString& language = {});
    // Asks the running instance, without ever taking the lock; the answer is passed to `sink`
    // piece by piece (sink returns false to stop), a refusal kept in answerError().
    Reach ask(const Query& query, const QString& language,
              const std::function<bool(QByteArrayView)>& sink);
    const QString& answerError() const { return m_answerError; }
    // Why the running instance could not be reached or did not answer: one line, English.
    const QString& failure() const { return m_failure; }
    // Primary only: who answers queries; without one they are refused.
    void setQueryHandler(QueryHandler handler) { m_queryHandler = std::move(handler); }
    // Primary only, once the event loop's application exists: accepts later starts' commands.
    void listen();
    // claim(), then listen() when Primary.
    Role start(Command command);
    // Secondary only: whether the running instance confirmed the command.
    bool commandDelivered() const { return m_delivered; }
    // Whether this process holds the lock.
    bool isPrimary() const { return m_lock.isLocked(); }
    // Primary only: whether the socket is up, so later starts can reach this one.
    bool isListening() const { return m_listenFd >= 0; }
    // Primary only: the peers connected now, and what the answers under way hold in this
    // process (each shared buffer once, and what the sockets have not passed on yet).
    int peerCount() const { return int(m_peers.size()); }
    qint64 heldAnswerBytes() const;

    const QString& directory() const { return m_directory; }
    QString lockPath() const;
    QString socketPath() const;

    static QByteArray wordFor(Command command);
    static std::optional<Command> commandFor(QByteArrayView word);
    static QByteArray lineFor(const Query& query);
    static std::optional<Query> queryFor(QByteArrayView line);
    // A MIME type a query may name: printable ASCII without blanks, at most 127 characters.
    static bool isTypeName(const QString& type);
    static bool isActivationToken(const QString& token);

  Q_SIGNALS:
    void commandReceived(SingleInstance::Command command);
    void languageRequested(const QString& code);
    // Before the command it came with.
    void activationTokenReceived(const QString& token);
    void activationRequested();

  private:
    struct Peer;
    class Client;

    Reach tell(Command command, const QString& language, bool lockHeld);
    // lockHeld: claim() found a live holder, so a missing socket means "not listening yet".
    Reach converse(const QByteArray& lines, bool lockHeld,
                   const std::function<Reach(Client&)>& receive);
    bool lockHeldByLiveProcess() const;
    bool openSocket();
    void closeSocket();
    void checkSocketFile();
    void acceptConnections();
    void resumeAccepting();
    void evictStalled();
    void readLines(Peer& peer);
    void answer(Peer& peer, const Query& query);
    void sendAnswer(Peer& peer, Answer answer);
    void pump(Peer& peer);
    void drop(Peer& peer);
    void dispatch(Command command);

    QString m_directory;
    Timing m_timing;
    QLockFile m_lock;
    bool m_delivered = false;
    QString m_answerError;
    QString m_activationToken;
    QString m_failure;
    QueryHandler m_queryHandler;

    int m_listenFd = -1;
    dev_t m_socketDevice = 0;
    ino_t m_socketInode = 0;
    // Closed to make room for one accept() when every descriptor is taken, so that a
    // connection can be refused instead of left to wake the loop again and again.
    int m_spareFd = -1;
    std::unique_ptr<QSocketNotifier> m_acceptor;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    // Runs only while accepting is held back (all peers taken, or no descriptor left).
    std::unique_ptr<QTimer> m_retry;
    std::vector<std::unique_ptr<Peer>> m_peers;  // oldest first
};
