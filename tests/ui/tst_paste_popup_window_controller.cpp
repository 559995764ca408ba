#include <QtTest>

#include <QScreen>

#include "HotkeyStack.h"
#include "settings/L10n.h"
#include "ui/popup/PastePopupView.h"
#include "ui/popup/PastePopupWindowController.h"

namespace {
struct Fixture : HotkeyStack {
    int prepareCalls = 0;

    Fixture() : HotkeyStack({QStringLiteral("text")}) {
        L10n::configure(&settings, QStringLiteral("en"));
        manager->startMonitoring();
    }
    PastePopupWindowController::WindowSystem windowSystem(bool compositing) {
        return {[compositing] { return compositing; }, [this](QWidget*) { ++prepareCalls; }};
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
        PastePopupWindowController controller(*f.manager, f.history, f.settings,
                                              f.windowSystem(false));
        controller.setup();
        QCoreApplication::processEvents();
        QVERIFY(!controller.panel());

        f.other(kChord);
        QVERIFY(f.manager->isPopupVisible());
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
        QVERIFY(!panel->mask().isEmpty() && !panel->mask().contains(QPoint(0, 0)));  // round

        f.other(kChord);
        QCoreApplication::processEvents();
        QVERIFY(!panel->isVisible());

        // Shown again: the same panel, centred again although it was moved meanwhile.
        panel->move(3, 3);
        f.other(kChord);
        QCoreApplication::processEvents();
        QVERIFY(controller.panel() == panel && panel->isVisible());
        QCOMPARE(panel->pos(), centredOrigin(panel));
        QCOMPARE(f.prepareCalls, 2);
    }

    // Set up while the popup is already open: the panel follows the value it finds, one turn
    // later. Development builds log every value followed.
    void followsTheValueFoundAtSetup() {
        Fixture f;
        f.other(kChord);
        PastePopupWindowController controller(*f.manager, f.history, f.settings,
                                              f.windowSystem(false));
        controller.setup();
        QVERIFY(!controller.panel());
        QCoreApplication::processEvents();
        QVERIFY(controller.panel() && controller.panel()->isVisible());
        f.other(kChord);
        QCoreApplication::processEvents();
        QVERIFY(!controller.panel()->isVisible());
        if (!AppEnvironment::isLoggingEnabled) {
            QSKIP("This build leaves the diagnostic log out");
        }
        QCOMPARE(f.lines.filter(QStringLiteral("PastePopupWindowController: isPopupVisible=")),
                 (QStringList{"PastePopupWindowController: isPopupVisible=true",
                              "PastePopupWindowController: isPopupVisible=false"}));
    }

    void translucentWhereACompositorBlends() {
        Fixture f;
        PastePopupWindowController controller(*f.manager, f.history, f.settings,
                                              f.windowSystem(true));
        controller.setup();
        f.other(kChord);
        QCoreApplication::processEvents();
        QVERIFY(controller.panel()->testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(controller.panel()->mask().isEmpty());
    }
};

QTEST_MAIN(TestPastePopupWindowController)
#include "tst_paste_popup_window_controller.moc"
