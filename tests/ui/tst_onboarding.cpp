#include <QtTest>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "WindowRig.h"
#include "onboarding/OnboardingWizard.h"
#include "ui/onboarding/OnboardingPanel.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/onboarding/OnboardingWindowController.h"
#include "ui/onboarding/OnboardingWindowView.h"

namespace {
bool highlighted(const QWidget* inside) {
    const auto* box = dynamic_cast<const onboarding::RoundedBox*>(inside->parentWidget());
    return box != nullptr && box->isHighlighted();
}

// The wizard on fakes, in English, on screen.
struct Rig {
    WindowRig stack;
    std::unique_ptr<OnboardingView> view = std::make_unique<OnboardingView>(
        stack.settings, stack.detector, stack.pasteboard, stack.scheduler);

    Rig() { view->show(); }
    OnboardingWizard& wizard() const { return view->wizard(); }
    void click(const char* name) const { QTest::mouseClick(child(*view, name), Qt::LeftButton); }
    // Another program copies this text, and the check has had its turn.
    void copyElsewhere(const QString& text) {
        stack.pasteboard.setContent({textItem(text)});
        stack.scheduler.advance(OnboardingWizard::copyCheckIntervalMs);
        stack.scheduler.runUntilIdle();
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
}  // namespace

class TestOnboarding : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void buttonsFollowThePage_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("buttons");    // back, skip, next (off: disabled), done
        QTest::addColumn<QByteArray>("finish");  // completes without turning the page
        QTest::newRow("welcome") << 0 << "next" << QByteArray();
        QTest::newRow("permission") << 1 << "back next" << QByteArray();
        QTest::newRow("how it works") << 2 << "back skip next" << QByteArray();
        QTest::newRow("Skip on 3") << 3 << "back skip next" << QByteArray("skipButton");
        QTest::newRow("copy exercise, nothing copied") << 6 << "back next-off" << QByteArray();
        QTest::newRow("Done on the paste exercise, fields empty")
            << 7 << "back done" << QByteArray("nextButton");
    }
    void buttonsFollowThePage() {
        QFETCH(int, step);
        QFETCH(QString, buttons);
        QFETCH(QByteArray, finish);
        Rig rig;
        rig.goTo(step);
        const QStringList expected = buttons.split(' ');
        QCOMPARE(child(*rig.view, "backButton")->isVisible(), expected.contains("back"));
        QCOMPARE(child(*rig.view, "skipButton")->isVisible(), expected.contains("skip"));
        auto* next = child<QPushButton>(*rig.view, "nextButton");
        QCOMPARE(next->text(), expected.contains("done") ? "Done" : "Next");
        QCOMPARE(next->isEnabled(), !expected.contains("next-off"));
        QVERIFY(!rig.stack.settings.onboardingCompleted());
        if (!finish.isEmpty()) {
            rig.click(finish.constData());
            QVERIFY(rig.stack.settings.onboardingCompleted());
        }
        QCOMPARE(rig.wizard().step(), step);
        QVERIFY(child(*rig.view, qPrintable(QStringLiteral("page%1").arg(step)))->isVisible());
    }

