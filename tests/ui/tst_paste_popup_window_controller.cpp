#include <QtTest>

#include <QScreen>

#include "FakeAccessibilityTrust.h"
#include "FakeFileThumbnailer.h"
#include "FakeKeyInjector.h"
#include "FakeKeyboardHooks.h"
#include "FakeLoginItems.h"
#include "FakePasteboard.h"
#include "FakeWorkspace.h"
#include "ManualScheduler.h"
#include "MemoryKeyValueStore.h"
#include "app/AppLogger.h"
#include "history/ClipboardHistory.h"
#include "history/PasteboardTypeKey.h"
#include "hotkey/PasteHotkeyManager.h"
#include "hotkey/PastePopupView.h"
#include "hotkey/PastePopupWindowController.h"
#include "settings/AppSettings.h"
#include "settings/L10n.h"

namespace {
struct Fixture {
    ManualScheduler scheduler;
    FakePasteboard pasteboard;
    FakeFileThumbnailer thumbnailer;
    FakeKeyboardHooks hooks;
    FakeAccessibilityTrust trust;
    FakeWorkspace workspace{scheduler};
    FakeKeyInjector injector{scheduler};
    MemoryKeyValueStore store;
    FakeLoginItems loginItems;
    AppSettings settings{store, loginItems, {}};
    ClipboardHistory history{pasteboard, scheduler, thumbnailer, QString(),
                             [] { return ClipboardHistory::Limits{}; }};
    PasteHotkeyManager manager{hooks, trust, workspace, injector, scheduler, history, settings};
    QStringList visibilityLines;
    int prepareCalls = 0;

    Fixture() {
        AppLogger::setSinkForTesting([this](const QString& line) {
            if (line.startsWith("PastePopupWindowController: isPopupVisible=")) {
                visibilityLines << line;
            }
        });
        L10n::configure(&settings, QStringLiteral("en"));
        history.startMonitoring();
        manager.startMonitoring();
        pasteboard.setContent({StoredItem{{QString(PasteboardTypeKey::stringUtf8Mime), "text"}}});
        scheduler.advance(ClipboardHistory::pollIntervalMs);
        scheduler.runUntilIdle();
    }
    ~Fixture() { AppLogger::setSinkForTesting({}); }

    PastePopupWindowController::WindowSystem windowSystem(bool compositing) {
        return {[compositing] { return compositing; }, [this](QWidget*) { ++prepareCalls; }};
    }
    // The chord toggles the popup; the controller follows one event-loop turn later.
    void pressChord() {
        hooks.pressInOtherApp(KeyEvent{KeyCode::V, 0x120000});
        scheduler.runUntilIdle();
    }
};

QPoint centredOrigin(const QWidget* panel) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return {area.x() + area.width() / 2 - panel->width() / 2,
            area.y() + area.height() / 2 - panel->height() / 2};
}
}  // namespace

class TestPastePopupWindowController : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void followsVisibilityOneTurnLateWithOnePanel() {
        Fixture f;
        PastePopupWindowController controller(f.manager, f.history, f.settings,
                                              f.windowSystem(false));
        controller.setup();
        QVERIFY(f.visibilityLines.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(f.visibilityLines,
                 QStringList{"PastePopupWindowController: isPopupVisible=false"});
        QVERIFY(!controller.panel());

        f.pressChord();
        QVERIFY(f.manager.isPopupVisible());
        QVERIFY(!controller.panel());  // not yet: the assignment's caller finishes first
        QCoreApplication::processEvents();
        QWidget* panel = controller.panel();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(f.prepareCalls, 1);
        const Qt::WindowFlags flags = panel->windowFlags();
        QVERIFY(flags.testFlag(Qt::Tool) && flags.testFlag(Qt::FramelessWindowHint) &&
                flags.testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(panel->size(), QSize(420, 136));
        QCOMPARE(panel->pos(), centredOrigin(panel));
        QVERIFY(!panel->testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(!panel->mask().isEmpty());
        QVERIFY(!panel->mask().contains(QPoint(0, 0)));  // a rounded corner

        f.pressChord();
        QCoreApplication::processEvents();
        QVERIFY(!panel->isVisible());

        // Shown again: the same panel, centred again although it was moved meanwhile.
        panel->move(3, 3);
        f.pressChord();
        QCoreApplication::processEvents();
        QCOMPARE(controller.panel(), panel);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), centredOrigin(panel));
        QCOMPARE(f.prepareCalls, 2);
        QCOMPARE(f.visibilityLines.size(), 4);
        QCOMPARE(f.visibilityLines.last(),
                 QString("PastePopupWindowController: isPopupVisible=true"));
    }

    void translucentWhereACompositorBlends() {
        Fixture f;
        PastePopupWindowController controller(f.manager, f.history, f.settings,
                                              f.windowSystem(true));
        controller.setup();
        f.pressChord();
        QCoreApplication::processEvents();
        QVERIFY(controller.panel()->testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(controller.panel()->mask().isEmpty());
    }
};

QTEST_MAIN(TestPastePopupWindowController)
#include "tst_paste_popup_window_controller.moc"
