#include <QtTest>

#include <QListView>
#include <QScreen>

#include "HotkeyStack.h"
#include "history/HistoryListModel.h"
#include "settings/L10n.h"
#include "ui/popup/PastePopupItemDelegate.h"
#include "ui/popup/PastePopupView.h"
#include "ui/popup/PastePopupWindowController.h"

namespace {
struct Fixture : HotkeyStack {
    int prepareCalls = 0;
    QList<quint64> geometryAsked;
    std::optional<QRect> frame = QRect(-5000, -5000, 10, 10);
    HistoryListModel model{history};

    explicit Fixture(const QStringList& copies = {QStringLiteral("text")}) : HotkeyStack(copies) {
        L10n::configure(&settings, QStringLiteral("en"));
        manager->startMonitoring();
    }
    PastePopupWindowController::WindowSystem windowSystem(bool compositing) {
        return {[compositing] { return compositing; }, [this](QWidget*) { ++prepareCalls; },
                [this](quint64 window) {
                    geometryAsked << window;
                    return frame;
                }};
    }
};

// Where a click on row i's text, or on its remove button, lands in the list's viewport.
QPoint pointIn(const PastePopupView* view, int i, QRect PastePopupItemDelegate::RowLayout::*part) {
    const QModelIndex index = view->listView()->model()->index(i, 0);
    const auto row = view->delegate()->rowLayout(index, view->listView()->font());
    return view->listView()->visualRect(index).topLeft() + (row.*part).center();
}

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
        PastePopupWindowController controller(*f.manager, f.model, f.settings,
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
        // The window the user was in lies on no screen we know: the primary screen it is.
        QCOMPARE(f.geometryAsked, QList<quint64>{kEditor.window});
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

    void clicksSelectPasteAndRemove() {
        Fixture f({"A", "B", "C"});  // rows: C, B, A
        PastePopupWindowController controller(*f.manager, f.model, f.settings,
                                              f.windowSystem(false));
        controller.setup();
        f.other(kChord);
        QCoreApplication::processEvents();
        const PastePopupView* view = controller.view();
        QWidget* viewport = view->listView()->viewport();
        using Row = PastePopupItemDelegate::RowLayout;

        // A single click on the text selects without pasting; the symbols ignore clicks.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pointIn(view, 1, &Row::text));
        QCOMPARE(f.manager->selectedIndex(), 1);
        QCOMPARE(view->delegate()->selectedRow(), 1);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pointIn(view, 1, &Row::checkmark));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointIn(view, 1, &Row::checkmark));
        QVERIFY(f.pasteboard.writes().isEmpty() && f.manager->isPopupVisible());

        // The remove button acts on its own row, not on the selected one.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pointIn(view, 2, &Row::remove));
        QCOMPARE(f.history.items().size(), 2);
        QCOMPARE(f.text(1), QString("B"));
        QCOMPARE(f.manager->selectedIndex(), 1);

        // A double click pastes that row, whichever was selected.
        // A double click, as the window system sends it: press and release, then a double click.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pointIn(view, 0, &Row::text));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointIn(view, 0, &Row::text));
        QCOMPARE(f.pasteboard.writes().size(), 1);
        QCOMPARE(f.pasteboard.string(), std::optional<QString>("C"));
        QVERIFY(!f.manager->isPopupVisible());
    }

    void translucentWhereACompositorBlends() {
        Fixture f;
        PastePopupWindowController controller(*f.manager, f.model, f.settings,
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
