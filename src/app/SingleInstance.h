#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;

// One Quillstack per user. A lock file in the private runtime folder decides who runs; the
// running instance listens on a local socket beside it, and a later start hands its command
// over that socket instead of starting a second copy.
//
// The protocol is one command per line, ASCII, at most maxLineLength bytes with the newline;
// each known command is answered "ok", an unknown one "unknown". "language CODE" before the
// command switches the interface language (a code the settings take). A peer that breaks the
// rules or stays longer than peerTimeoutMs is dropped.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // A new command: a value here, its word in the table in the .cpp file, and a signal.
    enum class Command { Activate, TogglePopup, ShowHistory, ShowSettings, ShowOnboarding, Quit };
    Q_ENUM(Command)
    enum class Role { Primary, Secondary, Unavailable };
    Q_ENUM(Role)
    struct Timing {
        int peerTimeoutMs = 2000;  // a connected peer is dropped after this, whatever it does
        int sendTimeoutMs = 2000;  // how long a second start tries to reach the running one
        int staleLockMs = 5000;    // age after which a lock no live process holds is taken over
    };

    static constexpr qsizetype maxLineLength = 256;
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

  Q_SIGNALS:
    void commandReceived(SingleInstance::Command command);
    void languageRequested(const QString& code);
    void activationRequested();

  private:
    bool send(Command command, const QString& language);
    void acceptConnections();
    void readLines(QLocalSocket* peer);
    void dispatch(Command command);

    QString m_directory;
    Timing m_timing;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_delivered = false;
};
