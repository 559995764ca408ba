// SPDX-License-Identifier: MIT
// The application's windows on fakes, offscreen: the tray's panel and menu, the history window and
// its search, the settings window, the onboarding wizard and the paste popup.
#include <QtTest>
#include <QtWidgets>

#include "ChordStack.h"
#include "TestHelpers.h"
#include "history/HistoryFilterModel.h"
#include "history/SearchText.h"
#include "onboarding/OnboardingWizard.h"
#include "platform/StatusIndicator.h"
#include "ui/common/AppWindow.h"
#include "ui/common/MatchHighlight.h"
#include "ui/common/QuitQuestion.h"
#include "ui/history/HistoryWindowDelegate.h"
#include "ui/history/HistoryWindowView.h"
#include "ui/onboarding/OnboardingPanel.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/popup/PastePopupItemDelegate.h"
#include "ui/popup/PastePopupView.h"
#include "ui/popup/PastePopupWindowController.h"
#include "ui/settings/ChordRecorderView.h"
#include "ui/settings/SettingsView.h"
#include "ui/tray/QuillstackTray.h"
#include "ui/tray/TrayPanel.h"
#include "ui/tray/TrayPanelView.h"
#include "ui/tray/TrayRow.h"
#include "ui/tray/WayInNotice.h"

using namespace Qt::StringLiterals;

namespace {
template <typename T = QWidget>
T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

using Row = PastePopupItemDelegate::RowLayout;

// Clicks the box's button of this role.
void answer(const QMessageBox& box, QMessageBox::ButtonRole role) {
    for (QAbstractButton* button : box.buttons()) {
        if (box.buttonRole(button) == role) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

// The browser on screen over the list model.
struct HistoryWindow : WindowRig {
    HistoryWindowView view{history, model, scheduler, language.current()};
    HistoryFilterModel& shown = *view.filterModel();  // the rows the list shows

    explicit HistoryWindow(const QStringList& texts = {}) : WindowRig(texts) {
        view.resize(HistoryWindowView::minimumWidth, HistoryWindowView::minimumHeight);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        settle();
    }
    QListView* list() const { return view.listView(); }
    void settle() const {
        list()->doItemsLayout();
        QCoreApplication::processEvents();
    }
    HistoryWindowDelegate::RowLayout rowLayout(int row) const {
        return view.delegate()->layoutFor(list()->visualRect(shown.index(row, 0)),
                                          shown.index(row, 0));
    }
};

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The top-bar stand-in as the desktop would take it: the rows last offered.
struct FakeIndicator : StatusIndicator {
    QList<Row> rows;
    bool paused = false;
    bool shown = false;
    void offer(const QList<Row>& offered, bool isPaused) override {
        rows = offered;
        paused = isPaused;
    }
    bool isShown() const override { return shown; }
};

struct Tray : WindowRig {
    FakeIndicator indicator;
    QuillstackTray tray{settings, &indicator};

    TrayPanelView* view() const { return tray.panel()->view(); }
    // The panel's rows and the menu's entries, in the same order, each wired to its own request.
    void checkRows() {
        QObject connections;
        QList<int> sent;
        int n = 0;
        for (const auto request :
             {&QuillstackTray::historyWindowRequested, &QuillstackTray::settingsRequested,
              &QuillstackTray::pauseToggleRequested, &QuillstackTray::restartOnboardingRequested,
              &QuillstackTray::quitRequested}) {
            QObject::connect(&tray, request, &connections, [&sent, row = n++] { sent << row; });
        }
        QList<QAction*> actions = tray.contextMenu()->actions();
        actions.removeIf([](QAction* action) { return action->isSeparator(); });
        // Up from no row wraps to Quit, and Down from Quit to the first row.
        QTest::keyClick(view(), Qt::Key_Up);
        QTest::keyClick(view(), Qt::Key_Return);
        QCOMPARE(sent, QList<int>{n - 1});
        sent.clear();
        // Each row with Down from the one before and Return, clicked, then from the menu.
        for (int row = 0; row < n; ++row) {
            TrayRow* item = view()->rows().at(row);
            QCOMPARE(item->title(), actions.at(row)->text());
            QTest::keyClick(view(), Qt::Key_Down);
            QTest::keyClick(view(), Qt::Key_Return);
            // The empty end of the row counts as much as its text.
            QTest::mouseClick(item, Qt::LeftButton, {},
                              QPoint(item->width() - 3, item->height() / 2));
            QVERIFY(tray.panel()->isVisible());
            actions.at(row)->trigger();
            QCOMPARE(sent, QList<int>(3, row));
            sent.clear();
        }
        // Paused, the row offers to resume, in the menu too, and the tooltip says so.
        tray.setRecordingPaused(true);
        const QString resume = QCoreApplication::translate("TrayPanelView", "Resume recording");
        QCOMPARE(view()->rows().at(TrayPanelView::pauseRow)->title(), resume);
        QCOMPARE(actions.at(TrayPanelView::pauseRow)->text(), resume);
        QVERIFY(indicator.paused);
        QCOMPARE(indicator.rows.at(TrayPanelView::pauseRow).text, resume);
        QVERIFY(tray.trayIcon()->toolTip().contains(QCoreApplication::translate(
            "QuillstackTray", "Recording paused: copies are not kept")));
    }
};

using Session = SessionKind;

struct LimitCase {
    int start;
    const char* edit;  // "-": the arrow down; else typed over the value
    int atOnce, settled;
};

struct WarningCase {
    bool trusted;
    ChordRefusal refusal;
    bool globalRefused, opener;
    Session session;
    const char* fragment = "";  // a piece of the advice; "%@": the chord it must name; "": none
    bool button = false;
};

struct RecordCase {
    int qtKey, modifiers, scanCode;
    quint64 chord = 0;  // stored; 0: nothing
    int keyCode = 0;
    const char* end = "";   // how the recording ends before the key press
    const char* hint = "";  // a piece of the line under the recorder afterwards
};

// Takes the key presses that get past the recorder.
struct KeySink : QWidget {
    QList<int> keys;
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
};

// The settings window as the application wires it: the limit applied and the chord reinstalled
// on assignment, the content rebuilt on a language change.
struct SettingsRig : WindowRig {
    bool withOpener = true;
    Session session = Session::X11;
    int opened = 0, quits = 0;
    KeySink sink;
    AppWindow window{"Settings", [this] {
                         return new SettingsView(
                             settings, detector,
                             withOpener ? std::function<void()>([this] { ++opened; }) : nullptr,
                             [this] { ++quits; }, session);
                     }};

    explicit SettingsRig(const QStringList& copies = {}) : WindowRig(copies) {
        QObject::connect(&settings, &AppSettings::historySizeAssigned, &history,
                         &ClipboardHistory::applyLimit, Qt::DirectConnection);
        QObject::connect(&settings, &AppSettings::chordAssigned, &detector,
                         &ChordDetector::restartMonitoring, Qt::DirectConnection);
        QObject::connect(&settings, &AppSettings::preferredLanguageChanged, &window,
                         &AppWindow::rebuildContent);
    }
    SettingsView* open() {
        window.present();
        return QTest::qWaitForWindowExposed(&window) ? view() : nullptr;
    }
    SettingsView* view() const { return qobject_cast<SettingsView*>(window.content()); }
    ChordRecorderView* recorder() const { return view()->recorder(); }
};

// The first thing the settings form shows cut: a button narrower than its text, a wrapped text
// shorter than its lines, anything past the right edge; empty when nothing is.
QString cutInSettings(const SettingsView& view) {
    const auto* scroll = view.findChild<QScrollArea*>();
    const QWidget* viewport = scroll->viewport();
    for (const QWidget* widget : scroll->widget()->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->parentWidget()->inherits("QAbstractScrollArea")) {
            continue;
        }
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        const auto* label = qobject_cast<const QLabel*>(widget);
        const QString name = button ? button->text() : label ? label->text() : widget->objectName();
        if (widget->mapTo(viewport, QPoint(widget->width(), 0)).x() > viewport->width() ||
            (button && button->width() < button->sizeHint().width()) ||
            (label && label->wordWrap() &&
             label->height() < label->heightForWidth(label->width()))) {
            return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
        }
    }
    return {};
}

// The wizard on fakes, in English, on screen.
struct WizardRig : WindowRig {
    OnboardingView view{settings, detector, clipboard, scheduler};

    // The clipboard tells of its changes, as every desktop's does.
    WizardRig() {
        clipboard.setNotifiesChanges(true);
        view.show();
    }
    OnboardingWizard& wizard() { return view.wizard(); }
    QWidget* at(const char* name) const { return child(view, name); }
    void click(const char* name) const { QTest::mouseClick(at(name), Qt::LeftButton); }
    bool highlighted(const char* name) const {
        const auto* box = dynamic_cast<const onboarding::RoundedBox*>(at(name)->parentWidget());
        return box != nullptr && box->isHighlighted();
    }
    // Another program copies this text; the check follows without the clock moving.
    void copyElsewhere(const QString& text) {
        clipboard.setContent({textItem(text)});
        scheduler.runUntilIdle();
    }
    // Forward with Next; the copy exercise is passed with its two buttons.
    void goTo(int step) {
        while (wizard().step() < step) {
            if (wizard().step() == OnboardingWizard::copyTrainingStep) {
                click("copyButton1");
                click("copyButton2");
            }
            click("nextButton");
        }
    }
};

// The real chord, popup session, history and settings over fakes, the list model and the popup's
// controller, set up.
struct Popup : WindowRig {
    int prepareCalls = 0;
    PastePopupWindowController controller;
    HistoryFilterModel& shown = popup.filterModel();  // the rows the list shows

    // The window the user was in lies on no screen. (That the panel is placed on the screen of
    // the right window: tst_window_placement.)
    explicit Popup(const QStringList& copies, bool compositing = false)
        : WindowRig(copies),
          controller(popup, detector, settings,
                     {[compositing] { return compositing; }, [this](quint64) { ++prepareCalls; },
                      [](quint64) { return std::optional<QRect>(QRect(-5000, -5000, 10, 10)); }}) {
        controller.setup();
    }
    // The chord, and the turn in which the panel follows.
    void chord() {
        other(kChord);
        QCoreApplication::processEvents();
    }
    QListView* list() const { return controller.view()->listView(); }
    Row row(int i) const {
        return controller.view()->delegate()->rowLayout(shown.index(i, 0), list()->font());
    }
    // Where a click on a part of row i lands in the list's viewport.
    QPoint pointIn(int i, QRect Row::*part) const {
        return list()->visualRect(shown.index(i, 0)).topLeft() + (row(i).*part).center();
    }
};

}  // namespace

class TestWindows : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // The icon toggles the panel. Its rows and the menu are built again on a language change,
    // wired like before; the reminder and the tooltip name the chord.
    void rowsSendTheirRequests() {
        Tray t;
        TrayPanel* panel = t.tray.panel();
        // Trigger, context, trigger, trigger; then a lost focus, and the click on the icon that
        // took it: "+" shown after it, "-" hidden.
        QEvent deactivate(QEvent::WindowDeactivate);
        for (const char step : QByteArray("TC-+D-+")) {
            if (step == 'D') {
                QCoreApplication::sendEvent(panel, &deactivate);
            } else {
                Q_EMIT t.tray.trayIcon()->activated(step == 'C' ? QSystemTrayIcon::Context
                                                                : QSystemTrayIcon::Trigger);
            }
            QCOMPARE(panel->isVisible(), step != '-' && step != 'D');
        }
        t.settings.setChord({t.settings.chordModifiers(), KeyCode::fromEvdev(KEY_S)});
        const QString shown = t.view()->reminderLabel()->text();
        QVERIFY(shown.startsWith(t.settings.chordDisplayString() + ' '));
        QVERIFY(t.tray.trayIcon()->toolTip().startsWith("Quillstack\n" + shown));
        t.checkRows();
        QPointer<TrayPanelView> old = t.view();
        t.settings.setPreferredLanguage(QStringLiteral("de"));
        QTRY_VERIFY(old.isNull());
        // The guide's hint at the way in shows while neither the tray nor the indicator does.
        WayInNotice notice(t.tray);
        QCOMPARE(notice.isHidden(), t.tray.isVisible());
        t.indicator.shown = true;
        Q_EMIT t.indicator.shownChanged(true);
        QVERIFY(notice.isHidden());
        QVERIFY(panel->isVisible() && panel->width() == TrayPanelView::panelWidth);
        QVERIFY(t.view()->reminderLabel()->text().endsWith(
            QCoreApplication::translate("TrayPanelView", "paste from history")));
        t.checkRows();
    }

