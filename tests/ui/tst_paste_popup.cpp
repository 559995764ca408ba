#include <QtTest>

#include <QLabel>
#include <QListView>
#include <QPropertyAnimation>
#include <QScreen>
#include <QScrollBar>

#include "TestHelpers.h"
#include "WindowRig.h"
#include "ui/popup/PastePopupItemDelegate.h"
#include "ui/popup/PastePopupView.h"
#include "ui/popup/PastePopupWindowController.h"

using Row = PastePopupItemDelegate::RowLayout;

namespace {
// The real chord, popup session, history and settings over fakes, the list model and the popup's
// controller.
struct Popup : WindowRig {
    int prepareCalls = 0;
    QList<quint64> geometryAsked;
    PastePopupWindowController controller;

    explicit Popup(const QStringList& copies, bool compositing = false)
        : WindowRig(copies),
          controller(popup, detector, model, settings,
                     {[compositing] { return compositing; }, [this](QWidget*) { ++prepareCalls; },
                      [this](quint64 window) {
                          geometryAsked << window;
                          return std::optional<QRect>(QRect(-5000, -5000, 10, 10));  // no screen
                      }}) {}
    // The chord, and the turn in which the panel follows.
    void chord() {
        other(kChord);
        QCoreApplication::processEvents();
    }
    QListView* list() const { return controller.view()->listView(); }
    Row row(int i) const {
        return controller.view()->delegate()->rowLayout(model.index(i), list()->font());
    }
    // Where a click on a part of row i lands in the list's viewport.
    QPoint pointIn(int i, QRect Row::*part) const {
        return list()->visualRect(model.index(i)).topLeft() + (row(i).*part).center();
    }
};

QPoint centredOrigin(const QWidget* panel) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return {area.x() + area.width() / 2 - panel->width() / 2,
            area.y() + area.height() / 2 - panel->height() / 2};
}

}  // namespace

