#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTemporaryFile>

#include "TestHelpers.h"
#include "WindowRig.h"
#include "ui/browser/ClipboardBrowserDelegate.h"
#include "ui/browser/ClipboardBrowserView.h"
#include "ui/tray/QuillstackTray.h"
#include "ui/tray/TrayPanel.h"
#include "ui/tray/TrayPanelView.h"
#include "ui/tray/TrayRow.h"

namespace {

// The browser on screen over the list model.
struct Browser : WindowRig {
    std::unique_ptr<ClipboardBrowserView> view;

    explicit Browser(const QStringList& texts = {}) : WindowRig(texts) {
        view = std::make_unique<ClipboardBrowserView>(history, model, scheduler);
        view->resize(ClipboardBrowserView::minimumWidth, ClipboardBrowserView::minimumHeight);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        settle();
    }
    QListView* list() const { return view->listView(); }
    void settle() const {
        list()->doItemsLayout();
        QCoreApplication::processEvents();
    }
    ClipboardBrowserDelegate::RowLayout rowLayout(int row) const {
        const QModelIndex index = model.index(row);
        return view->delegate()->layoutFor(list()->visualRect(index), index);
    }
    void click(const QString& button, int row) {
        const auto layout = rowLayout(row);
        const QRect target = button == u"copy" ? layout.copyButton : layout.deleteButton;
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, target.center());
        scheduler.advance(ClipboardHistory::pollIntervalMs);
        settle();
    }
    QString clipboardText() const {  // what the browser last wrote, if anything
        const auto& writes = pasteboard.writes();
        return writes.isEmpty() ? QString()
                                : QString::fromUtf8(writes.last().items.value(0).value(
                                      PasteboardTypeKey::stringUtf8Mime));
    }
};

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

const char* const kRequests[] = {SIGNAL(viewBufferRequested()), SIGNAL(settingsRequested()),
                                 SIGNAL(restartOnboardingRequested()), SIGNAL(quitRequested())};
const char* const kTitles[] = {"View buffer", "Settings\u2026", "Restart onboarding", "Quit"};

struct Tray : WindowRig {
    std::unique_ptr<QuillstackTray> tray = std::make_unique<QuillstackTray>(settings);

    TrayPanelView* view() const { return tray->panel()->view(); }
    QList<QAction*> menuActions() const {
        QList<QAction*> actions = tray->contextMenu()->actions();
        actions.removeIf([](QAction* action) { return action->isSeparator(); });
        return actions;
    }
    // The panel's rows and the menu's entries, the same in the same order, each wired.
    void checkRows(bool panel) {
        for (int row = 0; row < 4; ++row) {
            QList<std::shared_ptr<QSignalSpy>> spies;
            for (const char* request : kRequests) {
                spies.append(std::make_shared<QSignalSpy>(tray.get(), request));
            }
            const QString title = L10n::string(QString::fromUtf8(kTitles[row]));
            if (panel) {
                TrayRow* item = view()->rows().at(row);
                QCOMPARE(item->title(), title);
                QCOMPARE(item->titleColour() == QColor(255, 59, 48), row == 3);  // Quit in red
                // The empty end of the row counts as much as its text.
                QTest::mouseClick(item, Qt::LeftButton, {},
                                  QPoint(item->width() - 3, item->height() / 2));
                QVERIFY(tray->panel()->isVisible());
            } else {
                QCOMPARE(menuActions().at(row)->text(), title);
                menuActions().at(row)->trigger();
            }
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(spies[i]->count(), i == row ? 1 : 0);
            }
        }
    }
};

}  // namespace