    // Copied elsewhere, or pasted into a field: trimmed, then compared exactly with a sample.
    void samplesTrimmedAndComparedExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("sample1");
        QTest::addColumn<bool>("sample2");
        QTest::newRow("exact") << "Text 1" << true << false;
        QTest::newRow("spaces and a line break around") << "  Text 1\n" << true << false;
        QTest::newRow("tab and CRLF") << "\tText 2\r\n" << false << true;
        QTest::newRow("lower-case first letter") << "text 1" << false << false;
        QTest::newRow("more than the sample") << "Text 1." << false << false;
        QTest::newRow("empty") << "" << false << false;
    }
    void samplesTrimmedAndComparedExactly() {
        QFETCH(QString, text);
        QFETCH(bool, sample1);
        QFETCH(bool, sample2);
        Rig rig;
        rig.goTo(OnboardingWizard::copyTrainingStep);
        QVERIFY(rig.wizard().isCopyCheckRunning());
        rig.copyElsewhere(text);
        QCOMPARE(rig.wizard().text1Copied(), sample1);
        QCOMPARE(rig.wizard().text2Copied(), sample2);
        QCOMPARE(highlighted(child(*rig.view, "sample1")), sample1);
        QCOMPARE(highlighted(child(*rig.view, "sample2")), sample2);
        QVERIFY(!child(*rig.view, "nextButton")->isEnabled());
        QVERIFY(!child(*rig.view, "bothCopied")->isVisible());

        rig.goTo(OnboardingWizard::pasteTrainingStep);
        auto* edit1 = child<QLineEdit>(*rig.view, "pasteField1");
        auto* edit2 = child<QLineEdit>(*rig.view, "pasteField2");
        QVERIFY(edit1->hasFocus() || !rig.view->isActiveWindow());
        edit1->setText(text);
        edit2->setText(text);
        QCOMPARE(highlighted(edit1), sample1);
        QCOMPARE(highlighted(edit2), sample2);
        QVERIFY(!child(*rig.view, "correctRow")->isVisible());
        QVERIFY(child(*rig.view, "nextButton")->isEnabled());
        edit1->clear();
        QTest::keyClicks(edit1, OnboardingWizard::trainingText1());  // typed, as by a user
        edit2->setText(OnboardingWizard::trainingText2());
        QVERIFY(child(*rig.view, "correctRow")->isVisible());
    }

    void nextWaitsForBothSamplesAndReentryAsksAgain() {
        Rig rig;
        rig.goTo(5);
        const qsizetype othersTimers = rig.stack.scheduler.pendingTimers();  // the history's
        // Sample 2 is already on the clipboard when the page opens: it counts at once.
        rig.stack.pasteboard.setContent({textItem("Text 2")});
        rig.click("nextButton");
        rig.stack.scheduler.runUntilIdle();
        QVERIFY(rig.wizard().text2Copied() && !rig.wizard().text1Copied());
        auto* next = child<QPushButton>(*rig.view, "nextButton");
        QVERIFY(!next->isEnabled());
        rig.copyElsewhere(QStringLiteral("Text 1"));
        QVERIFY(next->isEnabled() && child(*rig.view, "bothCopied")->isVisible());

        rig.click("backButton");
        QVERIFY(!rig.wizard().isCopyCheckRunning());
        QCOMPARE(rig.stack.scheduler.pendingTimers(), othersTimers);
        // Off the page, a copy is not looked at.
        rig.copyElsewhere(QStringLiteral("Text 2"));
        rig.click("nextButton");
        QVERIFY(!rig.wizard().text1Copied());
        rig.stack.scheduler.runUntilIdle();
        QVERIFY(rig.wizard().text2Copied() && !rig.wizard().text1Copied());
        QVERIFY(!next->isEnabled() && rig.wizard().isCopyCheckRunning());

        // Hidden, the wizard stops looking; back on screen it goes on with what it has seen.
        rig.view->hide();
        QCOMPARE(rig.stack.scheduler.pendingTimers(), othersTimers);
        rig.view->show();
        QVERIFY(rig.wizard().isCopyCheckRunning() && rig.wizard().text2Copied());
        rig.click("copyButton1");
        QVERIFY(rig.stack.pasteboard.string() == QStringLiteral("Text 1") && next->isEnabled());
    }

    void permissionPageFollowsTheTrust() {
        Rig rig;
        rig.goTo(1);
        for (const bool trusted : {false, true}) {
            rig.stack.trust.setTrusted(trusted);
            rig.stack.detector.refreshOnActivation();
            QCOMPARE(child(*rig.view, "trustButton")->isVisible(), !trusted);
            QCOMPARE(child(*rig.view, "trustedRow")->isVisible(), trusted);
        }
    }

    void languageSwitchStartsAgainAtTheFirstPage() {
        WindowRig stack;
        OnboardingWindowView window(stack.settings, stack.detector, stack.pasteboard,
                                    stack.scheduler);
        window.show();
        QPointer<QComboBox> picker = window.languagePicker();
        QCOMPARE(picker->itemText(2), QStringLiteral("Русский"));
        QCOMPARE(picker->currentData().toString(), QStringLiteral("en"));
        QPointer<OnboardingView> old = window.wizardView();
        QTest::mouseClick(child(*old, "nextButton"), Qt::LeftButton);
        QCOMPARE(old->wizard().step(), 1);

        // The user picks from the open list: the picker must outlive its own handler.
        picker->showPopup();
        QAbstractItemView* list = picker->view();
        QTRY_VERIFY(list->isVisible());
        const QRect russian = list->visualRect(picker->model()->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, russian.center());
        QCOMPARE(stack.settings.preferredLanguage(), QStringLiteral("ru"));
        QTRY_VERIFY(picker.isNull() && old.isNull());
        OnboardingView* fresh = window.wizardView();
        QCOMPARE(fresh->wizard().step(), 0);
        QCOMPARE(window.languagePicker()->currentData().toString(), QStringLiteral("ru"));
        QVERIFY(child<QPushButton>(*fresh, "nextButton")->text() != QStringLiteral("Next"));
    }

    void panelHidesOnCompletionAndRestartsFresh() {
        WindowRig stack;
        OnboardingWindowController controller(
            OnboardingPanel::Dependencies{stack.settings, stack.detector, stack.pasteboard,
                                          stack.scheduler, [] { return std::optional<QRect>(); }});
        controller.startAtLaunch();
        QPointer<OnboardingPanel> panel = controller.onboardingWindow();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->geometry().center(),
                 QGuiApplication::primaryScreen()->availableGeometry().center());
        OnboardingView* view = panel->content()->wizardView();
        QTest::mouseClick(child(*view, "nextButton"), Qt::LeftButton);
        QTest::mouseClick(child(*view, "nextButton"), Qt::LeftButton);
        QTest::mouseClick(child(*view, "skipButton"), Qt::LeftButton);
        QVERIFY(panel && !panel->isVisible() && stack.settings.onboardingCompleted());
        controller.showOnboardingWindow();
        QCOMPARE(controller.onboardingWindow(), panel.data());
        QCOMPARE(panel->content()->wizardView()->wizard().step(), 2);

        controller.restartOnboardingFromBeginning();
        QVERIFY(!stack.settings.onboardingCompleted());
        QTRY_VERIFY(panel.isNull());
        QVERIFY(controller.onboardingWindow()->isVisible());
        QCOMPARE(controller.onboardingWindow()->content()->wizardView()->wizard().step(), 0);
    }
};

QTEST_MAIN(TestOnboarding)
#include "tst_onboarding.moc"
