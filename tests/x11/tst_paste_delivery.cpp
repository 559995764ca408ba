#include <QtTest>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "XclipOwner.h"
#include "platform/x11/X11Pasteboard.h"
#include "platform/x11/XTestKeyInjector.h"

// A restore pasted by the keystroke into a text field of another client that is already in
// front, right after a third client copied something else.
namespace {
constexpr char kTargetMode[] = "QUILLSTACK_PASTE_TARGET";

// The target: says "ready" once in front, then prints each paste on a line and empties itself.
int runTarget(int argc, char** argv) {
    QApplication app(argc, argv);
    QLineEdit field;
    QObject::connect(&field, &QLineEdit::textChanged, [&field](const QString& text) {
        if (!text.isEmpty()) {
            QTextStream(stdout) << text << Qt::endl;
            field.clear();
        }
    });
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive) {
            QTextStream(stdout) << "ready" << Qt::endl;
        }
    });
    field.show();
    field.activateWindow();
    return QApplication::exec();
}

// Every core busy while it lives. The clipboard thread yields to other work, so under load a
// keystroke that does not wait for the claim overtakes it.
struct CpuLoad {
    std::atomic<bool> stop{false};
    std::vector<std::jthread> threads;
    CpuLoad() {
        for (int i = 0; i < QThread::idealThreadCount(); ++i) {
            threads.emplace_back([this] {
                while (!stop.load(std::memory_order_relaxed)) {
                }
            });
        }
    }
    ~CpuLoad() { stop = true; }
};
}  // namespace

class TestPasteDelivery : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void keystrokeAfterConfirmationPastesTheRestore() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kTargetMode, QStringLiteral("1"));
        m_target.setProcessEnvironment(env);
        m_target.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_target.start(QCoreApplication::applicationFilePath(), {});
        QTRY_VERIFY_WITH_TIMEOUT(m_target.canReadLine(), 10000);
        QCOMPARE(m_target.readLine(), QByteArray("ready\n"));

        X11Pasteboard pasteboard;
        XTestKeyInjector injector;
        const CpuLoad load;
        for (int i = 0; i < 20; ++i) {
            XclipOwner stale("UTF8_STRING", "stale");
            QTRY_COMPARE_WITH_TIMEOUT(pasteboard.string(), QStringLiteral("stale"), 5000);
            // As the history restores a record.
            const QByteArray record = i % 2 == 0 ? "alpha" : "bravo";
            pasteboard.prepareForNewContents();
            pasteboard.writeItems({{{"UTF8_STRING", record}, {"text/plain", record}}});
            std::optional<bool> confirmed;
            pasteboard.whenWriteConfirmed([&](bool taken) {
                confirmed = taken;
                injector.postPasteKeystroke({ModifierFlag::Control, KeyCode::V});
            });
            QVERIFY(!confirmed);  // never before the server answered
            QTRY_VERIFY_WITH_TIMEOUT(m_target.canReadLine(), 5000);
            QCOMPARE(confirmed, std::optional<bool>(true));
            QCOMPARE(m_target.readLine().trimmed(), record);
        }
    }

    void cleanupTestCase() {
        m_target.kill();
        m_target.waitForFinished(5000);
    }

  private:
    QProcess m_target;
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(kTargetMode)) {
        return runTarget(argc, argv);
    }
    QApplication app(argc, argv);
    TestPasteDelivery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_paste_delivery.moc"
