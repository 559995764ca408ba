#include <QtTest>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "FakeAccessibilityTrust.h"
#include "FakeFileThumbnailer.h"
#include "FakeKeyboardHooks.h"
#include "FakeLoginItems.h"
#include "MemoryKeyValueStore.h"
#include "history/ClipboardHistory.h"
#include "hotkey/PasteHotkeyManager.h"
#include "platform/qt/QtScheduler.h"
#include "platform/x11/X11Pasteboard.h"
#include "platform/x11/X11Workspace.h"
#include "platform/x11/XTestKeyInjector.h"
#include "settings/AppSettings.h"

// The paste delivery on a real X server with the real clipboard, window system and keystroke,
// into a text field of another process that is already in front.
namespace {
constexpr char kTargetMode[] = "QUILLSTACK_PASTE_TARGET";

// The target: a line edit that reports each paste on a line of its own and empties itself.
int runTarget(int argc, char** argv) {
    QApplication app(argc, argv);
    QLineEdit field;
    field.setWindowTitle(QStringLiteral("paste target"));
    field.resize(300, 40);
    QObject::connect(&field, &QLineEdit::textChanged, [&field](const QString& text) {
        if (!text.isEmpty()) {
            QTextStream(stdout) << text << Qt::endl;
            field.clear();
        }
    });
    field.show();
    field.activateWindow();
    return QApplication::exec();
}

// Records when each keystroke went out.
class TimedKeyInjector final : public KeyInjector {
  public:
    bool postPasteKeystroke() override {
        m_postedAt = m_clock.elapsed();
        return m_inner.postPasteKeystroke();
    }
    void start() { m_clock.start(); }
    qint64 postedAt() const { return m_postedAt; }

  private:
    XTestKeyInjector m_inner;
    QElapsedTimer m_clock;
    qint64 m_postedAt = -1;
};

// Every core busy while it lives. The clipboard thread yields to other work, so under load a
// keystroke that does not wait for its claim overtakes it.
class CpuLoad {
  public:
    CpuLoad() {
        for (int i = 0; i < QThread::idealThreadCount(); ++i) {
            m_threads.emplace_back([this] {
                while (!m_stop.load(std::memory_order_relaxed)) {
                }
            });
        }
    }
    ~CpuLoad() {
        m_stop = true;
        for (std::thread& thread : m_threads) {
            thread.join();
        }
    }

  private:
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

void copyElsewhere(const QByteArray& text) {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-i"});
    xclip.write(text);
    xclip.closeWriteChannel();
    // xclip forks a server that keeps the selection; the parent returns at once.
    QVERIFY(xclip.waitForFinished(5000));
}
}  // namespace

class TestPasteDelivery : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kTargetMode, QStringLiteral("1"));
        m_target.setProcessEnvironment(env);
        m_target.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_target.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(m_target.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(isTargetInFront(), 10000);
    }

    void restoredRecordReachesTheTargetInFront() {
        m_history.startMonitoring();
        for (const char* text : {"alpha 1", "bravo 2"}) {
            copyElsewhere(text);
            QTRY_VERIFY_WITH_TIMEOUT(indexOf(QLatin1String(text)) == 0, 5000);
        }
        m_manager.startMonitoring();
        QVERIFY(isTargetInFront());

        QList<qint64> latencies;
        const CpuLoad load;
        for (int i = 0; i < 20; ++i) {
            // Another client owns the clipboard before each restore, as after a fresh copy; a
            // keystroke that overtakes our claim pastes its text.
            copyElsewhere("stale");
            QTRY_VERIFY_WITH_TIMEOUT(m_pasteboard.string() == QStringLiteral("stale"), 5000);
            const QLatin1String expected(i % 2 == 0 ? "alpha 1" : "bravo 2");
            QVERIFY(m_hooks.pressInOtherApp(
                KeyEvent{KeyCode::V, ModifierFlag::Command | ModifierFlag::Shift, false}));
            QTRY_VERIFY(m_manager.isPopupVisible());
            m_injector.start();
            m_manager.pasteItemAndClose(indexOf(expected));
            QTRY_VERIFY_WITH_TIMEOUT(m_target.canReadLine(), 5000);
            QCOMPARE(QString::fromUtf8(m_target.readLine().trimmed()), expected);
            latencies << m_injector.postedAt();
        }
        std::sort(latencies.begin(), latencies.end());
        qInfo("request -> keystroke: median %lld ms, max %lld ms", latencies.at(10),
              latencies.last());
        // One keystroke each: nothing more arrives.
        QTest::qWait(200);
        QVERIFY(!m_target.canReadLine());
    }

    void cleanupTestCase() {
        m_scheduler.waitForBackground();
        m_target.kill();
        m_target.waitForFinished(5000);
    }

  private:
    qsizetype indexOf(QLatin1String text) const {
        const QList<ClipboardItem>& items = m_history.items();
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items[i].previewText() == text) {
                return i;
            }
        }
        return -1;
    }
    bool isTargetInFront() const {
        const std::optional<RunningApp> front = m_workspace.frontmostApplication();
        return front && front->pid == m_target.processId();
    }

    QProcess m_target;
    QtScheduler m_scheduler;
    X11Pasteboard m_pasteboard;
    FakeFileThumbnailer m_thumbnailer;
    ClipboardHistory m_history{m_pasteboard, m_scheduler, m_thumbnailer, QString(),
                               [] { return ClipboardHistory::Limits{}; }};
    FakeKeyboardHooks m_hooks;
    FakeAccessibilityTrust m_trust;
    X11Workspace m_workspace;
    TimedKeyInjector m_injector;
    MemoryKeyValueStore m_store;
    FakeLoginItems m_loginItems;
    AppSettings m_settings{m_store, m_loginItems, {}};
    PasteHotkeyManager m_manager{m_hooks,     m_trust,   m_workspace, m_injector,
                                 m_scheduler, m_history, m_settings,  &m_pasteboard};
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