    void placement_data() {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("icon top right") << QRect(1880, 0, 24, 24) << QPoint(1660, 28);
        QTest::newRow("icon at the bottom") << QRect(900, 1056, 24, 24) << QPoint(781, 852);
        QTest::newRow("pointer bottom left") << QRect(5, 1075, 1, 1) << QPoint(0, 871);
    }
    void placement() {
        QFETCH(QRect, anchor);
        QTEST(TrayPanel::placement(QSize(260, 200), anchor, QRect(0, 0, 1920, 1080)), "expected");
    }

    // Each button acts on its own row. Clear all asks first: cancelled, nothing goes; confirmed,
    // everything but the pinned records does, unless the box says they go too (asked only when
    // there are some). The placeholder stands in for the list and its button exactly while
    // there is nothing.
    void buttonsActOnTheirOwnRow_data() {
        // "c2": the copy button of row 2, "d": delete, "p": pin; "x": clear all, cancelled, "X":
        // confirmed, "X+": with the pinned records
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("copy of the third row keeps the order")
            << QStringList{"c2"} << QStringList{"E", "D", "C", "B", "A"} << "C";
        QTest::newRow("deleting the first row renumbers the rest")
            << QStringList{"d0", "c0", "d0"} << QStringList{"C", "B", "A"} << "D";
        QTest::newRow("delete of the last row")
            << QStringList{"d4"} << QStringList{"E", "D", "C", "B"} << "";
        QTest::newRow("pinned to the top, copied there, unpinned back")
            << QStringList{"p2", "p4", "c0", "p0"} << QStringList{"A", "E", "D", "C", "B"} << "C";
        QTest::newRow("clear all cancelled")
            << QStringList{"p2", "x"} << QStringList{"C", "E", "D", "B", "A"} << "";
        QTest::newRow("clear all") << QStringList{"X"} << QStringList{} << "";
        QTest::newRow("clear all but the pins") << QStringList{"p2", "X"} << QStringList{"C"} << "";
        QTest::newRow("clear all, pins too") << QStringList{"p2", "X+"} << QStringList{} << "";
    }
    void buttonsActOnTheirOwnRow() {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, remaining);
        HistoryWindow b({"A", "B", "C", "D", "E"});
        for (const QString& click : clicks) {
            if (click.startsWith(u'x', Qt::CaseInsensitive)) {
                QTest::mouseClick(b.view.clearAllButton(), Qt::LeftButton);
                QMessageBox* box = b.view.clearConfirmation();
                QVERIFY(box != nullptr && box->isVisible() && b.history.items().size() == 5);
                QCOMPARE(box->checkBox() != nullptr, b.history.pinnedCount() > 0);
                if (click == u"X+") {
                    box->checkBox()->setChecked(true);
                }
                answer(*box,
                       click == u"x" ? QMessageBox::RejectRole : QMessageBox::DestructiveRole);
                QVERIFY(!b.view.showClearConfirmation());
                continue;
            }
            const auto layout = b.rowLayout(click.mid(1).toInt());
            const QRect target = click[0] == u'c'   ? layout.copyButton
                                 : click[0] == u'p' ? layout.pinButton
                                                    : layout.deleteButton;
            QTest::mouseClick(b.list()->viewport(), Qt::LeftButton, {}, target.center());
            b.scheduler.advance(ClipboardHistory::pollIntervalMs);
            b.settle();
        }
        QCOMPARE(b.previews(), remaining);
        QTEST(b.clipboard.writes().isEmpty() ? QString() : b.clipboard.string().value(),
              "clipboard");
        QVERIFY(b.view.isVisible());
        for (const bool empty : {remaining.isEmpty(), false}) {
            QCOMPARE(b.view.placeholder()->isVisible(), empty);
            QCOMPARE(b.list()->isVisible() && b.view.clearAllButton()->isVisible(), !empty);
            b.copyText("F");
        }
    }

    // Ctrl+F reaches the search field, typing keeps the matches, the keys that move work from the
    // field, Delete removes the selected match and nothing else.
    void searchFromTheField() {
        HistoryWindow b({"apple pie", "banana", "apple tart", "cherry"});
        b.list()->setFocus();
        QTest::keyClick(b.list(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(b.view.searchField()->hasFocus());
        QTest::keyClicks(b.view.searchField(), QStringLiteral("APPLE"));
        QCOMPARE(b.shown.rowCount(), 2);
        // A search that keeps no row says so over the empty list.
        QWidget* noMatches = child(b.view, "noMatches");
        QVERIFY(!noMatches->isVisibleTo(&b.view));
        for (const auto& [key, shown] : {std::pair{Qt::Key_X, true}, {Qt::Key_Backspace, false}}) {
            QTest::keyClick(b.view.searchField(), key);
            QCOMPARE(noMatches->isVisibleTo(&b.view), shown);
        }
        QTest::keyClick(b.view.searchField(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(b.list()->currentIndex().row(), 1);
        QTest::keyClick(b.list(), Qt::Key_Delete);
        QCOMPARE(b.previews(), (QStringList{"cherry", "apple tart", "banana"}));
    }

    // Quit asks only when it would clear records, once at a time, naming how many; each answer
    // does what it says. (Its default button keeps the history: tst_app_lifecycle.)
    void quitAsksWhatItCosts() {
        using Calls = QList<bool>;
        for (const auto& [cleared, role, calls] :
             {std::tuple{0, QMessageBox::InvalidRole, Calls{false}},
              {3, QMessageBox::RejectRole, Calls{}},
              {3, QMessageBox::DestructiveRole, Calls{false}}}) {
            Calls quits;
            QuitQuestion question([&quits](bool keep) { quits << keep; });
            question.ask(cleared);
            QMessageBox* box = question.box();
            QCOMPARE(box != nullptr, cleared > 0);
            if (box != nullptr) {
                QVERIFY(box->isVisible() && box->text().contains(QString::number(cleared)));
                question.ask(cleared);
                QCOMPARE(question.box(), box);
                answer(*box, role);
            }
            QCOMPARE(quits, calls);
        }
    }

    // The history window caches row heights and pictures: a picture arriving later must
    // grow its row and be drawn, which only the view can show.
    void lateThumbnailAppearsInItsRow() {
        QTemporaryFile file(QDir::tempPath() + "/XXXXXX.pdf");
        QVERIFY(file.open() && file.write("x") == 1 && file.flush());
        HistoryWindow b({"plain"});
        // A file of its own, the way a file manager copies it.
        b.copy({{QString(ClipboardTypeKey::uriList),
                 QUrl::fromLocalFile(file.fileName()).toEncoded()}});
        b.settle();
        QVERIFY(b.thumbnailer.requests().size() == 1 && b.rowLayout(0).picture.isEmpty());
        QVERIFY(b.list()->visualRect(b.shown.index(0, 0)).height() <
                HistoryWindowDelegate::pictureSide);

        // The row grows to hold the picture, and the picture is drawn in it.
        b.thumbnailer.answer(0, encodeImage(solidImage(64, 64, Qt::red)));
        b.scheduler.runUntilIdle();
        QTRY_VERIFY(b.list()->visualRect(b.shown.index(0, 0)).height() >
                    HistoryWindowDelegate::pictureSide);
        const QRect picture = b.rowLayout(0).picture;
        QVERIFY(!picture.isEmpty() && b.rowLayout(1).picture.isEmpty());
        const QImage shot = b.list()->viewport()->grab().toImage();
        QCOMPARE(shot.pixelColor(picture.center() * shot.devicePixelRatio()), QColor(Qt::red));
    }

    // Lines as copied, and at most four of them, the last cut with "…". A double click on the
    // text opens it for selection; on the copy button it does not.
    void rowTextsAndAges() {
        HistoryWindow b({"first\nsecond", QString("word ").repeated(60) + "last"});
        const auto lines = [&b](int row) {
            return b.view.delegate()->textLines(b.shown.index(row, 0), b.list()->font(),
                                                b.rowLayout(row).text.width());
        };
        QCOMPARE(lines(1), (QStringList{"first", "second"}));
        QCOMPARE(lines(0).size(), 4);
        QVERIFY(lines(0).last().endsWith(QChar(0x2026)) && !lines(0).join(' ').contains("last"));

        const QStringList kept = b.previews();
        const auto doubleClick = [viewport = b.list()->viewport()](QPoint point) {
            // A click, then the second press that the system marks as double.
            QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, point);
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, point);
        };
        const auto viewer = [&b] {
            return qobject_cast<QPlainTextEdit*>(b.list()->indexWidget(b.shown.index(1, 0)));
        };
        doubleClick(b.rowLayout(1).copyButton.center());
        QVERIFY(!viewer());
        doubleClick(b.rowLayout(1).text.topLeft() + QPoint(4, 4));
        QVERIFY(viewer() && viewer()->isReadOnly() &&
                viewer()->textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(viewer()->toPlainText(), QString("first\nsecond"));
        QTest::keyClick(viewer(), Qt::Key_Escape);
        QTRY_VERIFY(!viewer());
        QCOMPARE(b.previews(), kept);

        // The ages are kept current while the window shows; hidden, nothing wakes up for them.
        PaintCounter counter;
        b.list()->viewport()->installEventFilter(&counter);
        QCoreApplication::processEvents();
        const int before = counter.paints;
        b.scheduler.advance(2 * 60'000 + 500);
        QCOMPARE(b.view.delegate()->dateText(b.shown.index(0, 0)), QString("2 minutes ago"));
        QTRY_VERIFY(counter.paints > before);
        const qsizetype shownTimers = b.scheduler.pendingTimers();
        for (const bool shown : {false, true}) {
            b.view.setVisible(shown);
            QCOMPARE(b.scheduler.pendingTimers(), shownTimers - (shown ? 0 : 1));
        }
    }

    // The history window opens centred, tall enough for its rows or for as many whole ones as
    // fit (the last row in sight ends where the list does), the first time and while where the
    // user left it is on no screen. A stored value that is no frame counts as none. (Opened again
    // where it was left: tst_window_placement.)
    void historyOpensToItsRowsOrWhereLeft_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << 0 << QString();
        QTest::newRow("three") << 3 << QString();
        QTest::newRow("more than fit") << 40 << QString();
        QTest::newRow("off every screen") << 3 << u"5000 5000 520 430"_s;
        QTest::newRow("not a frame") << 3 << u"30 40 wide 430"_s;
    }
    void historyOpensToItsRowsOrWhereLeft() {
        QFETCH(int, rows);
        QFETCH(QString, stored);
        QStringList copies;
        for (int i = 0; i < rows; ++i) {
            copies << (i % 3 == 0 ? u"line %1\nand another\nand a third"_s : u"row %1"_s).arg(i);
        }
        WindowRig rig(copies);
        if (!stored.isNull()) {
            rig.store.seed(u"WindowFrames/history"_s, stored);
        }
        AppWindow window(
            "History",
            [&rig] {
                return new HistoryWindowView(rig.history, rig.model, rig.scheduler,
                                             rig.language.current());
            },
            AppWindow::Home{&rig.settings, u"history"_s, {}});
        window.present();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint off =
            window.geometry().center() - AppWindow::pointerScreen()->availableGeometry().center();
        QVERIFY(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1);
        if (rows == 0) {
            QCOMPARE(window.size(),
                     QSize(HistoryWindowView::minimumWidth, HistoryWindowView::minimumHeight));
            return;
        }
        QListView* list = qobject_cast<HistoryWindowView*>(window.content())->listView();
        list->doItemsLayout();
        QCoreApplication::processEvents();
        const int bottom = list->viewport()->height() - 1;
        // A short list leaves room below its last row (the window's least height).
        const QModelIndex cut = list->indexAt(QPoint(1, bottom));
        const QModelIndex last = cut.isValid() ? cut : list->model()->index(rows - 1, 0);
        QVERIFY(cut.isValid() ? list->visualRect(last).bottom() == bottom
                              : list->visualRect(last).bottom() < bottom);
        QCOMPARE(last.row() == rows - 1, !list->verticalScrollBar()->isVisible());
        QVERIFY(window.height() <= window.screen()->availableGeometry().height());
    }

    // Raising applies at once; lowering, which trims, only once the value has stayed. Which
    // records a lower limit trims is tst_clipboard_history's.
    void historySizeSteps_data() {
        QTest::addColumn<LimitCase>("c");
        QTest::newRow("down trims once settled") << LimitCase{50, "-", 50, 45};
        // Lower, back (the timer stopped, nothing lost), then higher, applied at once.
        QTest::newRow("typed, through 5 and 50") << LimitCase{50, "500", 500, 500};
        QTest::newRow("lowest bound") << LimitCase{5, "-", 5, 5};
    }
    void historySizeSteps() {
        QFETCH(LimitCase, c);
        SettingsRig rig;
        rig.settings.setHistorySize(c.start);
        constexpr int copies = 50;
        for (int i = 0; i < copies; ++i) {
            rig.copyText(QStringLiteral("text %1").arg(i));
        }
        QSpinBox* box = rig.open()->historySizeBox();
        if (qstrcmp(c.edit, "-") == 0) {
            box->stepDown();
        } else {
            box->selectAll();
            QTest::keyClicks(box, c.edit);
        }
        QCOMPARE(int(rig.settings.historySize()), c.atOnce);
        // The settling timer, where one runs; a stopped one would have left the same value.
        QTRY_COMPARE(int(rig.settings.historySize()), c.settled);
        QCOMPARE(rig.history.items().size(), std::min(copies, c.settled));
    }

    // The pickers, and the window around a content that a language change builds anew.
    void pickersAndRebuild() {
        SettingsRig rig;
        rig.settings.setPreferredLanguage(QStringLiteral("de"));
        QVERIFY(!rig.window.content());  // nothing is made before the window is first shown
        SettingsView* v = rig.open();
        QComboBox* language = v->languagePicker();

        // Auto-delete: the caption shows only for an age; the choice is stored.
        QComboBox* age = v->autoDeletePicker();
        for (const qint64 minutes : {5, 0, 5}) {
            age->setCurrentIndex(age->findText(
                QCoreApplication::translate("SettingsView", minutes ? "5 minutes" : "Never")));
            QCOMPARE(rig.settings.autoDeleteMinutes(), minutes);
            QCOMPARE(v->autoDeleteCaption()->isHidden(), minutes == 0);
        }
        // Keeping the history: the box sets it and follows it.
        v->keepHistoryToggle()->click();
        QVERIFY(rig.settings.keepHistory());
        rig.settings.setKeepHistory(false);
        QVERIFY(!v->keepHistoryToggle()->isChecked());

        // A language picked here rebuilds this very form, after the picker is done with it;
        // the window keeps its place and titles itself anew.
        const QRect frame(QPoint(40, 50), QSize(500, 600));
        rig.window.setGeometry(frame);
        QPointer<SettingsView> old = v;
        language->setCurrentIndex(language->findData(QStringLiteral("ja")));
        QTRY_VERIFY(old.isNull());
        QCOMPARE(rig.view()->languagePicker()->currentData().toString(), QStringLiteral("ja"));
        // It keeps its place, moving up only as far as the room below the window is short.
        const QRect room = rig.window.screen()->availableGeometry();
        QTRY_VERIFY(rig.view()->isVisible());
        const QRect now = rig.window.geometry();
        QCOMPARE(now.x(), frame.x());
        QVERIFY(now.y() == frame.y() ||
                (now.y() < frame.y() && rig.window.frameGeometry().bottom() <= room.bottom()));
        // It grows where the form in the new language needs more, and never shrinks.
        QCOMPARE(rig.window.width(), std::max(frame.width(), rig.window.minimumWidth()));
        QVERIFY(rig.window.height() >= frame.height());
        QVERIFY(rig.window.windowTitle() == QCoreApplication::translate("AppWindow", "Settings") &&
                rig.window.windowTitle() != QStringLiteral("Settings"));
        // Closing hides; the window and its content survive for the next showing, which reads
        // the login entry anew (removed meanwhile in the desktop's own startup settings).
        SettingsView* shown = rig.view();
        shown->launchAtLoginToggle()->click();
        QVERIFY(rig.autostart.registered && rig.settings.launchAtLogin());
        QVERIFY(rig.window.close() && !rig.window.isVisible());
        rig.autostart.registered = false;
        rig.window.present();
        QVERIFY(rig.window.isVisible() && rig.view() == shown);
        QVERIFY(!shown->launchAtLoginToggle()->isChecked() && !rig.settings.launchAtLogin());
        rig.view()->quitButton()->click();
        QCOMPARE(rig.quits, 1);
    }

    void warningsFollowTheFlags_data() {
        QTest::addColumn<WarningCase>("c");
        using enum ChordRefusal;
        using enum Session;
        // trusted, refusal, global observation refused, a shortcut-settings opener, session
        QTest::newRow("all well") << WarningCase{true, None, false, true, X11};
        QTest::newRow("no paste, whatever else")
            << WarningCase{false, None, true, true, X11, "XTEST"};
        QTest::newRow("no global chord")
            << WarningCase{true, Unavailable, true, true, X11, "--toggle-popup", true};
        QTest::newRow("shared with another program")
            << WarningCase{true, HeldElsewhere, false, true, X11, "both react", true};
        QTest::newRow("no shortcut settings known")
            << WarningCase{true, HeldElsewhere, false, false, X11, "both react"};
        QTest::newRow("wayland: nothing types")
            << WarningCase{false, Unavailable, true, true, Wayland, "no program type"};
        QTest::newRow("wayland: chord not bound")
            << WarningCase{true, Unavailable, true, true, Wayland, "%@", true};
    }
    void warningsFollowTheFlags() {
        QFETCH(WarningCase, c);
        SettingsRig rig;
        rig.withOpener = c.opener;
        rig.session = c.session;
        SettingsView* v = rig.open();
        QVERIFY(!v->warningLabel()->isVisible());
        // The flags change while the window is open, as on activation.
        rig.trust.setTrusted(c.trusted);
        rig.hooks.setRefuseInterception(c.refusal != ChordRefusal::None, c.refusal);
        rig.hooks.setRefuseGlobalObservation(c.globalRefused);
        rig.detector.restartMonitoring();
        QCOMPARE(v->warningLabel()->isVisible(), *c.fragment != 0);
        const QString chord = rig.settings.chordDisplayString();
        const bool namesChord = qstrcmp(c.fragment, "%@") == 0;
        QVERIFY(v->warningLabel()->text().contains(namesChord ? chord : c.fragment));
        QCOMPARE(v->warningButton()->isVisible(), c.button);
        if (c.button) {
            v->warningButton()->click();
            QCOMPARE(rig.opened, 1);
        }
        if (namesChord) {  // and follows a newly recorded one
            rig.settings.setChord(
                {ModifierFlag::Control | ModifierFlag::Alt, rig.settings.chordKeyCode()});
            QVERIFY(v->warningLabel()->text().contains(rig.settings.chordDisplayString()));
        }
    }

    // A recording takes the first key press that carries a modifier, or ends without storing
    // anything when cancelled, closed or rebuilt; plain keys go on to their target. How a press
    // becomes a chord and which chords are refused is tst_chord's. In every language the window
    // opens with its whole form and no scroll bar, and while the recorder shows how to cancel or
    // why it refused a chord, and after Escape, nothing in it is cut: the window is as wide as
    // the form needs, also beside a scroll bar, and gives back what it grew for a refusal.
    void recorder_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<RecordCase>("c");
        const int ctrl = Qt::ControlModifier;
        // Qt key, modifiers, XKB scan code; the chord stored and its key code
        for (const AppSettings::LanguageOption& option : AppSettings::languageOptions()) {
            QTest::addRow("%s, K types", qPrintable(option.code))
                << option.code << RecordCase{Qt::Key_K, 0, 45, 0, 0, "", "typing"};
            QTest::addRow("%s, Ctrl+C edits", qPrintable(option.code))
                << option.code << RecordCase{Qt::Key_C, ctrl, 54, 0, 0, "", "editing"};
        }
        const auto row = [](const char* name, const RecordCase& c) {
            QTest::newRow(name) << u"en"_s << c;
        };
        row("Ctrl+Shift+F5", {Qt::Key_F5, ctrl | Qt::ShiftModifier, 71,
                              ModifierFlag::Control | ModifierFlag::Shift, 71});
        row("Shift+K types", {Qt::Key_K, Qt::ShiftModifier, 45, 0, 0, "", "typing"});
        row("Escape cancels", {Qt::Key_Escape, 0, 9, 0, 0, "escape"});
        row("Shift by itself", {Qt::Key_Shift, Qt::ShiftModifier, 50, 0, 0, "", "Esc cancels"});
        for (const char* end : {"cancelled", "window closed", "content rebuilt"}) {
            row(end, {Qt::Key_K, Qt::MetaModifier | Qt::AltModifier, 45, 0, 0, end});
        }
    }
    void recorder() {
        QFETCH(QString, language);
        QFETCH(RecordCase, c);
        SettingsRig rig({"something"});
        rig.settings.setPreferredLanguage(language);
        QVERIFY(rig.open() &&
                !rig.view()->findChild<QScrollArea*>()->verticalScrollBar()->isVisible());
        const QSize opened = rig.window.size();
        // A key press in one of our windows, as the X server reports it; the form's new layout,
        // then the window following it.
        const auto press = [&rig](int key, int held, int scan) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(held), quint32(scan), 0,
                            0);
            QApplication::sendEvent(&rig.sink, &event);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            rig.scheduler.runUntilIdle();
        };
        rig.recorder()->button()->click();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(cutInSettings(*rig.view()), QString());  // nothing refused yet: how to cancel
        const QString howToCancel = rig.recorder()->hintLabel()->text();
        const QByteArray end(c.end);
        if (end == "cancelled") {
            rig.recorder()->button()->click();
        } else if (end == "window closed") {
            rig.window.close();
        } else if (end == "content rebuilt") {
            rig.window.rebuildContent();
        }
        press(c.qtKey, c.modifiers, c.scanCode);
        const bool stored = c.chord != 0;
        const bool recording = !stored && end.isEmpty();
        // Plain keys go on, Escape aside; what the recorder takes or refuses does not.
        const bool passes = !stored && end != "escape" &&
                            (!end.isEmpty() || c.modifiers == 0 || c.qtKey == Qt::Key_Shift);
        QCOMPARE(rig.recorder()->button()->text(),
                 QCoreApplication::translate("ChordRecorderView",
                                             recording ? "Press shortcut…" : "Change"));
        QCOMPARE(rig.sink.keys, passes ? QList<int>{c.qtKey} : QList<int>{});
        QCOMPARE(rig.recorder()->hintLabel()->isVisible(), recording);
        QVERIFY(language != u"en" || rig.recorder()->hintLabel()->text().contains(c.hint));
        QCOMPARE(rig.settings.chordModifiers(), stored ? c.chord : kChord.modifiers);
        QCOMPARE(int(rig.settings.chordKeyCode()), stored ? c.keyCode : int(KeyCode::V));
        // Detection is off while recording; which chord it installs on resumption is tst_chord's.
        QCOMPARE(rig.hooks.active(FakeKeyboardHooks::Hook::Kind::Interceptor), recording ? 0 : 1);
        if (!recording) {  // detection is back, on the old chord where none was stored
            QCOMPARE(rig.recorder()->chordLabel()->text(), rig.settings.chordDisplayString());
            QVERIFY(stored || (rig.other(kChord) && rig.popup.isPopupVisible()));
            return;
        }
        QCOMPARE(rig.recorder()->hintLabel()->text() == howToCancel, c.qtKey == Qt::Key_Shift);
        QCOMPARE(cutInSettings(*rig.view()), QString());
        QVERIFY(rig.window.minimumSizeHint().width() <= rig.window.width());
        press(Qt::Key_Escape, 0, 9);
        QVERIFY(!rig.recorder()->isRecording());
        QCOMPARE(cutInSettings(*rig.view()), QString());
        QCOMPARE(rig.window.height(), opened.height());
    }

    // Copied elsewhere, or pasted into a field: trimmed, then compared exactly with a sample.
    // (The focus on the first field is seen from outside in tst_onboarding_flow.)
    void samplesTrimmedAndComparedExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sample");  // the one it matches, 0: none
        QTest::newRow("spaces and a line break around") << "  Text 1\n" << 1;
        QTest::newRow("tab and CRLF") << "\tText 2\r\n" << 2;
        QTest::newRow("lower-case first letter") << "text 1" << 0;
    }
    void samplesTrimmedAndComparedExactly() {
        QFETCH(QString, text);
        QFETCH(int, sample);
        const bool sample1 = sample == 1, sample2 = sample == 2;
        WizardRig rig;
        rig.goTo(OnboardingWizard::copyTrainingStep);
        rig.copyElsewhere(text);
        QVERIFY(rig.highlighted("sample1") == sample1 && rig.highlighted("sample2") == sample2);
        QVERIFY(!rig.at("nextButton")->isEnabled() && !rig.at("bothCopied")->isVisible());

        rig.goTo(OnboardingWizard::pasteTrainingStep);
        auto* edit1 = child<QLineEdit>(rig.view, "pasteField1");
        auto* edit2 = child<QLineEdit>(rig.view, "pasteField2");
        edit1->setText(text);
        edit2->setText(text);
        QVERIFY(rig.highlighted("pasteField1") == sample1 &&
                rig.highlighted("pasteField2") == sample2);
        // Done is enabled once both fields are right, and Return is no Done before. (Return in
        // the second field is Done once both are right: tst_onboarding_flow.)
        QWidget* done = rig.at("nextButton");
        QVERIFY(!rig.at("correctRow")->isVisible() && !done->isEnabled());
        QTest::keyClick(edit2, Qt::Key_Return);
        edit1->clear();
        QTest::keyClicks(edit1, OnboardingWizard::trainingText1());  // typed, as by a user
        QVERIFY(done->isEnabled() == sample2 && !rig.settings.onboardingCompleted());
        edit2->setText(OnboardingWizard::trainingText2());
        QVERIFY(rig.at("correctRow")->isVisible() && done->isEnabled());
    }

    // The guide follows what it is told: the trust on the permission page, the clipboard on the
    // copy exercise, where Next waits for both samples and coming back looks again.
    void pagesFollowTheTrustAndTheClipboard() {
        WizardRig rig;
        rig.goTo(1);
        for (const bool trusted : {false, true}) {
            rig.trust.setTrusted(trusted);
            rig.detector.refreshOnActivation();
            const QString route = child<QLabel>(rig.view, "pasteRoute")->text();
            QVERIFY(route.contains(trusted ? "press Ctrl+V there" : "missing here"));
            QCOMPARE(rig.at("trustedRow")->isVisible(), trusted);
        }
        rig.goTo(OnboardingWizard::copyTrainingStep - 1);
        const qsizetype othersTimers = rig.scheduler.pendingTimers();  // the history's
        // Sample 2 is already on the clipboard when the page opens: it counts at once.
        rig.clipboard.setContent({textItem("Text 2")});
        rig.click("nextButton");
        rig.scheduler.runUntilIdle();
        QWidget* next = rig.at("nextButton");
        QVERIFY(rig.wizard().text2Copied() && !rig.wizard().text1Copied() && !next->isEnabled());
        rig.copyElsewhere(QStringLiteral("Text 1"));
        QVERIFY(next->isEnabled());
        QCOMPARE(rig.scheduler.pendingTimers(), othersTimers);

        rig.click("backButton");
        QCOMPARE(rig.scheduler.pendingTimers(), othersTimers);
        // Off the page, a copy is not looked at; back on it, the copy is taken as it is now.
        rig.copyElsewhere(QStringLiteral("Text 2"));
        rig.click("nextButton");
        rig.scheduler.runUntilIdle();
        QVERIFY(rig.wizard().text2Copied() && !rig.wizard().text1Copied());
        QVERIFY(!next->isEnabled() && rig.wizard().isCopyCheckRunning());

        // Hidden, the wizard stops looking; back on screen it goes on with what it has seen.
        rig.view.hide();
        QCOMPARE(rig.scheduler.pendingTimers(), othersTimers);
        rig.view.show();
        QVERIFY(rig.wizard().isCopyCheckRunning() && rig.wizard().text2Copied());
        rig.click("copyButton1");
        QVERIFY(rig.clipboard.string() == QStringLiteral("Text 1") && next->isEnabled());
    }

    // Its placement and the Done path are seen from outside in tst_onboarding_flow.
    void panelHidesOnCompletionAndRestartsFresh() {
        WindowRig stack;
        OnboardingPanel panel(OnboardingPanel::Dependencies{
            stack.settings, stack.detector, stack.clipboard, stack.scheduler, {}});
        panel.present();
        const auto wizardView = [&panel] { return panel.wizardView(); };
        // A language picked from the open list starts again at the first page, in this panel;
        // the picker must outlive its own handler.
        QPointer<QComboBox> picker = panel.languagePicker();
        QPointer<OnboardingView> old = wizardView();
        QTest::mouseClick(child(*old, "nextButton"), Qt::LeftButton);
        QCOMPARE(old->wizard().step(), 1);
        child<QCheckBox>(*old, "startAtLogin")->click();  // offered ticked: the user says no
        picker->showPopup();
        QAbstractItemView* list = picker->view();
        QTRY_VERIFY(list->isVisible());
        const int russian = picker->findData(u"ru"_s);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(picker->model()->index(russian, 0)).center());
        QTRY_VERIFY(picker.isNull() && old.isNull());
        QCOMPARE(wizardView()->wizard().step(), 0);
        QVERIFY(!child<QCheckBox>(*wizardView(), "startAtLogin")->isChecked() &&
                !wizardView()->wizard().startAtLogin());
        QCOMPARE(panel.languagePicker()->currentData().toString(), u"ru"_s);
        QVERIFY(child<QPushButton>(*wizardView(), "nextButton")->text() != "Next");

        for (const char* button : {"nextButton", "nextButton", "skipButton"}) {
            QTest::mouseClick(child(*wizardView(), button), Qt::LeftButton);
        }
        QVERIFY(!panel.isVisible() && stack.settings.onboardingCompleted());
        panel.present();
        QCOMPARE(wizardView()->wizard().step(), 2);

        old = wizardView();  // still holding the user's no
        panel.restart();
        QVERIFY(!stack.settings.onboardingCompleted() && old.isNull() && panel.isVisible());
        QCOMPARE(wizardView()->wizard().step(), 0);
        QVERIFY(child<QCheckBox>(*wizardView(), "startAtLogin")->isChecked());
    }

    // A line's only match, marked in either paragraph direction: every cursor position inside
    // a word of the line, where the laid-out text puts it, is under a mark exactly when it lies
    // inside the match.
    void marksCoverTheMatchedGlyphs_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("matched");
        QTest::newRow("English") << u"alpha Beta gamma"_s << u"bet"_s << u"Bet"_s;
        QTest::newRow("Arabic") << u"مرحبا بالعالم الجميل"_s << u"بالعالم"_s << u"بالعالم"_s;
        QTest::newRow("Hebrew, first word") << u"שלום עולם יפה"_s << u"שלום"_s << u"שלום"_s;
        QTest::newRow("Hebrew points folded") << u"עולם שָׁלוֹם יפה"_s << u"שלום"_s << u"שָׁלוֹם"_s;
        QTest::newRow("Hebrew within English")
            << u"Order הזמנה חדשה confirmed"_s << u"חדשה"_s << u"חדשה"_s;
        QTest::newRow("English within Hebrew")
            << u"שלום big world עולם"_s << u"WORLD"_s << u"world"_s;
    }
    void marksCoverTheMatchedGlyphs() {
        QFETCH(QString, line);
        QFETCH(QString, query);
        QFETCH(QString, matched);
        const QFont font = QApplication::font();
        const qsizetype start = line.indexOf(matched);
        for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            const auto spans =
                MarkedLine(line, font, direction, 1000).markSpans(SearchText::words(query));
            QTextLayout layout(line, font);
            QTextOption option(Qt::AlignLeft);
            option.setTextDirection(direction);
            layout.setTextOption(option);
            layout.beginLayout();
            QTextLine text = layout.createLine();
            text.setLineWidth(1000);
            layout.endLayout();
            for (int at = 1; at < line.size(); ++at) {
                if (line[at - 1].isSpace() || line[at].isSpace() || at == start + matched.size()) {
                    continue;  // a word's and a match's ends touch their neighbours
                }
                const qreal x = text.cursorToX(at);
                const bool covered = std::any_of(spans.cbegin(), spans.cend(), [x](auto span) {
                    return span.first - 0.5 <= x && x <= span.second + 0.5;
                });
                QVERIFY2(covered == (at > start && at < start + matched.size()),
                         qPrintable(u"position %1 at x %2"_s.arg(at).arg(x)));
            }
        }
    }

    // At most three lines that never run under the symbols, "…" when text is left over, and a
    // short text centred on its thumbnail.
    void rowLayout_data() {
        QTest::addColumn<StoredItem>("content");
        QTest::addColumn<QStringList>("lines");  // "…": any line ending in it; "": any line
        QTest::newRow("four lines") << textItem("first\nsecond\nthird\nfourth")
                                    << QStringList{"first", "second", "third fourth"};
        QTest::newRow("2 MB on one line")
            << textItem(QString(2 << 20, 'w')) << QStringList{"", "", "…"};
        QTest::newRow("image") << StoredItem{{QString(ClipboardTypeKey::png),
                                              encodeImage(solidImage(300, 100))}}
                               << QStringList{"[Image]"};
    }
    void rowLayout() {
        QFETCH(StoredItem, content);
        QFETCH(QStringList, lines);
        Popup p({});
        p.copy(content);
        p.chord();
        const Row row = p.row(0);
        QCOMPARE(row.lines.size(), lines.size());
        const QFontMetrics metrics(p.list()->font());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QVERIFY(lines[i] == "…" ? row.lines[i].endsWith(QChar(0x2026))
                                    : lines[i].isEmpty() || row.lines[i] == lines[i]);
            QVERIFY(metrics.horizontalAdvance(row.lines[i]) <= row.textBlock.width());
        }
        QVERIFY(row.textBlock.right() < row.checkmark.left());
        QVERIFY(row.checkmark.right() < row.remove.left() && row.remove.right() < 420);
        const bool thumbnail = content.contains(QString(ClipboardTypeKey::png));
        QCOMPARE(!row.thumbnail.isEmpty(), thumbnail);
        QVERIFY(!thumbnail || (row.textBlock.left() > row.thumbnail.right() &&
                               row.height > row.thumbnail.height() &&
                               qAbs(row.textBlock.center().y() - row.thumbnail.center().y()) <= 1));
        QCOMPARE(p.list()->visualRect(p.shown.index(0, 0)).height(), row.height);
    }

    // One panel, shown one turn after the popup opens, centred on the primary screen when the
    // window the user was in lies on no screen we know; its corners see-through only where a
    // compositor blends, else cut round, and opaque inside either way; its header follows the
    // trust.
    void followsVisibilityOneTurnLateWithOnePanel() {
        for (const bool compositing : {false, true}) {
            Popup p({"text"}, compositing);
            p.other(kChord);
            QVERIFY(!p.controller.panel());  // not yet: the assignment's caller finishes first
            QCoreApplication::processEvents();
            QWidget* panel = p.controller.panel();
            QVERIFY(panel && panel->isVisible() && p.prepareCalls == 1);
            QVERIFY(panel->windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint |
                                                   Qt::WindowStaysOnTopHint));
            const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
            const QPoint centred(area.x() + area.width() / 2 - panel->width() / 2,
                                 area.y() + area.height() / 2 - panel->height() / 2);
            QCOMPARE(panel->pos(), centred);
            QCOMPARE(panel->testAttribute(Qt::WA_TranslucentBackground), compositing);
            // See-through only outside the rounded corners: the rows hide what is behind.
            QImage shot(panel->size(), QImage::Format_ARGB32_Premultiplied);
            shot.fill(Qt::transparent);
            panel->render(&shot);
            for (const QPoint at :
                 {shot.rect().center(), QPoint(PastePopupView::cornerRadius, shot.height() / 2)}) {
                QCOMPARE(qAlpha(shot.pixel(at)), 255);
            }
            QCOMPARE(panel->mask().isEmpty(), compositing);
            QVERIFY(compositing || !panel->mask().contains(QPoint(0, 0)));

            // Shown again: the same panel, centred again although it was moved meanwhile.
            p.chord();
            QVERIFY(!panel->isVisible());
            panel->move(3, 3);
            p.chord();
            QVERIFY(p.controller.panel() == panel && panel->isVisible() && p.prepareCalls == 2);
            QCOMPARE(panel->pos(), centred);

            // Where nothing can type the paste keystroke, the header says to press it by hand.
            const QString typed = p.controller.view()->headerLabel()->text();
            for (const bool trusted : {false, true}) {
                p.chord();
                p.trust.setTrusted(trusted);
                p.detector.restartMonitoring();
                p.chord();
                const QString shown = p.controller.view()->headerLabel()->text();
                QVERIFY(trusted ? shown == typed : shown.endsWith("Ctrl+V"));
            }
        }
    }

    void clicksSizeAndScrolling() {
        Popup p({"A", "B", "C"});  // rows: C, B, A
        p.chord();
        QWidget* viewport = p.list()->viewport();
        // Sized to its rows: no blank band under a short list, before or after a removal.
        const auto listEnd = [&p] {
            return p.list()->visualRect(p.shown.index(p.shown.rowCount() - 1, 0)).bottom() + 1;
        };
        QTRY_COMPARE(viewport->height(), listEnd());

        // A single click on the text selects without pasting; the symbols ignore clicks.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::text));
        QCOMPARE(p.controller.view()->delegate()->selectedRow(), 1);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::checkmark));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, p.pointIn(1, &Row::checkmark));
        QVERIFY(p.clipboard.writes().isEmpty() && p.popup.isPopupVisible());
        // What a screen reader reads: the list, each row's text and place, the chosen one, also
        // where a pin (Ctrl+P, and again to unpin) moves it.
        const auto heard = [&p](int i) {
            const QModelIndex row = p.shown.index(i, 0);
            return row.data(Qt::AccessibleTextRole).toString() + u'|' +
                   row.data(Qt::AccessibleDescriptionRole).toString() +
                   (p.list()->selectionModel()->isSelected(row) ? u"|chosen"_s : QString());
        };
        QCOMPARE(p.list()->accessibleName() + u' ' + heard(0) + u' ' + heard(1),
                 u"History C|Item 1 of 3 B|Item 2 of 3|chosen"_s);
        for (const char* heardFirst : {"B|Item 1 of 3, pinned|chosen", "C|Item 1 of 3"}) {
            p.own({KeyCode::P, ModifierFlag::Control, false, 0, u"p"_s});
            QCOMPARE(heard(0), QString::fromUtf8(heardFirst));
        }

        // The remove button acts on its own row, not on the selected one.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(2, &Row::remove));
        QVERIFY(p.history.items().size() == 2 && p.text(1) == "B");
        QCOMPARE(p.controller.view()->delegate()->selectedRow(), 1);
        QTRY_COMPARE(viewport->height(), listEnd());

        // A double click as the window system sends it pastes that row, whichever was selected.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, p.pointIn(0, &Row::text));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, p.pointIn(0, &Row::text));
        QCOMPARE(p.clipboard.writes().size(), 1);
        QVERIFY(p.clipboard.string() == "C" && !p.popup.isPopupVisible());

        // A long list takes the highest panel, and a selection far down scrolls to the middle.
        for (int i = 0; i < 12; ++i) {
            p.copyText(QString("item %1").arg(i));
        }
        p.chord();
        QScrollBar* bar = p.list()->verticalScrollBar();
        QPropertyAnimation* animation = p.controller.view()->scrollAnimation();
        QVERIFY(bar->value() == 0 && bar->maximum() > 0);
        QCOMPARE(p.controller.view()->height(), PastePopupView::maxHeight);

        p.popup.setSelectedIndex(6);
        QCOMPARE(animation->state(), QAbstractAnimation::Running);
        QTRY_COMPARE(animation->state(), QAbstractAnimation::Stopped);
        const QRect row = p.list()->visualRect(p.shown.index(6, 0));
        QVERIFY(qAbs(row.center().y() - p.list()->viewport()->height() / 2) <= 1);
        // Opened again on row 0: placed at once, without animation.
        p.chord();
        p.chord();
        QVERIFY(animation->state() == QAbstractAnimation::Stopped && bar->value() == 0);

        // A copy made meanwhile leaves the selection on its record, where it was on screen.
        p.popup.setSelectedIndex(6);
        QTRY_COMPARE(animation->state(), QAbstractAnimation::Stopped);
        const QRect before = p.list()->visualRect(p.shown.index(6, 0));
        p.copyText("meanwhile");
        QCOMPARE(p.controller.view()->delegate()->selectedRow(), 7);
        QCOMPARE(animation->state(), QAbstractAnimation::Stopped);
        QCOMPARE(p.list()->visualRect(p.shown.index(7, 0)), before);
    }

    // What an input method composes, sent where an input context sends it, filters as typed
    // keys do in the popup and the history's search; a composition shows and filters nothing.
    void composedTextFilters_data() {
        QTest::addColumn<QString>("preedit");
        QTest::addColumn<QString>("commit");
        QTest::newRow("Japanese") << u"にほん"_s << u"日本"_s;
        QTest::newRow("Chinese") << u"zhong wen"_s << u"中文"_s;
        QTest::newRow("Korean") << u"ㅎ"_s << u"한"_s;
        QTest::newRow("dead acute, e") << u"´"_s << u"é"_s;
    }
    void composedTextFilters() {
        QFETCH(QString, preedit);
        QFETCH(QString, commit);
        const QStringList copies{u"日本語 中文 한국어 café"_s, u"plain"_s};
        Popup p(copies);
        p.chord();
        QVERIFY(QTest::qWaitForWindowActive(p.controller.panel()));
        QObject* focus = QGuiApplication::focusObject();  // where an input context sends
        QInputMethodQueryEvent enabled(Qt::ImEnabled);
        QInputMethodEvent composing(preedit, {}), committed;
        committed.setCommitString(commit);
        QCoreApplication::sendEvent(focus, &enabled);
        QCoreApplication::sendEvent(focus, &composing);
        QVERIFY(enabled.value(Qt::ImEnabled).toBool() && p.shown.rowCount() == 2);
        QCOMPARE(p.controller.view()->searchLine()->text(), preedit);
        QCoreApplication::sendEvent(focus, &committed);
        QVERIFY(p.popup.query() == commit && p.shown.rowCount() == 1);
        QCOMPARE(p.controller.view()->searchLine()->text(), commit);

        HistoryWindow b(copies);
        QCoreApplication::sendEvent(b.view.searchField(), &committed);
        QCOMPARE(b.shown.rowCount(), 1);
    }

    // A screen reader finds every control of the settings, the tray's rows and the guide's pages
    // by name and role. Each page shows its own buttons: back, skip, and next or done. (Skip
    // completes without turning the page: panelHidesOnCompletionAndRestartsFresh.)
    void accessibleNamesAndTheGuidesButtons() {
        const auto unnamed = [](const QWidget& root) {
            QStringList found;
            for (QWidget* w : root.findChildren<QWidget*>()) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                const bool page = qobject_cast<QStackedWidget*>(w->parentWidget()) != nullptr;
                const bool control = qobject_cast<TrayRow*>(w) ||
                                     (w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(&root) &&
                                      !qobject_cast<QScrollArea*>(w) &&
                                      !qobject_cast<QAbstractSpinBox*>(w->parentWidget()));
                if ((page || control) &&
                    (a->text(QAccessible::Name).isEmpty() ||
                     (qobject_cast<TrayRow*>(w) && a->role() != QAccessible::Button))) {
                    found << QString::fromLatin1(w->metaObject()->className()) + w->objectName();
                }
            }
            return found.join(u',');
        };
        SettingsRig settings;
        QCOMPARE(unnamed(*settings.open()), QString());
        Tray tray;
        QCOMPARE(unnamed(*tray.tray.panel()), QString());
        WizardRig guide;
        const QStringList buttons{u"next"_s,           u"back next"_s,      u"back skip next"_s,
                                  u"back skip next"_s, u"back skip next"_s, u"back next"_s,
                                  u"back done"_s};
        for (int step = 0; step < OnboardingWizard::totalSteps; ++step) {
            guide.goTo(step);
            QCOMPARE(unnamed(guide.view), QString());
            QVERIFY(guide.at(qPrintable(u"page%1"_s.arg(step)))->isVisible());
            QCOMPARE(guide.at("backButton")->isVisible(), buttons[step].contains("back"));
            QCOMPARE(guide.at("skipButton")->isVisible(), buttons[step].contains("skip"));
            QCOMPARE(child<QPushButton>(guide.view, "nextButton")->text(),
                     buttons[step].contains("done") ? "Done" : "Next");
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
