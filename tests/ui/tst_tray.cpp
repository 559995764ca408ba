#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>

#include "EnglishSettings.h"
#include "keys/KeyNames.h"
#include "ui/tray/QuillstackTray.h"
#include "ui/tray/TrayPanel.h"
#include "ui/tray/TrayPanelView.h"
#include "ui/tray/TrayRow.h"

namespace {

struct Tray : EnglishSettings {
    std::unique_ptr<QuillstackTray> tray = std::make_unique<QuillstackTray>(settings);

    TrayPanelView* view() const { return tray->panel()->view(); }
    QList<QAction*> menuActions() const {
        QList<QAction*> actions = tray->contextMenu()->actions();
        actions.removeIf([](QAction* action) { return action->isSeparator(); });
        return actions;
    }
    QString expectedReminder() const {
        return KeyNames::displayString(settings.hotkeyModifiers(), settings.hotkeyKeyCode()) +
               QStringLiteral(" \u2014 paste from history");
    }
};

const char* const kRequests[] = {SIGNAL(viewBufferRequested()), SIGNAL(settingsRequested()),
                                 SIGNAL(restartOnboardingRequested()), SIGNAL(quitRequested())};

}  // namespace

class TestTray : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void rowsSendTheirRequests_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("title");
        for (const QString source : {"panel", "menu"}) {
            const char* titles[] = {"View buffer", "Settings\u2026", "Restart onboarding", "Quit"};
            for (int row = 0; row < 4; ++row) {
                QTest::addRow("%s %s", qPrintable(source), titles[row])
                    << source << row << QString::fromUtf8(titles[row]);
            }
        }
    }
    void rowsSendTheirRequests() {
        QFETCH(QString, source);
        QFETCH(int, row);
        QFETCH(QString, title);
        Tray t;
        t.tray->showPanel();
        QList<std::shared_ptr<QSignalSpy>> spies;
        for (const char* request : kRequests) {
            spies.append(std::make_shared<QSignalSpy>(t.tray.get(), request));
        }
        if (source == u"panel") {
            TrayRow* menuRow = t.view()->rows().at(row);
            QCOMPARE(menuRow->title(), title);
            QCOMPARE(menuRow->titleColour() == QColor(255, 59, 48), title == u"Quit");
            // The empty end of the row counts as much as its text.
            QTest::mouseClick(menuRow, Qt::LeftButton, {},
                              QPoint(menuRow->width() - 3, menuRow->height() / 2));
            QVERIFY(t.tray->panel()->isVisible());
        } else {
            QAction* action = t.menuActions().at(row);
            QCOMPARE(action->text(), title);
            action->trigger();
        }
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(spies[i]->count(), i == row ? 1 : 0);
        }
    }

    void reminderAndToolTipFollowTheChord() {
        Tray t;
        t.tray->showPanel();
        QCOMPARE(t.view()->reminderLabel()->text(), t.expectedReminder());
        QVERIFY(t.tray->trayIcon()->toolTip().startsWith("Quillstack"));
        QVERIFY(t.tray->trayIcon()->toolTip().contains(t.expectedReminder()));
        const QString before = t.expectedReminder();

        t.settings.setHotkeyModifiers(0x40000 | 0x80000);  // Control + Option
        t.settings.setHotkeyKeyCode(0);                    // A
        QVERIFY(t.expectedReminder() != before);
        QCOMPARE(t.view()->reminderLabel()->text(), t.expectedReminder());
        QVERIFY(t.tray->trayIcon()->toolTip().contains(t.expectedReminder()));
        QVERIFY(t.tray->panel()->isVisible());
    }

    void languageChangeRebuildsThePanel() {
        Tray t;
        t.tray->showPanel();
        QPointer<TrayPanelView> old = t.view();
        t.settings.setPreferredLanguage(QStringLiteral("de"));
        QVERIFY(t.view() != old.data());
        QTRY_VERIFY(old.isNull());
        QVERIFY(t.tray->panel()->isVisible());
        QCOMPARE(t.view()->width(), TrayPanelView::panelWidth);
        QCOMPARE(t.view()->rows().at(0)->title(), L10n::string("View buffer"));
        QVERIFY(t.view()->rows().at(0)->title() != QString("View buffer"));
        QVERIFY(t.view()->reminderLabel()->text().endsWith(L10n::string("paste from history")));
        QCOMPARE(t.menuActions().at(3)->text(), L10n::string("Quit"));
        // The new rows are wired like the old ones.
        QSignalSpy quit(t.tray.get(), &QuillstackTray::quitRequested);
        QTest::mouseClick(t.view()->rows().at(3), Qt::LeftButton);
        QCOMPARE(quit.count(), 1);
    }

    void clickOnTheIconTogglesThePanel() {
        Tray t;
        TrayPanel* panel = t.tray->panel();
        Q_EMIT t.tray->trayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->width(), TrayPanelView::panelWidth);
        Q_EMIT t.tray->trayIcon()->activated(QSystemTrayIcon::Context);
        QVERIFY(panel->isVisible());
        Q_EMIT t.tray->trayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(!panel->isVisible());

        // Losing the focus closes it; the click on the icon that took the focus keeps it shut.
        Q_EMIT t.tray->trayIcon()->activated(QSystemTrayIcon::Trigger);
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(panel, &deactivate);
        QVERIFY(!panel->isVisible());
        Q_EMIT t.tray->trayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(!panel->isVisible());
        Q_EMIT t.tray->trayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(panel->isVisible());
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
        QFETCH(QPoint, expected);
        const QRect screen(0, 0, 1920, 1080);
        const QSize size(260, 200);
        const QPoint at = TrayPanel::placement(size, anchor, screen);
        QCOMPARE(at, expected);
        QVERIFY(screen.contains(QRect(at, size)));
        QVERIFY(!QRect(at, size).intersects(anchor));
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