class TestTrayAndBrowser : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Both are built again on a language change, wired like before.
    void rowsSendTheirRequests() {
        Tray t;
        t.tray->showPanel();
        t.checkRows(true);
        t.checkRows(false);
        QPointer<TrayPanelView> old = t.view();
        t.settings.setPreferredLanguage(QStringLiteral("de"));
        QTRY_VERIFY(old.isNull());
        QVERIFY(t.tray->panel()->isVisible());
        QCOMPARE(t.view()->width(), TrayPanelView::panelWidth);
        QVERIFY(t.view()->rows().at(0)->title() != QString::fromUtf8(kTitles[0]));
        QVERIFY(t.view()->reminderLabel()->text().endsWith(L10n::string("paste from history")));
        t.checkRows(true);
        t.checkRows(false);
    }

    void reminderAndToolTipFollowTheChord() {
        Tray t;
        t.tray->showPanel();
        const QString before = t.view()->reminderLabel()->text();
        t.settings.setHotkeyKeyCode(1);  // S
        for (const QString& shown : {t.view()->reminderLabel()->text(), before}) {
            QVERIFY(t.tray->trayIcon()->toolTip().startsWith("Quillstack"));
            QCOMPARE(shown, t.settings.hotkeyDisplayString() + " \u2014 paste from history");
            QVERIFY(t.tray->trayIcon()->toolTip().contains(shown));
            t.settings.setHotkeyKeyCode(int(KeyCode::V));
        }
    }

    void clickOnTheIconTogglesThePanel() {
        Tray t;
        TrayPanel* panel = t.tray->panel();
        // Trigger, context, trigger; then a lost focus, and the click on the icon that took it.
        const auto click = [&](QSystemTrayIcon::ActivationReason reason) {
            Q_EMIT t.tray->trayIcon()->activated(reason);
            return panel->isVisible();
        };
        QVERIFY(click(QSystemTrayIcon::Trigger));
        QCOMPARE(panel->width(), TrayPanelView::panelWidth);
        QVERIFY(click(QSystemTrayIcon::Context));
        QVERIFY(!click(QSystemTrayIcon::Trigger));
        QVERIFY(click(QSystemTrayIcon::Trigger));
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(panel, &deactivate);
        QVERIFY(!panel->isVisible());
        QVERIFY(!click(QSystemTrayIcon::Trigger));
        QVERIFY(click(QSystemTrayIcon::Trigger));
    }

    void placement_data() {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("icon top right") << QRect(1880, 0, 24, 24) << QPoint(1660, 28);
        QTest::newRow("icon at the bottom") << QRect(900, 1056, 24, 24) << QPoint(781, 852);
        QTest::newRow("pointer mid-screen") << QRect(960, 540, 1, 1) << QPoint(830, 545);
        QTest::newRow("pointer bottom left") << QRect(5, 1075, 1, 1) << QPoint(0, 871);
    }
    void placement() {
        QFETCH(QRect, anchor);
        const QRect screen(0, 0, 1920, 1080);
        const QSize size(260, 200);
        const QPoint at = TrayPanel::placement(size, anchor, screen);
        QTEST(at, "expected");
        QVERIFY(screen.contains(QRect(at, size)) && !QRect(at, size).intersects(anchor));
    }

    void buttonsActOnTheirOwnRow_data() {
        QTest::addColumn<QStringList>("clicks");  // "copy 2": the copy button of row 2
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("copy of the third row keeps the order")
            << QStringList{"copy 2"} << QStringList{"E", "D", "C", "B", "A"} << "C";
        QTest::newRow("deleting the first row renumbers the rest")
            << QStringList{"delete 0", "delete 0"} << QStringList{"C", "B", "A"} << "";
        QTest::newRow("the new first row copies itself")
            << QStringList{"delete 0", "copy 0"} << QStringList{"D", "C", "B", "A"} << "D";
        QTest::newRow("delete of the last row")
            << QStringList{"delete 4"} << QStringList{"E", "D", "C", "B"} << "";
    }
    void buttonsActOnTheirOwnRow() {
        QFETCH(QStringList, clicks);
        Browser b({"A", "B", "C", "D", "E"});
        for (const QString& click : clicks) {
            b.click(click.section(' ', 0, 0), click.section(' ', 1).toInt());
        }
        QTEST(b.previews(), "remaining");
        QTEST(b.clipboardText(), "clipboard");
        QVERIFY(b.view->isVisible());
    }

    void clearAllAsksFirst_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("remaining");
        QTest::newRow("cancel") << "cancel" << 3;
        QTest::newRow("confirm") << "confirm" << 0;
    }
    void clearAllAsksFirst() {
        QFETCH(QString, answer);
        QFETCH(int, remaining);
        Browser b({"A", "B", "C"});
        QTest::mouseClick(b.view->clearAllButton(), Qt::LeftButton);
        QMessageBox* box = b.view->clearConfirmation();
        QVERIFY(box != nullptr && box->isVisible() && b.history.items().size() == 3);
        if (answer == u"cancel") {
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        } else {
            const auto buttons = box->buttons();
            const auto clear = std::find_if(buttons.begin(), buttons.end(), [box](auto* button) {
                return box->buttonRole(button) == QMessageBox::DestructiveRole;
            });
            QVERIFY(clear != buttons.end());
            QTest::mouseClick(*clear, Qt::LeftButton);
        }
        QVERIFY(!b.view->showClearConfirmation());
        QCOMPARE(b.history.items().size(), remaining);
        // The placeholder stands in for the list and its button exactly while there is nothing.
        for (const bool empty : {remaining == 0, false}) {
            QCOMPARE(b.view->placeholder()->isVisible(), empty);
            QCOMPARE(b.list()->isVisible() && b.view->clearAllButton()->isVisible(), !empty);
            b.copyText("F");
        }
    }

    void lateThumbnailAppearsInItsRow() {
        QTemporaryFile file(QDir::tempPath() + "/XXXXXX.pdf");
        QVERIFY(file.open() && file.write("x") == 1 && file.flush());
        Browser b({"plain"});
        b.copyFile(file);
        b.settle();
        QVERIFY(b.thumbnailer.requests().size() == 1 && b.rowLayout(0).picture.isEmpty());
        QVERIFY(b.list()->visualRect(b.model.index(0)).height() <
                ClipboardBrowserDelegate::pictureSide);

        // The row grows to hold the picture, and the picture is drawn in it.
        b.thumbnailer.answer(0, encodeImage(solidImage(64, 64, Qt::red)));
        b.scheduler.runUntilIdle();
        QTRY_VERIFY(b.list()->visualRect(b.model.index(0)).height() >
                    ClipboardBrowserDelegate::pictureSide);
        const QRect picture = b.rowLayout(0).picture;
        QVERIFY(!picture.isEmpty() && b.rowLayout(1).picture.isEmpty());
        const QImage shot = b.list()->viewport()->grab().toImage();
        QCOMPARE(shot.pixelColor(picture.center() * shot.devicePixelRatio()), QColor(Qt::red));
    }

    void rowTexts_data() {
        QTest::addColumn<StoredItem>("item");
        QTest::addColumn<QStringList>("lines");
        QString many;
        for (int i = 0; i < 60; ++i) {
            many += QString("word%1 ").arg(i);
        }
        QTest::newRow("lines as copied")
            << textItem("first\nsecond") << QStringList{"first", "second"};
        QTest::newRow("at most four lines") << textItem(many) << QStringList{};
        QTest::newRow("a remote and a local file")
            << StoredItem{{QString(PasteboardTypeKey::uriList),
                           QByteArray("sftp://server\r\nfile:///tmp/quillstack-none")}}
            << QStringList{"quillstack-none"};
    }
    void rowTexts() {
        QFETCH(StoredItem, item);
        QFETCH(QStringList, lines);
        Browser b;
        b.copy(item);
        b.settle();
        const QStringList shown = b.view->delegate()->textLines(b.model.index(0), b.list()->font(),
                                                                b.rowLayout(0).text.width());
        if (lines.isEmpty()) {  // cut to four lines, with "…"
            QCOMPARE(shown.size(), 4);
            QVERIFY(shown.last().endsWith(QChar(0x2026)) && !shown.join(' ').contains("word59"));
        } else {
            QCOMPARE(shown, lines);
        }
    }

    void agesStayCurrentWhileShown() {
        Browser b({"one"});
        const QModelIndex index = b.model.index(0);
        QCOMPARE(b.view->delegate()->dateText(index), QString("now"));
        PaintCounter counter;
        b.list()->viewport()->installEventFilter(&counter);
        QCoreApplication::processEvents();
        const int before = counter.paints;
        b.scheduler.advance(2 * 60'000 + 500);
        QCOMPARE(b.view->delegate()->dateText(index), QString("2 minutes ago"));
        QTRY_VERIFY(counter.paints > before);

        // Hidden, nothing wakes up for it; shown again, the ages are kept current again.
        const qsizetype shownTimers = b.scheduler.pendingTimers();
        for (const bool shown : {false, true}) {
            b.view->setVisible(shown);
            QCOMPARE(b.scheduler.pendingTimers(), shownTimers - (shown ? 0 : 1));
        }
    }

    void rowTextOpensForSelection_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("opens");
        QTest::newRow("text") << "text" << true;
        QTest::newRow("copy button") << "copy" << false;
    }
    void rowTextOpensForSelection() {
        QFETCH(QString, where);
        QFETCH(bool, opens);
        Browser b({"first words", "second words"});
        const auto layout = b.rowLayout(1);
        const QPoint point =
            where == u"text" ? layout.text.topLeft() + QPoint(4, 4) : layout.copyButton.center();
        // A double click: a click, then the second press that the system marks as double.
        QTest::mouseClick(b.list()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(b.list()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(b.list()->viewport(), Qt::LeftButton, {}, point);
        auto* viewer = qobject_cast<QPlainTextEdit*>(b.list()->indexWidget(b.model.index(1)));
        QCOMPARE(viewer != nullptr, opens);
        if (!opens) {
            return;
        }
        QVERIFY(viewer->isReadOnly() && viewer->textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(viewer->toPlainText(), QString("first words"));
        QTest::keyClick(viewer, Qt::Key_Escape);
        QTRY_VERIFY(b.list()->indexWidget(b.model.index(1)) == nullptr);
        QCOMPARE(b.previews(), (QStringList{"second words", "first words"}));
    }
};

QTEST_MAIN(TestTrayAndBrowser)
#include "tst_tray_and_browser.moc"
