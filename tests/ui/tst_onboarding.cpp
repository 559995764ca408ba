#include <QtTest>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>

#include "HotkeyStack.h"
#include "onboarding/OnboardingWizard.h"
#include "settings/L10n.h"
#include "ui/onboarding/OnboardingPanel.h"
#include "ui/onboarding/OnboardingView.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/onboarding/OnboardingWindowController.h"
#include "ui/onboarding/OnboardingWindowView.h"

namespace {
template <typename T = QWidget>
T* child(const QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

bool highlighted(const QWidget* inside) {
    const auto* box = dynamic_cast<const onboarding::RoundedBox*>(inside->parentWidget());
    return box != nullptr && box->isHighlighted();
}

// The wizard on fakes, in English, on screen.
struct Rig {
    HotkeyStack stack;
    std::unique_ptr<OnboardingView> view;

    Rig() {
        stack.settings.setPreferredLanguage(QStringLiteral("en"));
        L10n::configure(&stack.settings, QStringLiteral("en"));
        view = std::make_unique<OnboardingView>(stack.settings, stack.detector, stack.pasteboard,
                                                stack.scheduler);
        view->show();
    }
    OnboardingWizard& wizard() const { return view->wizard(); }
    void click(const char* name) const { QTest::mouseClick(child(*view, name), Qt::LeftButton); }
    // Another program copies this text, and the check has had its turn.
    void copyElsewhere(const QString& text) {
        stack.pasteboard.setContent({StoredItem{{QStringLiteral("text/plain"), text.toUtf8()}}});
        poll();
    }
    void poll() {
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
        QTest::addColumn<bool>("back");
        QTest::addColumn<bool>("skip");
        QTest::addColumn<QString>("next");
        QTest::addColumn<bool>("nextEnabled");
        QTest::addColumn<QByteArray>("finish");  // completes without turning the page
        QTest::newRow("welcome") << 0 << false << false << "Next" << true << QByteArray();
        QTest::newRow("permission") << 1 << true << false << "Next" << true << QByteArray();
        QTest::newRow("how it works") << 2 << true << true << "Next" << true << QByteArray();
        QTest::newRow("Skip on 3")
            << 3 << true << true << "Next" << true << QByteArray("skipButton");
        QTest::newRow("menu") << 5 << true << true << "Next" << true << QByteArray();
        QTest::newRow("copy exercise, nothing copied")
            << 6 << true << false << "Next" << false << QByteArray();
        QTest::newRow("Done on the paste exercise, fields empty")
            << 7 << true << false << "Done" << true << QByteArray("nextButton");
    }
    void buttonsFollowThePage() {
        QFETCH(int, step);
        QFETCH(bool, back);
        QFETCH(bool, skip);
        QFETCH(QString, next);
        QFETCH(bool, nextEnabled);
        QFETCH(QByteArray, finish);
        Rig rig;
        rig.goTo(step);
        QCOMPARE(child(*rig.view, "backButton")->isVisible(), back);
        QCOMPARE(child(*rig.view, "skipButton")->isVisible(), skip);
        auto* nextButton = child<QPushButton>(*rig.view, "nextButton");
        QCOMPARE(nextButton->text(), next);
        QCOMPARE(nextButton->isEnabled(), nextEnabled);
        QVERIFY(!rig.stack.settings.onboardingCompleted());
        if (!finish.isEmpty()) {
            rig.click(finish.constData());
            QVERIFY(rig.stack.settings.onboardingCompleted());
        }
        QCOMPARE(rig.wizard().step(), step);
        QVERIFY(child(*rig.view, qPrintable(QStringLiteral("page%1").arg(step)))->isVisible());
    }

    void copyCheckTrimsAndComparesExactly_data() {
        QTest::addColumn<QString>("copied");
        QTest::addColumn<bool>("sample1");
        QTest::addColumn<bool>("sample2");
        QTest::newRow("exact") << "Text 1" << true << false;
        QTest::newRow("spaces and a line break around") << "  Text 1\n" << true << false;
        QTest::newRow("tab and CRLF") << "\tText 2\r\n" << false << true;
        QTest::newRow("lower-case first letter") << "text 1" << false << false;
        QTest::newRow("more than the sample") << "Text 1." << false << false;
        QTest::newRow("both in one") << "Text 1 Text 2" << false << false;
    }
    void copyCheckTrimsAndComparesExactly() {
        QFETCH(QString, copied);
        QFETCH(bool, sample1);
        QFETCH(bool, sample2);
        Rig rig;
        rig.goTo(5);
        rig.click("nextButton");
        QVERIFY(rig.wizard().isCopyCheckRunning());
        rig.copyElsewhere(copied);
        QCOMPARE(rig.wizard().text1Copied(), sample1);
        QCOMPARE(rig.wizard().text2Copied(), sample2);
        QCOMPARE(highlighted(child(*rig.view, "sample1")), sample1);
        QCOMPARE(highlighted(child(*rig.view, "sample2")), sample2);
        QVERIFY(!child(*rig.view, "nextButton")->isEnabled());
        QVERIFY(!child(*rig.view, "bothCopied")->isVisible());
    }

    void nextWaitsForBothSamplesAndReentryAsksAgain() {
        Rig rig;
        rig.goTo(5);
        const qsizetype othersTimers = rig.stack.scheduler.pendingTimers();  // the history's
        // Sample 2 is already on the clipboard when the page opens: it counts at once.
        rig.stack.pasteboard.setContent(
            {StoredItem{{QStringLiteral("text/plain"), QByteArray("Text 2")}}});
        rig.click("nextButton");
        rig.stack.scheduler.runUntilIdle();
        QVERIFY(rig.wizard().text2Copied() && !rig.wizard().text1Copied());
        auto* next = child<QPushButton>(*rig.view, "nextButton");
        QVERIFY(!next->isEnabled());
        rig.copyElsewhere(QStringLiteral("Text 1"));
        QVERIFY(next->isEnabled());
        QVERIFY(child(*rig.view, "bothCopied")->isVisible());

        rig.click("backButton");
        QVERIFY(!rig.wizard().isCopyCheckRunning());
        QCOMPARE(rig.stack.scheduler.pendingTimers(), othersTimers);
        // Off the page, a copy is not looked at.
        rig.copyElsewhere(QStringLiteral("Text 2"));
        rig.click("nextButton");
        QVERIFY(!rig.wizard().text1Copied());
        rig.stack.scheduler.runUntilIdle();
        QVERIFY(rig.wizard().text2Copied() && !rig.wizard().text1Copied());
        QVERIFY(!next->isEnabled());
        QVERIFY(rig.wizard().isCopyCheckRunning());

        // Hidden, the wizard stops looking; back on screen it goes on with what it has seen.
        rig.view->hide();
        QCOMPARE(rig.stack.scheduler.pendingTimers(), othersTimers);
        rig.view->show();
        QVERIFY(rig.wizard().isCopyCheckRunning() && rig.wizard().text2Copied());
        rig.click("copyButton1");
        QCOMPARE(rig.stack.pasteboard.string(), std::optional<QString>(QStringLiteral("Text 1")));
        QVERIFY(next->isEnabled());
    }

    void pasteFieldsTurnGreen_data() {
        QTest::addColumn<QString>("field1");
        QTest::addColumn<QString>("field2");
        QTest::addColumn<bool>("correct1");
        QTest::addColumn<bool>("correct2");
        QTest::newRow("both right") << "Text 1"
                                    << " Text 2\n"
                                    << true << true;
        QTest::newRow("swapped") << "Text 2"
                                 << "Text 1" << false << false;
        QTest::newRow("lower case") << "text 1"
                                    << "Text 2" << false << true;
        QTest::newRow("empty") << ""
                               << "" << false << false;
    }
    void pasteFieldsTurnGreen() {
        QFETCH(QString, field1);
        QFETCH(QString, field2);
        QFETCH(bool, correct1);
        QFETCH(bool, correct2);
        Rig rig;
        rig.goTo(OnboardingWizard::pasteTrainingStep);
        auto* edit1 = child<QLineEdit>(*rig.view, "pasteField1");
        QVERIFY(edit1->hasFocus() || !rig.view->isActiveWindow());
        QTest::keyClicks(edit1, field1);
        child<QLineEdit>(*rig.view, "pasteField2")->setText(field2);
        QCOMPARE(highlighted(edit1), correct1);
        QCOMPARE(highlighted(child(*rig.view, "pasteField2")), correct2);
        QCOMPARE(child(*rig.view, "correctRow")->isVisible(), correct1 && correct2);
        QVERIFY(child(*rig.view, "nextButton")->isEnabled());
    }

    void permissionPageFollowsTheTrust() {
        Rig rig;
        rig.stack.trust.setTrusted(false);
        rig.stack.detector.startMonitoring();
        rig.goTo(1);
        QVERIFY(child(*rig.view, "trustButton")->isVisible());
        QVERIFY(!child(*rig.view, "trustedRow")->isVisible());
        rig.stack.trust.setTrusted(true);
        rig.stack.detector.refreshOnActivation();
        QVERIFY(!child(*rig.view, "trustButton")->isVisible());
        QVERIFY(child(*rig.view, "trustedRow")->isVisible());
    }

    void languageSwitchStartsAgainAtTheFirstPage() {
        HotkeyStack stack;
        stack.settings.setPreferredLanguage(QStringLiteral("en"));
        L10n::configure(&stack.settings, QStringLiteral("en"));
        OnboardingWindowView window(stack.settings, stack.detector, stack.pasteboard,
                                    stack.scheduler);
        window.show();
        QPointer<QComboBox> picker = window.languagePicker();
        QCOMPARE(picker->count(), 10);
        QCOMPARE(picker->itemData(0).toString(), QStringLiteral("system"));
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
        const QString next = child<QPushButton>(*fresh, "nextButton")->text();
        QCOMPARE(next, L10n::string(QStringLiteral("Next")));
        QVERIFY(next != QStringLiteral("Next"));
    }

    void panelHidesOnCompletionAndRestartsFresh() {
        HotkeyStack stack;
        L10n::configure(&stack.settings, QStringLiteral("en"));
        OnboardingWindowController controller(
            OnboardingPanel::Dependencies{stack.settings, stack.detector, stack.pasteboard,
                                          stack.scheduler, [] { return std::optional<QRect>(); }});
        controller.startAtLaunch();
        QPointer<OnboardingPanel> panel = controller.onboardingWindow();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->geometry().center(),
                 QGuiApplication::primaryScreen()->availableGeometry().center());
        // Closing hides; it is the same panel that comes back.
        QVERIFY(panel->close());
        QVERIFY(panel && !panel->isVisible());
        controller.showOnboardingWindow();
        QVERIFY(panel->isVisible());

        OnboardingView* view = panel->content()->wizardView();
        QTest::mouseClick(child(*view, "nextButton"), Qt::LeftButton);
        QTest::mouseClick(child(*view, "nextButton"), Qt::LeftButton);
        QTest::mouseClick(child(*view, "skipButton"), Qt::LeftButton);
        QVERIFY(panel && !panel->isVisible());
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
