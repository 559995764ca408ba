#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QDeadlineTimer;
class QLocalServer;
class QLocalSocket;

// One Quillstack per user. A lock file in the private runtime folder decides who runs; the
// running instance listens on a local socket beside it, and a later start hands its command
// over that socket instead of starting a second copy.
//
// The protocol is one command per line, ASCII, at most maxLineLength bytes with the newline;
// each known command is answered "ok", an unknown one "unknown". "language CODE" before the
// command switches the interface language (a code the settings take). A peer that breaks the
// rules, sends more than maxLinesPerConnection lines or stays longer than peerTimeoutMs is
// dropped. A query ("list", "print N [TYPE]", "copy N") ends the conversation: it is answered
// "ok LENGTH" and that many bytes, or "error MESSAGE", and the connection is closed.
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
        QByteArray bytes;
    };
    // Answers a query, at once or later (reply may be called from a later turn of the loop).
    using QueryHandler = std::function<void(const Query&, std::function<void(Answer)> reply)>;
    enum class Role { Primary, Secondary, Unavailable };
    Q_ENUM(Role)
    struct Timing {
        int peerTimeoutMs = 2000;     // a connected peer is dropped after this, whatever it does
        int sendTimeoutMs = 2000;     // how long a second start tries to reach the running one
        int staleLockMs = 5000;       // age after which a lock no live process holds is taken over
        int answerTimeoutMs = 30000;  // how long a query waits for its answer to start
    };

    static constexpr qsizetype maxLineLength = 256;
    // Our own starts send two: a language and a command.
    static constexpr int maxLinesPerConnection = 4;
    // An answer goes out this much at a time, the next piece once the last one has left.
    static constexpr qsizetype answerChunk = 64 * 1024;
    static inline const QString lockFileName = QStringLiteral("quillstack.lock");
    static inline const QString socketFileName = QStringLiteral("quillstack.socket");

    // directory: the private runtime folder (mode 0700, ours).
    explicit SingleInstance(QString directory, QObject* parent = nullptr);
    SingleInstance(QString directory, Timing timing, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock (Primary), or, when another process holds it, sends it `command`, after
    // `language` when one is given (Secondary). Unavailable when the lock cannot be had for
    // another reason. Needs no application object, so it can run before any display is opened.
    Role claim(Command command, const QString& language = {});
    // Like claim(), with a query: a Secondary's answer is passed to `sink` piece by piece (sink
    // returns false to stop), a refusal kept in answerError(). Primary means none was running.
    Role ask(const Query& query, const QString& language,
             const std::function<bool(QByteArrayView)>& sink);
    const QString& answerError() const { return m_answerError; }
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
    bool isListening() const;

    const QString& directory() const { return m_directory; }
    QString lockPath() const;
    QString socketPath() const;

    static QByteArray wordFor(Command command);
    static std::optional<Command> commandFor(QByteArrayView word);
    static QByteArray lineFor(const Query& query);
    static std::optional<Query> queryFor(QByteArrayView line);
    // A MIME type a query may name: printable ASCII without blanks, at most 127 characters.
    static bool isTypeName(const QString& type);

  Q_SIGNALS:
    void commandReceived(SingleInstance::Command command);
    void languageRequested(const QString& code);
    void activationRequested();

  private:
    bool send(Command command, const QString& language);
    bool connectWithin(QLocalSocket& socket, const QDeadlineTimer& deadline);
    bool receiveAnswer(QLocalSocket& socket, const std::function<bool(QByteArrayView)>& sink);
    void answer(QLocalSocket* peer, const Query& query);
    void sendAnswer(QLocalSocket* peer, Answer answer);
    void acceptConnections();
    void readLines(QLocalSocket* peer);
    void dispatch(Command command);

    QString m_directory;
    Timing m_timing;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_delivered = false;
    QString m_answerError;
    QueryHandler m_queryHandler;
};
