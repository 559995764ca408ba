// SPDX-License-Identifier: MIT
#include <QtTest>

#include <QLabel>

#include "ChordStack.h"
#include "X11Desktop.h"
#include "ui/common/AppWindow.h"
#include "ui/onboarding/OnboardingPanel.h"

// The first-run onboarding of the built application on a real X server, driven from outside as
// a user would: the keyboard, the paste chord and copies made by another client. A field or a
// sample that turned green is seen in the window's pixels, so release builds check it too.
namespace {
std::optional<WId> onboardingPanel() {
    return viewableWindow({"--name", "^Quillstack$"}, 380, 520);
}

// Where the window manager has the window, bottom to top; -1 when it does not list it.
qsizetype stackingIndex(WId window) {
    const QString list = run(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST_STACKING"});
    return list.section(u'#', 1).remove(u' ').split(u',').indexOf(
        QStringLiteral("0x%1").arg(window, 0, 16));
}

// Pixels of the exact green that outlines a sample or a field that is right.
int greenPixels(WId window) {
    const QImage image = QGuiApplication::primaryScreen()->grabWindow(window).toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFF) == 0x34C759;  // (52, 199, 89)
        }
    }
    return count;
}
}  // namespace

class TestOnboardingFlow : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(m_app.start()); }

    // In this process: the panel, kept above, stays above our ordinary windows however they
    // come forward.
    void panelStaysAboveAppWindows() {
        WindowRig stack;
        OnboardingPanel panel(
            {stack.settings, stack.detector, stack.clipboard, stack.scheduler, {}});
        AppWindow floating("Settings", [] { return new QLabel("floating"); });
        floating.resize(300, 200);
        panel.present();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QTRY_VERIFY(stackingIndex(panel.winId()) >= 0);
        floating.present();
        QVERIFY(QTest::qWaitForWindowExposed(&floating));
        QTRY_VERIFY(stackingIndex(floating.winId()) >= 0);
        for (int i = 0; i < 2; ++i) {  // and when brought forward again while shown
            floating.present();
            QTest::qWait(300);
            QVERIFY(stackingIndex(panel.winId()) > stackingIndex(floating.winId()));
        }
    }

    void firstLaunchCopiesAndPastesBothSamples() {
        QTRY_VERIFY_WITH_TIMEOUT(onboardingPanel(), 20000);
        QVERIFY(!m_app.settings().contains("onboardingCompleted=true"));
        const std::optional<WId> panel = onboardingPanel();
        run("xdotool", {"windowactivate", "--sync", QString::number(*panel)});
        // Next has the keyboard focus on the first five pages.
        for (int page = 0; page < 5; ++page) {
            key("space");
        }
        QCOMPARE(greenPixels(*panel), 0);
        // Sample 2 first, so that sample 1 is the newest copy when pasting.
        QVERIFY(copyText("Text 2"));
        QTRY_VERIFY_WITH_TIMEOUT(greenPixels(*panel) > 300, 10000);
        const int oneSample = greenPixels(*panel);
        QVERIFY(copyText("Text 1"));
        QTRY_VERIFY_WITH_TIMEOUT(greenPixels(*panel) > oneSample * 16 / 10, 10000);
        // Next is enabled and focused now: the paste page has nothing green yet.
        key("space");
        QTRY_COMPARE_WITH_TIMEOUT(greenPixels(*panel), 0, 10000);

        // The chord pastes sample 1, the newest copy, into the first field, which has the focus;
        // field 2 takes the second record, and Return there is Done: both fields are right.
        key("super+shift+v");
        QVERIFY(waitForPopup(true));
        key("Return");
        QTRY_VERIFY_WITH_TIMEOUT(greenPixels(*panel) > 300, 10000);
        QCOMPARE(run("xclip", {"-o", "-selection", "clipboard"}), QStringLiteral("Text 1"));
        const int oneField = greenPixels(*panel);
        key("Tab super+shift+v");
        QVERIFY(waitForPopup(true));
        key("Down Return");
        QTRY_VERIFY_WITH_TIMEOUT(greenPixels(*panel) > oneField * 16 / 10, 10000);
        key("Return");
        QTRY_VERIFY_WITH_TIMEOUT(!onboardingPanel().has_value(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_app.settings().contains("onboardingCompleted=true"), 10000);
        // Run from the build folder, the last page's box was offered unticked and left so.
        QVERIFY(m_app.settings().contains("launchAtLogin=false"));

        // Asked for from the command line, it comes back. (That it stays away at the next start is
        // what every other test of the application relies on: they start as returning users.)
        QCOMPARE(m_app.command({"--show-onboarding"}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(onboardingPanel(), 10000);
    }

    void cleanup() { m_app.reportIfFailed(); }
    void cleanupTestCase() { QVERIFY(m_app.stop()); }

  private:
    AppProcess m_app{false};
};

QTEST_MAIN(TestOnboardingFlow)
#include "tst_onboarding_flow.moc"
