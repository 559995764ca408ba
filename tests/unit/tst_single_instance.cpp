// SPDX-License-Identifier: MIT
#include <QtTest>

#include <QLocalSocket>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <optional>
#include <thread>

#include "ChordStack.h"
#include "TestHelpers.h"
#include "app/instance/CommandLine.h"
#include "app/instance/SingleInstance.h"
#include "history/HistoryQueries.h"
#include "platform/ClipboardTypeKey.h"
#include "platform/freedesktop/PrivateTempDirectory.h"

namespace {
using Role = SingleInstance::Role;
using Outcome = CommandLine::Outcome;
using Command = SingleInstance::Command;
constexpr SingleInstance::Timing fast{300, 1500, 5000};

// A later start, on a thread of its own so that this one can answer it: its role, and whether
// its command was confirmed.
std::pair<Role, bool> startAgain(const QString& directory) {
    std::pair<Role, bool> outcome;
    std::atomic<bool> done = false;
    std::thread second([&] {
        SingleInstance instance(directory, fast);
        outcome = {instance.start(Command::Activate), instance.commandDelivered()};
        done = true;
    });
    // Its own timeouts bound it; meanwhile this thread's events answer it.
    static_cast<void>(QTest::qWaitFor([&] { return done.load(); }, 30'000));
    second.join();
    return outcome;
}

// A client that connects and then does nothing (does not even read): what a burst of
// connections or a stopped pager looks like to the server. -1 when no descriptor is left.
// Takes the path's bytes, so that a forked child need not allocate.
int idleClient(const QByteArray& path, const QByteArray& sends = {}) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    if (fd >= 0 && !sends.isEmpty()) {
        static_cast<void>(::send(fd, sends.constData(), size_t(sends.size()), MSG_NOSIGNAL));
    }
    return fd;
}

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // The first folder that can be trusted of the session's, the temporary and the cache
    // one; every folder passed over is named with its reason, and nothing is made through a link.
    void instanceFolder_data() {
        QTest::addColumn<QString>("found");     // "link": the folder is a symbolic link
        QTest::addColumn<QString>("expected");  // "@": our user id; empty: none trusted
        QTest::addColumn<QStringList>("reasons");
        const QString link = "is a symbolic link", unset = "is not set", cache = "cache/quillstack";
        const auto row = [](const char* found, const QString& expected,
                            const QStringList& reasons) {
            QTest::newRow(found) << QString(found) << expected << reasons;
        };
        row("run", "run/quillstack", {});
        row("run link", "tmp/quillstack-@", {link});
        row("run unset, tmp open to all", cache, {unset, "can be changed by other users"});
        row("run unset, tmp under a file", cache, {unset, "cannot be created"});
        row("run unset, tmp link, cache link", "", {unset, link, link});
    }
    void instanceFolder() {
        QFETCH(QString, found);
        QFETCH(QString, expected);
        const QString uid = QString::number(::geteuid());
        QTemporaryDir dir;
        for (const char* folder : {"run", "tmp", "cache", "elsewhere"}) {
            QDir(dir.path()).mkpath(folder);
        }
        QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
        const QString tmp = dir.filePath(found.contains("under a file") ? "file/tmp" : "tmp");
        for (const auto& [at, path] : {std::pair("run link", dir.filePath("run/quillstack")),
                                       {"tmp link", dir.filePath("tmp/quillstack-" + uid)},
                                       {"cache link", dir.filePath("cache/quillstack")}}) {
            QVERIFY(!found.contains(at) || QFile::link(dir.filePath("elsewhere"), path));
        }
        QVERIFY(!found.contains("open") || ::chmod(QFile::encodeName(tmp).constData(), 0777) == 0);
        const auto folder = PrivateTempDirectory::instanceDirectory(
            found.contains("unset") ? QString() : dir.filePath("run"), tmp, dir.filePath("cache"),
            {});
        QCOMPARE(folder.path.value_or(QString()),
                 expected.isEmpty() ? QString() : dir.filePath(expected.replace(u'@', uid)));
        QStringList reasons;
        std::ranges::transform(folder.refused, std::back_inserter(reasons),
                               &PrivateTempDirectory::Refusal::reason);
        QTEST(reasons, "reasons");
        QVERIFY(QDir(dir.filePath("elsewhere")).isEmpty());
    }

    // Each display runs its own instance, in a folder named after it.
    void instanceFolderOfEachDisplay() {
        for (const auto& [wayland, x11, name] : {std::tuple("wayland-0", ":0", "wayland-0"),
                                                 {"/run/user/1000/wayland-1", "", "wayland-1"},
                                                 {"", ":0.1", "x11:0"},
                                                 {"", "localhost:10.0", "x11localhost:10"},
                                                 {"..", "", "_"},
                                                 {"", "", ""}}) {
            QCOMPARE(PrivateTempDirectory::displayFolderName(wayland, x11), QString(name));
        }
        QTemporaryDir dir;
        QCOMPARE(PrivateTempDirectory::instanceDirectory(dir.path(), {}, {}, "x11:3").path,
                 dir.filePath("quillstack/x11:3"));
    }

    // A lock a killed holder left is taken over; an old lock of a live holder is not stale,
    // whatever its age.
    void leftOverLock_data() {
        QTest::addColumn<Role>("expected");
        QTest::newRow("holder killed") << Role::Primary;
        QTest::newRow("holder alive, lock old") << Role::Secondary;
    }
    void leftOverLock() {
        QFETCH(Role, expected);
        QTemporaryDir dir;
        const QString lockPath = dir.filePath(SingleInstance::lockFileName);
        QLockFile liveHolder(lockPath);
        if (expected == Role::Primary) {  // the holder was killed
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                SingleInstance holder(dir.path(), fast);
                if (holder.start(Command::Activate) == Role::Primary) {
                    ::raise(SIGKILL);
                }
                ::_exit(1);
            }
            int status = 0;
            QVERIFY(::waitpid(child, &status, 0) == child && WIFSIGNALED(status));
            QVERIFY(QFile::exists(dir.filePath(SingleInstance::socketFileName)));
        } else {
            QVERIFY(liveHolder.tryLock(0));
        }
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::ReadWrite) &&
                lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));

        SingleInstance next(dir.path(), {300, 200, 5000});
        QCOMPARE(next.start(Command::Activate), expected);
        QCOMPARE(next.isListening(), expected == Role::Primary);
        QVERIFY(expected != Role::Primary || startAgain(dir.path()).second);
    }

    void misbehavingPeerIsIgnored_data() {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("activations");
        QTest::newRow("overlong, newline late")
            << QByteArray(SingleInstance::maxLineLength, ' ') + "activate\n"
            << QByteArray() << 0;
        QTest::newRow("half a line") << QByteArray("activ") << QByteArray() << 0;
        // A peer gets a few lines, not as many as fit its time.
        QTest::newRow("too many lines")
            << QByteArray("activate\n").repeated(SingleInstance::maxLinesPerConnection + 400)
            << QByteArray("ok\n").repeated(SingleInstance::maxLinesPerConnection)
            << SingleInstance::maxLinesPerConnection;
        // An unknown line is refused and the next one served; a language before the command: a
        // known one is applied, any other refused.
        QTest::newRow("unknown lines, language")
            << QByteArray("--quit\r\nlanguage de\nlanguage ../x\nactivate\r\n")
            << QByteArray("unknown\nok\nunknown\nok\n") << 1;
        // A launcher's token before the command is taken only as one word of printable ASCII.
        QTest::newRow("activation tokens")
            << QByteArray("activation host-12_TIME42\nactivation two words\nactivate\n")
            << QByteArray("ok\nunknown\nok\n") << 1;
    }
    void misbehavingPeerIsIgnored() {
        QFETCH(QByteArray, payload);
        QFETCH(int, activations);
        QTemporaryDir dir;
        // An overlong line is dropped at once, long before the peer's time is up.
        const bool overlong = payload.size() > SingleInstance::maxLineLength;
        SingleInstance first(dir.path(), {overlong ? 60'000 : fast.peerTimeoutMs, 1500, 5000});
        QSignalSpy spy(&first, &SingleInstance::activationRequested);
        QSignalSpy languages(&first, &SingleInstance::languageRequested);
        QSignalSpy tokens(&first, &SingleInstance::activationTokenReceived);
        QCOMPARE(first.start(Command::Activate), Role::Primary);

        QLocalSocket peer;
        QByteArray received;
        connect(&peer, &QLocalSocket::readyRead, this, [&] { received += peer.readAll(); });
        peer.connectToServer(first.socketPath());
        QVERIFY(peer.waitForConnected(1000));
        peer.write(payload);
        // Every peer is let go within its time, whatever it sent.
        QTRY_COMPARE_WITH_TIMEOUT(peer.state(), QLocalSocket::UnconnectedState, 3000);
        QTEST(received + peer.readAll(), "reply");
        QCOMPARE(spy.count(), activations);
        QCOMPARE(languages.count(), payload.count("language de"));
        QCOMPARE(tokens.count(), payload.count("_TIME42"));
        QVERIFY(tokens.isEmpty() || tokens.first().first() == QStringLiteral("host-12_TIME42"));

        // And a later start is still served.
        QCOMPARE(startAgain(dir.path()), std::pair(Role::Secondary, true));
        QCOMPARE(spy.count(), activations + 1);
    }

    // An answer reaches the asking start whole, in pieces and later than asked; a refusal as
    // its error.
    void queries() {
        using Query = SingleInstance::Query;
        QTemporaryDir dir;
        SingleInstance first(dir.path(), fast);
        QCOMPARE(first.start(Command::Activate), Role::Primary);
        const QByteArray large = QByteArray("0123456789").repeated(SingleInstance::answerChunk);
        QList<QByteArray> asked;
        first.setQueryHandler(
            [&](const Query& query, std::function<void(SingleInstance::Answer)> reply) {
                asked << SingleInstance::lineFor(query);
                if (query.kind != Query::Kind::Print) {
                    reply({QStringLiteral("No record 9"), {}});
                    return;
                }
                QTimer::singleShot(50, this, [reply, large] { reply({{}, large}); });
            });
        for (const auto& [query, out, error] :
             {std::tuple(Query{Query::Kind::Print, 2, "text/html"}, large, QString()),
              std::tuple(Query{Query::Kind::Copy, 9, {}}, QByteArray(), QString("No record 9"))}) {
            QByteArray received;
            std::pair<bool, QString> answer;
            std::atomic<bool> done = false;
            std::thread second([&] {
                SingleInstance instance(dir.path(), fast);
                instance.ask(query, "de", [&](QByteArrayView piece) {
                    received += piece;
                    return piece.size() <= SingleInstance::answerChunk;
                });
                answer = {instance.commandDelivered(), instance.answerError()};
                done = true;
            });
            QVERIFY(QTest::qWaitFor([&] { return done.load(); }, 30'000));
            second.join();
            QCOMPARE(answer, std::pair(true, error));
            QVERIFY(received == out);
        }
        QCOMPARE(asked, (QList<QByteArray>{"print 2 text/html", "copy 9"}));

        // Readers that do not read hold one copy of the record between them, and a few pieces
        // each; none is dropped for pausing, and each still gets all of it once it reads.
        HistoryStack stack(true, [] { return ClipboardHistory::Limits{}; });
        auto& [blobs, scheduler, clipboard, thumbnailer, history, model] = stack;
        HistoryQueries answers(history, model, scheduler, clipboard);
        clipboard.setNotifiesChanges(true);
        history.startMonitoring();
        const QByteArray record = QByteArray("0123456789abcdef").repeated(512 * 1024);  // 8 MB
        stack.copy(StoredItem{{QString(ClipboardTypeKey::stringUtf8Mime), record}});
        QCOMPARE(model.rowCount(), 1);
        QVERIFY(history.items().constFirst().blobPath());
        QVERIFY(answers.list().startsWith("1\t0123456789abcdef0123"));

        first.setQueryHandler([&](const SingleInstance::Query& query, auto reply) {
            answers.print(query.number, query.type, [reply](HistoryQueries::Result result) {
                reply({result.error, result.bytes});
            });
        });
        constexpr int readers = 20;
        QList<int> clients;
        for (int i = 0; i < readers; ++i) {
            clients << idleClient(QFile::encodeName(first.socketPath()), "print 1\n");
            QVERIFY(clients.last() >= 0);
            // One after the other: a reader that comes while others are served shares too.
            for (int turn = 0; turn < 20; ++turn) {
                QCoreApplication::processEvents();
                scheduler.runUntilIdle();
            }
        }
        QTRY_COMPARE(first.peerCount(), readers);
        QTest::qWait(300);  // past every peer's command time: none is dropped for reading slowly
        QCOMPARE(first.peerCount(), readers);
        const qint64 held = first.heldAnswerBytes();
        QVERIFY(held >= record.size());
        QVERIFY(held <= record.size() + readers * 2 * SingleInstance::answerChunk);
        ::fcntl(clients.first(), F_SETFL, 0);
        QByteArray received;
        std::thread reader([&] {
            char buffer[65536];
            for (ssize_t got; (got = ::read(clients.first(), buffer, sizeof(buffer))) > 0;) {
                received.append(buffer, got);
            }
        });
        QTRY_COMPARE_WITH_TIMEOUT(first.peerCount(), readers - 1, 20'000);
        reader.join();
        QCOMPARE(received, "ok " + QByteArray::number(record.size()) + '\n' + record);
        std::ranges::for_each(clients, ::close);
        QTRY_COMPARE(first.peerCount(), 0);
        QCOMPARE(first.heldAnswerBytes(), 0);

        // A restore answers once other programs get the record (a script pastes next), and
        // says so when they never do or its content has gone.
        std::optional<QString> copied;
        const auto copy = [&] { answers.copy(1, [&](QString error) { copied = error; }); };
        clipboard.setHoldConfirmations(true);
        for (const bool confirmed : {true, false}) {
            copied.reset();
            copy();
            QVERIFY(!copied);
            clipboard.confirmWrites(confirmed);
            QCOMPARE(copied.value_or("unanswered").isEmpty(), confirmed);
        }
        clipboard.setHoldConfirmations(false);
        const qsizetype writes = clipboard.writes().size();
        QVERIFY(QFile::remove(*history.items().constFirst().blobPath()));
        copy();
        QVERIFY(copied && copied->contains("could not be put back"));
        QCOMPARE(clipboard.writes().size(), writes);
    }

    // Whatever polls the socket while Quillstack starts (a status bar asking for the list,
    // a script quitting it), the start runs, and it stays the only one. A poller only looks at
    // the lock: taking it, even briefly, would turn the start away.
    void startWhileCommandsPoll() {
        for (int round = 0; round < 30; ++round) {
            QTemporaryDir dir;
            std::atomic<bool> stop = false, finished = false;
            std::atomic<int> polls = 0;
            std::thread poller([&] {
                while (!stop) {
                    SingleInstance asking(dir.path(), {300, 200, 5000});
                    if (++polls % 2 == 0) {
                        asking.ask({}, {}, [](QByteArrayView) { return true; });
                    } else {
                        asking.tell(Command::Quit);
                    }
                }
                finished = true;
            });
            QVERIFY(QTest::qWaitFor([&] { return polls > 2; }, 5000));
            SingleInstance first(dir.path(), fast);
            const Role role = first.start(Command::Activate);
            stop = true;
            // This thread answers the poller's last round meanwhile.
            QVERIFY(QTest::qWaitFor([&] { return finished.load(); }, 30'000));
            poller.join();
            QCOMPARE(role, Role::Primary);
            QCOMPARE(startAgain(dir.path()), std::pair(Role::Secondary, true));
        }
    }

    // A flood of peers is served at most maxPeers at a time; out of descriptors, the server
    // waits and accepts again. It never stops listening, and a command after both is answered.
    // A socket file someone took away comes back, and again when a file took its place.
    void serverOutlivesWhatHappensToIt() {
        QTemporaryDir dir;
        SingleInstance first(dir.path(), fast);
        QCOMPARE(first.start(Command::Activate), Role::Primary);
        const QByteArray path = QFile::encodeName(first.socketPath());
        QList<int> clients;
        for (int i = 0; i < 3 * SingleInstance::maxPeers; ++i) {
            clients << idleClient(path, "activate\n");
            QVERIFY(clients.last() >= 0);
        }
        int most = 0;
        QTRY_VERIFY_WITH_TIMEOUT((most = qMax(most, first.peerCount())) >= SingleInstance::maxPeers,
                                 3000);
        QCOMPARE(most, SingleInstance::maxPeers);
        std::ranges::for_each(std::exchange(clients, {}), ::close);
        QTRY_COMPARE(first.peerCount(), 0);
        // Every descriptor taken by clients before the server accepts any of them.
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &saved) == 0);
        const int probe = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::close(probe);
        rlimit lowered = saved;
        lowered.rlim_cur = rlim_t(probe + 100);
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &lowered) == 0);
        for (int fd; (fd = idleClient(path)) >= 0;) {
            clients << fd;
        }
        QTest::qWait(1000);
        int served = first.peerCount();
        QTRY_VERIFY_WITH_TIMEOUT((served = qMax(served, first.peerCount())) > 0, 3000);
        const bool listening = first.isListening();
        std::ranges::for_each(clients, ::close);
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &saved) == 0);
        QVERIFY(listening);
        QCOMPARE(startAgain(dir.path()), std::pair(Role::Secondary, true));
        for (const bool replaced : {false, true}) {
            QVERIFY(QFile::remove(first.socketPath()));
            QVERIFY(!replaced || QFile(first.socketPath()).open(QIODevice::WriteOnly));
            QTRY_COMPARE(modeOf(first.socketPath()), mode_t(S_IFSOCK | 0600));
            QCOMPARE(startAgain(dir.path()), std::pair(Role::Secondary, true));
        }
    }

    // One row per rule; the commands themselves are a table of the code.
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Command>("command");  // Activate where none runs
        QTest::addColumn<QString>("says");     // a piece of what is printed; "!" an error
        const auto row = [](QStringList args, Command command, QString says = {}) {
            QTest::newRow(qPrintable(args.join(' ')))
                << (QStringList{"quillstack"} + args) << command << says;
        };
        row({"--help"}, Command::Activate, "--toggle-popup");
        row({"--language=pt-BR", "--show-history"}, Command::ShowHistory);
        row({"--language", "xx"}, Command::Activate, "!en, ru, zh-Hans");
        row({"--frobnicate"}, Command::Activate, "!'frobnicate'");
        row({"settings"}, Command::Activate, "!: settings");
        row({"--quit", "--show-history"}, Command::Activate, "!one command");
        row({"-platform", "offscreen", "--quit"}, Command::Quit);
        // Queries: the line sent; a record or type that names nothing is refused alone, status 1.
        row({"--list"}, Command::Activate, "list");
        row({"--print=12", "--type", "text/html"}, Command::Activate, "print 12 text/html");
        row({"--copy", "3"}, Command::Activate, "copy 3");
        row({"--print", "0"}, Command::Activate, "!!numbered from 1");
        row({"--print", "+2"}, Command::Activate, "!!numbered from 1");
        row({"--print", "1", "--type", "text html"}, Command::Activate, "!!not a type name");
        row({"--type", "text/html"}, Command::Activate, "!--type goes with --print");
        row({"--list", "--copy", "1"}, Command::Activate, "!one command");
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        const CommandLine parsed = CommandLine::parse(arguments);
        const bool error = says.startsWith(u'!'), help = arguments.contains("--help");
        const bool refused = says.startsWith("!!");
        QCOMPARE(parsed.outcome, error ? Outcome::Error : help ? Outcome::Help : Outcome::Run);
        QCOMPARE(parsed.exitStatus(), refused ? 1 : error ? 2 : 0);
        if (!error) {
            QTEST(parsed.command, "command");
        }
        if (!error && !help) {
            QCOMPARE(parsed.query ? SingleInstance::lineFor(*parsed.query) : QByteArray(), says);
        } else {
            QVERIFY2(parsed.text.contains(says.mid(refused ? 2 : error)), qPrintable(parsed.text));
        }
        // A usage mistake is one line of reason and the pointer to the help, never the help.
        QCOMPARE(parsed.text.contains("--show-history"), help);
        QCOMPARE(parsed.text.endsWith("\nTry 'quillstack --help'.\n") &&
                     parsed.text.count(u'\n') == 2 && parsed.text.startsWith("quillstack: "),
                 error && !refused);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
