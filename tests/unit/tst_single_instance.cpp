#include <QtTest>

#include <QLocalSocket>
#include <QTemporaryDir>

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

struct Started {
    Role role = Role::Unavailable;
    bool delivered = false;
};

// A later start, on a thread of its own so that this one can answer it.
Started startAgain(const QString& directory, SingleInstance::Timing timing = fast) {
    Started outcome;
    std::atomic<bool> done = false;
    std::thread second([&] {
        SingleInstance instance(directory, timing);
        outcome.role = instance.start(Command::Activate);
        outcome.delivered = instance.commandDelivered();
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    second.join();
    return outcome;
}
}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void runtimeFolder_data() {
        QTest::addColumn<QString>("xdgRuntime");  // relative to the test's folder; "" = unset
        QTest::addColumn<bool>("plantLink");      // someone made <runtime>/quillstack a link
        QTest::addColumn<QString>("expected");
        const QString uid = QString::number(::geteuid());
        QTest::newRow("session folder") << "run" << false << "run/quillstack";
        QTest::newRow("unset") << "" << false << "tmp/quillstack-" + uid;
        QTest::newRow("planted link") << "run" << true << "tmp/quillstack-" + uid;
    }
    void runtimeFolder() {
        QFETCH(QString, xdgRuntime);
        QFETCH(bool, plantLink);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("run");
        QDir(dir.path()).mkpath("elsewhere");
        if (plantLink) {
            QVERIFY(QFile::link(dir.filePath("elsewhere"), dir.filePath("run/quillstack")));
        }
        const QString xdg = xdgRuntime.isEmpty() ? QString() : dir.filePath(xdgRuntime);
        const std::optional<QString> folder =
            PrivateTempDirectory::runtimeDirectory(xdg, dir.filePath("tmp"));
        QCOMPARE(folder, dir.filePath(expected));
        QCOMPARE(modeOf(*folder), mode_t(S_IFDIR | 0700));
    }

    void leftOverLock_data() {
        QTest::addColumn<bool>("holderKilled");
        QTest::addColumn<Role>("expected");
        QTest::newRow("holder killed") << true << Role::Primary;
        // An old lock of a live holder is not stale, whatever its age.
        QTest::newRow("holder alive, lock old") << false << Role::Secondary;
    }
    void leftOverLock() {
        QFETCH(bool, holderKilled);
        QFETCH(Role, expected);
        QTemporaryDir dir;
        const QString lockPath = dir.filePath(SingleInstance::lockFileName);
        QLockFile liveHolder(lockPath);
        if (holderKilled) {
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
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));
            QVERIFY(QFile::exists(dir.filePath(SingleInstance::socketFileName)));
        } else {
            QVERIFY(liveHolder.tryLock(0));
        }
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
        lock.close();

        SingleInstance next(dir.path(), {300, 200, 5000});
        QCOMPARE(next.start(Command::Activate), expected);
        QCOMPARE(next.isListening(), expected == Role::Primary);
        if (expected == Role::Primary) {
            QVERIFY(startAgain(dir.path()).delivered);
        }
    }

    void misbehavingPeerIsIgnored_data() {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("activations");
        QTest::newRow("unknown command")
            << QByteArray("frobnicate\n") << QByteArray("unknown\n") << 0;
        QTest::newRow("unknown, then known")
            << QByteArray("--quit\r\nactivate\r\n") << QByteArray("unknown\nok\n") << 1;
        QTest::newRow("binary") << QByteArray("\0\xff\x1b[2Jactivate\n", 15)
                                << QByteArray("unknown\n") << 0;
        QTest::newRow("overlong line") << QByteArray(100000, 'a') << QByteArray() << 0;
        QTest::newRow("overlong, newline late")
            << QByteArray(SingleInstance::maxLineLength, ' ') + "activate\n"
            << QByteArray() << 0;
        QTest::newRow("half a line") << QByteArray("activ") << QByteArray() << 0;
    }
    void misbehavingPeerIsIgnored() {
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, reply);
        QFETCH(int, activations);
        QTemporaryDir dir;
        SingleInstance first(dir.path(), fast);
        QSignalSpy spy(&first, &SingleInstance::activationRequested);
        QCOMPARE(first.start(Command::Activate), Role::Primary);
        QVERIFY(S_ISSOCK(modeOf(first.socketPath())));
        QCOMPARE(modeOf(first.socketPath()) & 07777, mode_t(0600));

        QLocalSocket peer;
        QByteArray received;
        connect(&peer, &QLocalSocket::readyRead, this, [&] { received += peer.readAll(); });
        peer.connectToServer(first.socketPath());
        QVERIFY(peer.waitForConnected(1000));
        peer.write(payload);
        // Every peer is let go within its time, whatever it sent.
        QTRY_COMPARE_WITH_TIMEOUT(peer.state(), QLocalSocket::UnconnectedState, 3000);
        received += peer.readAll();
        QCOMPARE(received, reply);
        QCOMPARE(spy.count(), activations);

        // And a later start is still served.
        const Started second = startAgain(dir.path());
        QCOMPARE(second.role, Role::Secondary);
        QVERIFY(second.delivered);
        QCOMPARE(spy.count(), activations + 1);
    }

    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("says");  // a piece of what is printed

        const auto row = [](const char* name, QStringList args, Outcome outcome,
                            Command command = Command::Activate, QString says = {}) {
            QTest::newRow(name) << (QStringList{"quillstack"} + args) << outcome << command << says;
        };
        row("plain start", {}, Outcome::Run);
        row("help", {"--help"}, Outcome::Help, Command::Activate, "--toggle-popup");
        row("version", {"--version"}, Outcome::Version, Command::Activate, "0.");
        row("language with =", {"--language=pt-BR", "--show-history"}, Outcome::Run,
            Command::ShowHistory);
        row("language without value", {"--language"}, Outcome::Error, Command::Activate,
            "--language'");
        row("toggle", {"--toggle-popup"}, Outcome::Run, Command::TogglePopup);
        row("settings", {"--show-settings"}, Outcome::Run, Command::ShowSettings);
        row("onboarding", {"--show-onboarding"}, Outcome::Run, Command::ShowOnboarding);
        row("quit", {"--quit"}, Outcome::Run, Command::Quit);
        row("unknown option", {"--frobnicate"}, Outcome::Error, Command::Activate, "'frobnicate'");
        row("stray argument", {"settings"}, Outcome::Error, Command::Activate, ": settings");
        row("two commands", {"--quit", "--show-history"}, Outcome::Error, Command::Activate,
            "one command");
        row("Qt's own option", {"-platform", "offscreen", "--quit"}, Outcome::Run, Command::Quit);
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(Outcome, outcome);
        QFETCH(Command, command);
        QFETCH(QString, says);
        const CommandLine parsed = CommandLine::parse(arguments);
        QCOMPARE(parsed.outcome, outcome);
        QCOMPARE(parsed.exitStatus(), outcome == Outcome::Error ? 2 : 0);
        if (outcome == Outcome::Run) {
            QCOMPARE(parsed.command, command);
        }
        QVERIFY2(parsed.text.contains(says), qPrintable(parsed.text));
        if (outcome == Outcome::Error) {
            // Every mistake comes with the usage.
            QVERIFY(parsed.text.contains("--show-history"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
