#include <QtTest>

#include "FakeKeyInjector.h"
#include "FakeLoginItems.h"
#include "FakePasteboard.h"
#include "FakeWorkspace.h"
#include "ManualScheduler.h"
#include "MemoryKeyValueStore.h"
#include "hotkey/PasteDelivery.h"
#include "hotkey/PasteKeystrokeTable.h"
#include "settings/AppSettings.h"

Q_DECLARE_METATYPE(Keystroke)

namespace {

const RunningApp kEditor{100, QStringLiteral("Editor"), 7};
const RunningApp kSelf{4242, QStringLiteral("Quillstack"), 1};

struct Rig {
    ManualScheduler scheduler;
    FakeWorkspace workspace{scheduler};
    FakeKeyInjector injector{scheduler};
    FakePasteboard pasteboard;
    MemoryKeyValueStore store;
    FakeLoginItems loginItems;
    AppSettings settings{store, loginItems, {}};
    PasteDelivery delivery{workspace, injector, scheduler, settings, pasteboard};

    // As the popup hands on a paste: the record written, our popup still in front.
    void deliver(const std::optional<RunningApp>& target) {
        pasteboard.setString(QStringLiteral("B"));
        workspace.frontmost = kSelf;
        delivery.deliver(target);
    }
};

}  // namespace