class TestPastePopup : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // At most three lines that never run under the symbols, "…" when text is left over, and a
    // short text centred on its thumbnail.
    void rowLayout_data() {
        QTest::addColumn<StoredItem>("content");
        QTest::addColumn<QStringList>("lines");  // "…": any line ending in it; "": any line
        QTest::addColumn<bool>("thumbnail");
        const QStringList cut{"", "", "…"};
        QTest::newRow("four lines") << textItem("first\nsecond\nthird\nfourth")
                                    << QStringList{"first", "second", "third fourth"} << false;
        QTest::newRow("2 MB on one line") << textItem(QString(2 << 20, 'w')) << cut << false;
        QTest::newRow("image") << StoredItem{{QString(PasteboardTypeKey::png),
                                              encodeImage(solidImage(300, 100))}}
                               << QStringList{"[Image]"} << true;
    }
    void rowLayout() {
        QFETCH(StoredItem, content);
        QFETCH(QStringList, lines);
        QFETCH(bool, thumbnail);
        Popup p({});
        p.copy(content);
        p.controller.setup();
        p.chord();
        const Row row = p.row(0);
        QCOMPARE(row.lines.size(), lines.size());
        const QFontMetrics metrics(p.list()->font());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i] == "…") {
                QVERIFY2(row.lines[i].endsWith(QChar(0x2026)), qPrintable(row.lines[i]));
            } else if (!lines[i].isEmpty()) {
                QCOMPARE(row.lines[i], lines[i]);
            }
            QVERIFY(metrics.horizontalAdvance(row.lines[i]) <= row.textBlock.width());
        }
        QVERIFY(row.textBlock.right() < row.checkmark.left());
        QVERIFY(row.checkmark.right() < row.remove.left() && row.remove.right() < 420);
        QCOMPARE(!row.thumbnail.isEmpty(), thumbnail);
        QVERIFY(!thumbnail || (row.textBlock.left() > row.thumbnail.right() &&
                               row.height > row.thumbnail.height() &&
                               qAbs(row.textBlock.center().y() - row.thumbnail.center().y()) <= 1));
        QCOMPARE(p.list()->visualRect(p.model.index(0)).height(), row.height);
    }

    // One panel, shown one turn after the popup opens; see-through only where a compositor
    // blends, else cut round.
    void followsVisibilityOneTurnLateWithOnePanel_data() {
        QTest::addColumn<bool>("compositing");
        QTest::newRow("no compositor") << false;
        QTest::newRow("compositor") << true;
    }
    void followsVisibilityOneTurnLateWithOnePanel() {
        QFETCH(bool, compositing);
        Popup p({"text"}, compositing);
        p.controller.setup();
        QCoreApplication::processEvents();
        QVERIFY(!p.controller.panel());
        p.other(kChord);
        QVERIFY(p.popup.isPopupVisible());
        QVERIFY(!p.controller.panel());  // not yet: the assignment's caller finishes first
        QCoreApplication::processEvents();
        QWidget* panel = p.controller.panel();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(p.prepareCalls, 1);
        QVERIFY(panel->windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint |
                                               Qt::WindowStaysOnTopHint));
        QCOMPARE(panel->size(), QSize(420, 136));
        // The window the user was in lies on no screen we know: the primary screen it is.
        QCOMPARE(p.geometryAsked, QList<quint64>{kEditor.window});
        QCOMPARE(panel->pos(), centredOrigin(panel));
        QCOMPARE(panel->testAttribute(Qt::WA_TranslucentBackground), compositing);
        QCOMPARE(panel->mask().isEmpty(), compositing);
        QVERIFY(compositing || !panel->mask().contains(QPoint(0, 0)));

        // Shown again: the same panel, centred again although it was moved meanwhile.
        p.chord();
        QVERIFY(!panel->isVisible());
        panel->move(3, 3);
        p.chord();
        QVERIFY(p.controller.panel() == panel && panel->isVisible());
        QCOMPARE(panel->pos(), centredOrigin(panel));
        QCOMPARE(p.prepareCalls, 2);

        // Where nothing can type the paste keystroke, the header says to press it by hand.
        const QString typed = p.controller.view()->headerLabel()->text();
        for (const bool trusted : {false, true}) {
            p.chord();
            p.trust.setTrusted(trusted);
            p.detector.restartMonitoring();
            p.chord();
            QCOMPARE(p.controller.view()->headerLabel()->text(),
                     trusted ? typed : "Clipboard — ↑↓ Enter to copy, then press Ctrl+V");
        }
    }

    void clicksSelectPasteAndRemove() {
        Popup p({"A", "B", "C"});  // rows: C, B, A
        p.controller.setup();
        p.chord();
        QWidget* viewport = p.list()->viewport();

        // A single click on the text selects without pasting; the symbols ignore clicks.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::text));
        QCOMPARE(p.controller.view()->delegate()->selectedRow(), 1);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::checkmark));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::checkmark));
        QVERIFY(p.pasteboard.writes().isEmpty() && p.popup.isPopupVisible());

        // The remove button acts on its own row, not on the selected one.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(2, &Row::remove));
        QCOMPARE(p.history.items().size(), 2);
        QCOMPARE(p.text(1), QString("B"));
        QCOMPARE(p.controller.view()->delegate()->selectedRow(), 1);

        // A double click as the window system sends it pastes that row, whichever was selected.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(0, &Row::text));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, p.pointIn(0, &Row::text));
        QCOMPARE(p.pasteboard.writes().size(), 1);
        QVERIFY(p.pasteboard.string() == "C" && !p.popup.isPopupVisible());
    }

    void selectionScrollsToTheMiddle() {
        Popup p({});
        for (int i = 0; i < 12; ++i) {
            p.copyText(QString("item %1").arg(i));
        }
        p.controller.setup();
        p.chord();
        QScrollBar* bar = p.list()->verticalScrollBar();
        QPropertyAnimation* animation = p.controller.view()->scrollAnimation();
        QVERIFY(bar->value() == 0 && bar->maximum() > 0);

        p.popup.setSelectedIndex(6);
        QCOMPARE(animation->state(), QAbstractAnimation::Running);
        QTRY_COMPARE(animation->state(), QAbstractAnimation::Stopped);
        const QRect row = p.list()->visualRect(p.model.index(6));
        QVERIFY(qAbs(row.center().y() - p.list()->viewport()->height() / 2) <= 1);
        // Opened again on row 0: placed at once, without animation.
        p.chord();
        p.chord();
        QVERIFY(animation->state() == QAbstractAnimation::Stopped && bar->value() == 0);
    }
};

QTEST_MAIN(TestPastePopup)
#include "tst_paste_popup.moc"
