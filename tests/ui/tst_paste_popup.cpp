#include <QtTest>

#include <QLabel>
#include <QListView>
#include <QPropertyAnimation>
#include <QScreen>
#include <QScrollBar>

#include "HotkeyStack.h"
#include "TestHelpers.h"
#include "history/HistoryListModel.h"
#include "settings/L10n.h"
#include "ui/popup/PastePopupItemDelegate.h"
#include "ui/popup/PastePopupView.h"
#include "ui/popup/PastePopupWindowController.h"

using Row = PastePopupItemDelegate::RowLayout;

namespace {
// The real detector, session, history and settings over fakes, the list model and the popup's
// controller.
struct Popup : HotkeyStack {
    int prepareCalls = 0;
    QList<quint64> geometryAsked;
    HistoryListModel model{history};
    PastePopupWindowController controller;

    explicit Popup(const QStringList& copies, bool compositing = false)
        : HotkeyStack(copies),
          controller(popup, detector, model, settings,
                     {[compositing] { return compositing; }, [this](QWidget*) { ++prepareCalls; },
                      [this](quint64 window) {
                          geometryAsked << window;
                          return std::optional<QRect>(QRect(-5000, -5000, 10, 10));  // no screen
                      }}) {
        L10n::configure(&settings, QStringLiteral("en"));
        detector.startMonitoring();
    }
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

StoredItem text(const QString& s) {
    return {{QString(PasteboardTypeKey::stringUtf8Mime), s.toUtf8()}};
}
}  // namespace

class TestPastePopup : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void heightFollowsTheItemCountAndTextsTheLanguage() {
        Popup p({});
        PastePopupView view(p.model, p.settings);
        QCOMPARE(view.size(), QSize(420, 80));
        QVERIFY(!view.emptyLabel()->isHidden() && view.listView()->isHidden());
        QCOMPARE(view.emptyLabel()->text(), QString("No items"));
        p.copyText("one");
        QCOMPARE(view.height(), 136);
        QVERIFY(view.emptyLabel()->isHidden() && !view.listView()->isHidden());
        for (int i = 2; i <= 6; ++i) {
            p.copyText(QString("text %1").arg(i));
            QCOMPARE(view.height(), std::min(i * 56 + 80, 400));
        }
        p.history.clearAll();
        QCOMPARE(view.height(), 80);
        p.settings.setPreferredLanguage("de");
        const QString header = QStringLiteral("Clipboard — double-click or ↑↓ Enter to paste");
        QCOMPARE(view.headerLabel()->text(), L10n::string(header));
        QVERIFY(view.headerLabel()->text() != header);
        QVERIFY(view.emptyLabel()->text() != QString("No items"));
    }

    // At most three lines that never run under the symbols, "…" when text is left over, and a
    // short text centred on its thumbnail.
    void rowLayout_data() {
        QTest::addColumn<StoredItem>("content");
        QTest::addColumn<QStringList>("lines");  // "…": any line ending in it; "": any line
        QTest::addColumn<bool>("thumbnail");
        QString words;
        for (int i = 0; i < 40; ++i) {
            words += QString("word%1 ").arg(i);
        }
        const QStringList cut{"", "", "…"};
        QTest::newRow("ends in a line break") << text("hello\n") << QStringList{"hello"} << false;
        QTest::newRow("four lines") << text("first\nsecond\nthird\nfourth")
                                    << QStringList{"first", "second", "third fourth"} << false;
        QTest::newRow("many words") << text(words) << cut << false;
        QTest::newRow("2 MB on one line") << text(QString(2 << 20, 'w')) << cut << false;
        QTest::newRow("image") << StoredItem{{QString(PasteboardTypeKey::png),
                                              encodeImage(solidImage(300, 100))}}
                               << QStringList{"[Image]"} << true;
        QTest::newRow("three files")
            << StoredItem{{QString(PasteboardTypeKey::uriList),
                           "file:///a.txt\r\nfile:///b.png\r\nfile:///c.pdf"}}
            << QStringList{"a.txt, b.png, c.pdf"} << false;
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
        using D = PastePopupItemDelegate;
        if (thumbnail) {
            QCOMPARE(row.height, D::thumbnailSide + 2 * D::verticalInset);
            QVERIFY(qAbs(row.textBlock.center().y() - row.thumbnail.center().y()) <= 1);
            QCOMPARE(row.textBlock.left(), row.thumbnail.right() + 1 + D::spacing);
        } else {
            QCOMPARE(row.textBlock.left(), D::leadingInset);
        }
        QCOMPARE(p.list()->visualRect(p.model.index(0)).height(), row.height);
    }

