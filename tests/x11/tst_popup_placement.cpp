#include <QtTest>
#include <QtWidgets>

#include "HotkeyStack.h"
#include "history/HistoryListModel.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/X11Workspace.h"
#include "settings/L10n.h"
#include "ui/popup/PastePopupWindowController.h"

// The popup comes up on the monitor of the window the user was working in. The test's display
// has two monitors side by side on one X screen (tools/x11-session --monitors 2).
class TestPopupPlacement : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QCOMPARE(QGuiApplication::screens().size(), 2); }

    // On the second screen, not the primary one the panel would fall back to.
    void centredOnTheScreenOfTheActiveWindow() {
        const QRect area = QGuiApplication::screens().at(1)->availableGeometry();
        QWidget window;
        window.setWindowTitle(QStringLiteral("Quillstack placement target"));
        window.setGeometry(QRect(area.topLeft() + QPoint(100, 100), QSize(300, 200)));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        // What the window manager says is active when the chord comes.
        const X11Workspace workspace;
        QTRY_VERIFY(workspace.frontmostApplication().value_or(RunningApp{}).window ==
                    window.winId());
        HotkeyStack stack({QStringLiteral("placed")});
        stack.workspace.frontmost = workspace.frontmostApplication();
        L10n::configure(&stack.settings, QStringLiteral("en"));
        stack.detector.startMonitoring();
        PastePopupWindowController controller(
            stack.popup, stack.detector, stack.settings,
            {{}, {}, [](quint64 id) { return X11WindowSystem::windowGeometry(id); }});
        controller.setup();
        stack.other(kChord);
        QCoreApplication::processEvents();
        QWidget* panel = controller.panel();
        QVERIFY(panel && panel->isVisible());
        std::optional<QRect> placed;
        const auto centred = [&] {
            placed = X11WindowSystem::windowGeometry(panel->winId());
            return placed && placed->size() == panel->size() &&
                   qAbs(placed->center().x() - area.center().x()) <= 1 &&
                   qAbs(placed->center().y() - area.center().y()) <= 1;
        };
        // One look, one verdict: while the window is being mapped it is reported at 0,0 now and
        // then, so a second look at the end of a wait can miss a window that is in place.
        QVERIFY2(QTest::qWaitFor(centred, 5000),
                 qPrintable(QDebug::toString(placed.value_or(QRect()))));
    }
};

QTEST_MAIN(TestPopupPlacement)
#include "tst_popup_placement.moc"