class TestPasteKeystroke : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Rows: user entry ("name=keystroke" or none), instance, class, expected; the constants'
    // numbers are pinned where the delivery types them.
    void keystrokeFor_data() {
        QTest::addColumn<QString>("userEntry");
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("className");
        QTest::addColumn<Keystroke>("expected");
        const Keystroke v = PasteKeystrokeTable::controlV;
        const Keystroke sv = PasteKeystrokeTable::controlShiftV;
        const Keystroke ins = PasteKeystrokeTable::shiftInsert;
        const auto row = [](const char* name, const char* entry, const char* instance,
                            const char* className, Keystroke expected) {
            QTest::newRow(name) << QString::fromUtf8(entry) << QString::fromUtf8(instance)
                                << QString::fromUtf8(className) << expected;
        };
        row("editor", "", "gedit", "Gedit", v);
        row("by instance", "", "lxterminal", "Lxterminal", sv);
        row("class only", "", "", "org.wezfurlong.wezterm", sv);
        // Wayland app ids, as the workspace passes them: the last part lower-cased, then the id.
        row("whole app id", "", "terminal", "org.gnome.Terminal", sv);
        row("app id's last part", "", "ghostty", "com.mitchellh.ghostty", sv);
        row("primary, any case", "", "URXVT", "URXVT", ins);
        row("renamed instance", "", "work", "XTerm", ins);
        row("user, any case", "mYtErM=ctrl+shift+v", "myterm", "MyTerm", sv);
        row("user over built-in", "XTerm=Ctrl+Shift+V", "xterm", "XTerm", sv);
        row("user by instance", "scratch=Shift+Ins", "scratch", "Kitty", ins);
        row("user Alt and Super", "Odd=Alt+Super+P", "", "odd",
            {ModifierFlag::Option | ModifierFlag::Command, 35});
        for (const char* garbage :
             {"XTerm=", "XTerm=Ctrl+", "XTerm=Hyper+V", "XTerm=Ctrl+Ctrl+V", "XTerm=Ctrl+Ü"}) {
            row(garbage, garbage, "xterm", "XTerm", ins);
        }
    }
    void keystrokeFor() {
        QFETCH(QString, userEntry);
        QFETCH(QString, instance);
        QFETCH(QString, className);
        QMap<QString, QString> entries;
        if (!userEntry.isEmpty()) {
            entries.insert(userEntry.section(u'=', 0, 0), userEntry.section(u'=', 1));
        }
        QTEST(PasteKeystrokeTable(entries).keystrokeFor(instance, className), "expected");
    }

    // The keystroke goes at once into a target already in front, else once its activation took
    // effect, after a pause with nothing to activate, after a second at most; never before the
    // clipboard write is confirmed, and not at all when the write did not take.
    void timing_data() {
        QTest::addColumn<QString>("target");            // "editor", "self" or none
        QTest::addColumn<qint64>("activationDelayMs");  // < 0: never takes effect
        QTest::addColumn<qint64>("confirmAtMs");        // < 0: confirmed at once
        QTest::addColumn<bool>("taken");
        QTest::addColumn<qint64>("keystrokeMs");  // < 0: none
        QTest::addColumn<int>("activations");
        QTest::newRow("target in front") << "editor" << 0LL << -1LL << true << 0LL << 1;
        QTest::newRow("slow activation") << "editor" << 60LL << -1LL << true << 60LL << 1;
        QTest::newRow("activation never lands") << "editor" << -1LL << -1LL << true << 1000LL << 1;
        QTest::newRow("opened over itself") << "self" << 0LL << -1LL << true << 100LL << 0;
        QTest::newRow("nothing in front") << "" << 0LL << -1LL << true << 100LL << 0;
        QTest::newRow("late confirmation") << "editor" << 0LL << 30LL << true << 30LL << 1;
        QTest::newRow("confirmed first") << "editor" << 60LL << 10LL << true << 60LL << 1;
        QTest::newRow("write lost") << "editor" << 0LL << 30LL << false << -1LL << 1;
    }
    void timing() {
        QFETCH(QString, target);
        QFETCH(qint64, confirmAtMs);
        QFETCH(bool, taken);
        QFETCH(qint64, keystrokeMs);
        Rig rig;
        QFETCH(qint64, activationDelayMs);
        rig.workspace.activationDelayMs = activationDelayMs;
        rig.pasteboard.setHoldConfirmations(confirmAtMs >= 0);
        const qint64 t0 = rig.scheduler.monotonicMs();
        if (confirmAtMs >= 0) {
            rig.scheduler.postDelayed(int(confirmAtMs),
                                      [&] { rig.pasteboard.confirmWrites(taken); });
        }
        rig.deliver(target == u"editor" ? std::optional(kEditor)
                    : target == u"self" ? std::optional(kSelf)
                                        : std::nullopt);
        QCOMPARE(rig.injector.timesMs.size(), keystrokeMs == 0 ? 1 : 0);
        QTEST(int(rig.workspace.activations.size()), "activations");
        QCOMPARE(rig.workspace.yields.size(), rig.workspace.activations.size());
        if (keystrokeMs > 0) {
            rig.scheduler.advance(keystrokeMs - 1);
            QVERIFY(rig.injector.timesMs.isEmpty());
        }
        rig.scheduler.advance(5000 - (rig.scheduler.monotonicMs() - t0));
        QCOMPARE(rig.injector.timesMs,
                 keystrokeMs < 0 ? QList<qint64>() : QList<qint64>{t0 + keystrokeMs});
    }

    // The target's window class picks the keystroke, the settings file included; a terminal
    // that pastes the primary selection gets the item there too. A keystroke that cannot be
    // made is not retried.
    void keystrokeFollowsTheTarget_data() {
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<Keystroke>("keystroke");
        QTest::newRow("xterm") << "XTerm" << PasteKeystrokeTable::shiftInsert;
        QTest::newRow("settings entry") << "MyTerm" << PasteKeystrokeTable::shiftInsert;
        QTest::newRow("settings entry not text") << "Broken" << PasteKeystrokeTable::controlV;
    }
    void keystrokeFollowsTheTarget() {
        QFETCH(QString, windowClass);
        QFETCH(Keystroke, keystroke);
        Rig rig;
        rig.store.seed(QStringLiteral("PasteKeystrokes/myterm"), QStringLiteral("Shift+Insert"));
        rig.store.seed(QStringLiteral("PasteKeystrokes/Broken"), 7);
        RunningApp target = kEditor;
        target.windowClass = windowClass;
        rig.deliver(target);
        rig.scheduler.advance(2000);
        QCOMPARE(rig.injector.keystrokes, QList<Keystroke>{keystroke});
        const bool primary = keystroke == PasteKeystrokeTable::shiftInsert;
        QCOMPARE(rig.pasteboard.primaryOffers(),
                 primary ? QList<qsizetype>{1} : QList<qsizetype>{});

        rig.injector.failing = true;
        rig.deliver(target);
        rig.scheduler.advance(2000);
        QCOMPARE(rig.injector.attempts, 2);
    }
};

QTEST_GUILESS_MAIN(TestPasteKeystroke)
#include "tst_paste_keystroke.moc"