    // A file's picture arrives after its row was laid out: the row makes room for it, unless
    // the bytes are no picture.
    void aFilePictureArrivesLater() {
        QTemporaryDir dir;
        Popup p({});
        for (const char* name : {"a.pdf", "b.pdf"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
            p.copy({{QString(PasteboardTypeKey::uriList),
                     QUrl::fromLocalFile(file.fileName()).toEncoded()}});
        }
        p.controller.setup();
        p.chord();
        const int textOnly = p.list()->visualRect(p.model.index(0)).height();
        QCOMPARE(p.thumbnailer.requests().size(), 2);
        p.thumbnailer.answer(0, encodeImage(solidImage(64, 64)));  // a.pdf, row 1
        p.thumbnailer.answer(1, QByteArray("not a png"));
        p.scheduler.runUntilIdle();
        QVERIFY(!p.row(1).thumbnail.isEmpty() && p.row(0).thumbnail.isEmpty());
        QCOMPARE(p.list()->visualRect(p.model.index(1)).height(), p.row(1).height);
        QVERIFY(p.row(1).height > textOnly);
        QCOMPARE(p.list()->visualRect(p.model.index(0)).height(), textOnly);
    }

    void followsVisibilityOneTurnLateWithOnePanel() {
        Popup p({"text"});
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
        const Qt::WindowFlags flags = panel->windowFlags();
        QVERIFY(flags.testFlag(Qt::Tool) && flags.testFlag(Qt::FramelessWindowHint) &&
                flags.testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(panel->size(), QSize(420, 136));
        // The window the user was in lies on no screen we know: the primary screen it is.
        QCOMPARE(p.geometryAsked, QList<quint64>{kEditor.window});
        QCOMPARE(panel->pos(), centredOrigin(panel));
        QVERIFY(!panel->testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(!panel->mask().isEmpty() && !panel->mask().contains(QPoint(0, 0)));  // round

        p.chord();
        QVERIFY(!panel->isVisible());

        // Shown again: the same panel, centred again although it was moved meanwhile.
        panel->move(3, 3);
        p.chord();
        QVERIFY(p.controller.panel() == panel && panel->isVisible());
        QCOMPARE(panel->pos(), centredOrigin(panel));
        QCOMPARE(p.prepareCalls, 2);

        // Where nothing can type the paste keystroke, the header says to press it by hand.
        const QString typed = p.controller.view()->headerLabel()->text();
        p.chord();
        p.trust.setTrusted(false);
        p.detector.restartMonitoring();
        p.chord();
        QCOMPARE(p.controller.view()->headerLabel()->text(),
                 QStringLiteral("Clipboard — ↑↓ Enter to copy, then press Ctrl+V"));
        p.chord();
        p.trust.setTrusted(true);
        p.detector.restartMonitoring();
        p.chord();
        QCOMPARE(p.controller.view()->headerLabel()->text(), typed);
    }

    // Set up while the popup is already open: the panel follows the value it finds, one turn
    // later. Development builds log every value followed.
    void followsTheValueFoundAtSetup() {
        Popup p({"text"});
        p.other(kChord);
        PastePopupWindowController controller(p.popup, p.detector, p.model, p.settings);
        controller.setup();
        QVERIFY(!controller.panel());
        QCoreApplication::processEvents();
        QVERIFY(controller.panel() && controller.panel()->isVisible());
        p.chord();
        QVERIFY(!controller.panel()->isVisible());
        if (!AppEnvironment::isLoggingEnabled) {
            QSKIP("This build leaves the diagnostic log out");
        }
        QCOMPARE(p.lines.filter(QStringLiteral("PastePopupWindowController: isPopupVisible=")),
                 (QStringList{"PastePopupWindowController: isPopupVisible=true",
                              "PastePopupWindowController: isPopupVisible=false"}));
    }

    void clicksSelectPasteAndRemove() {
        Popup p({"A", "B", "C"});  // rows: C, B, A
        p.controller.setup();
        p.chord();
        QWidget* viewport = p.list()->viewport();

        // A single click on the text selects without pasting; the symbols ignore clicks.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::text));
        QCOMPARE(p.popup.selectedIndex(), 1);
        QCOMPARE(p.controller.view()->delegate()->selectedRow(), 1);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::checkmark));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::checkmark));
        QVERIFY(p.pasteboard.writes().isEmpty() && p.popup.isPopupVisible());

        // The remove button acts on its own row, not on the selected one.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(2, &Row::remove));
        QCOMPARE(p.history.items().size(), 2);
        QCOMPARE(p.text(1), QString("B"));
        QCOMPARE(p.popup.selectedIndex(), 1);

        // A double click as the window system sends it pastes that row, whichever was selected.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(0, &Row::text));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, p.pointIn(0, &Row::text));
        QCOMPARE(p.pasteboard.writes().size(), 1);
        QCOMPARE(p.pasteboard.string(), std::optional<QString>("C"));
        QVERIFY(!p.popup.isPopupVisible());
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
        QCOMPARE(bar->value(), 0);
        QVERIFY(bar->maximum() > 0);

        p.popup.setSelectedIndex(6);
        QCOMPARE(animation->state(), QAbstractAnimation::Running);
        QTRY_COMPARE(animation->state(), QAbstractAnimation::Stopped);
        const QRect row = p.list()->visualRect(p.model.index(6));
        QVERIFY(qAbs(row.center().y() - p.list()->viewport()->height() / 2) <= 1);
        // The last row: scrolled as far as the list goes.
        p.popup.setSelectedIndex(11);
        QTRY_COMPARE(bar->value(), bar->maximum());

        // Opened again on row 0: placed at once, without animation.
        p.chord();
        p.chord();
        QCOMPARE(animation->state(), QAbstractAnimation::Stopped);
        QCOMPARE(bar->value(), 0);
    }

    void translucentWhereACompositorBlends() {
        Popup p({"text"}, true);
        p.controller.setup();
        p.chord();
        QVERIFY(p.controller.panel()->testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(p.controller.panel()->mask().isEmpty());
    }
};

QTEST_MAIN(TestPastePopup)
#include "tst_paste_popup.moc"
