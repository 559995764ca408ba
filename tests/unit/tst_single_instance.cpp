#include <QtTest>

#include <QLocalSocket>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <thread>

#include "TestHelpers.h"
#include "app/CommandLine.h"
#include "app/SingleInstance.h"
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
            found.contains("unset") ? QString() : dir.filePath("run"), tmp, dir.filePath("cache"));
        QCOMPARE(folder.path.value_or(QString()),
                 expected.isEmpty() ? QString() : dir.filePath(expected.replace(u'@', uid)));
        QStringList reasons;
        for (const auto& refusal : folder.refused) {
            reasons << refusal.reason;
        }
        QTEST(reasons, "reasons");
        QVERIFY(QDir(dir.filePath("elsewhere")).isEmpty());
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
        QCOMPARE(first.start(Command::Activate), Role::Primary);
        QCOMPARE(modeOf(first.socketPath()), mode_t(S_IFSOCK | 0600));

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
        // Every mistake comes with the usage.
        QCOMPARE(parsed.text.contains("--show-history"), (error && !refused) || help);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
