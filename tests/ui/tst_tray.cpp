#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>

#include "EnglishSettings.h"
#include "ui/tray/QuillstackTray.h"
#include "ui/tray/TrayPanel.h"
#include "ui/tray/TrayPanelView.h"
#include "ui/tray/TrayRow.h"

namespace {

const char* const kRequests[] = {SIGNAL(viewBufferRequested()), SIGNAL(settingsRequested()),
                                 SIGNAL(restartOnboardingRequested()), SIGNAL(quitRequested())};
const char* const kTitles[] = {"View buffer", "Settings\u2026", "Restart onboarding", "Quit"};

struct Tray : EnglishSettings {
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

class TestTray : public QObject {
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
        QStringList reminders;
        for (int i = 0; i < 3; ++i) {
            const QString reminder =
                t.settings.hotkeyDisplayString() + QStringLiteral(" \u2014 paste from history");
            QCOMPARE(t.view()->reminderLabel()->text(), reminder);
            QVERIFY(t.tray->trayIcon()->toolTip().startsWith("Quillstack"));
            QVERIFY(t.tray->trayIcon()->toolTip().contains(reminder));
            QVERIFY(!reminders.contains(reminder));
            reminders << reminder;
            t.settings.setHotkeyModifiers(0x40000 | 0x80000);  // Control + Option
            t.settings.setHotkeyKeyCode(i);                    // A, S
        }
        QVERIFY(t.tray->panel()->isVisible());
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
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
