#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "FakeLoginItems.h"
#include "MemoryKeyValueStore.h"
#include "settings/AppSettings.h"

namespace {

const QString kApple = QStringLiteral("AppleLanguages");
const QString kLang = QStringLiteral("preferredLanguage");

// A settings object over a seeded store.
struct Fixture {
    explicit Fixture(const QStringList& extraArgs = {}, const QVariantMap& seed = {}) {
        for (auto it = seed.begin(); it != seed.end(); ++it) {
            store.seed(it.key(), it.value());
        }
        settings = std::make_unique<AppSettings>(
            store, login, QStringList{QStringLiteral("/usr/bin/quillstack")} + extraArgs);
    }
    MemoryKeyValueStore store;
    FakeLoginItems login;
    std::unique_ptr<AppSettings> settings;
};

}  // namespace

class TestAppSettings : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // What an INI file gives back is strings for everything; other kinds, a key code beyond 16
    // bits or a negative limit give the defaults. Only "AppleLanguages" is written ("system"
    // removes it), and the login service is not asked.
    void initialValues_data() {
        QTest::addColumn<QVariantList>("stored");  // language, onboarding, login, modifiers, key,
        QTest::addColumn<QString>("values");       // limit, minutes; as read back
        QTest::newRow("empty") << QVariantList{} << "system|0|1|120000|9|50|0";
        QTest::newRow("as an INI file gives them")
            << QVariantList{"", "true", "false", "1966080", "49", "200", "15"}
            << "|1|0|1e0000|49|200|15";
        QTest::newRow("wrong kinds")
            << QVariantList{7, "yes", 0, "command", "4294967305", "-3", 5.0}
            << "system|0|1|120000|9|50|0";
    }
    void initialValues() {
        QFETCH(QVariantList, stored);
        QVariantMap seed{{kApple, QStringList{"de", "en"}}};
        const QStringList keys{
            kLang,           "onboardingCompleted", "launchAtLogin",    "hotkeyModifiers",
            "hotkeyKeyCode", "bufferLimit",         "autoDeleteMinutes"};
        for (qsizetype i = 0; i < stored.size(); ++i) {
            seed.insert(keys[i], stored[i]);
        }
        const Fixture f({}, seed);
        const AppSettings& s = *f.settings;
        QTEST(QStringList({s.preferredLanguage(), QString::number(s.onboardingCompleted()),
                           QString::number(s.launchAtLogin()),
                           QString::number(s.hotkeyModifiers(), 16),
                           QString::number(s.hotkeyKeyCode()), QString::number(s.bufferLimit()),
                           QString::number(s.autoDeleteMinutes())})
                  .join(u'|'),
              "values");
        QCOMPARE(f.store.writtenKeys(), QStringList{kApple});
        QVERIFY(f.login.calls().isEmpty());
    }

    void languageArgument() {
        Fixture de({"--language", "de"});
        QCOMPARE(std::tuple(de.settings->preferredLanguage(), de.store.value(kLang).toString(),
                            de.store.value(kApple).toStringList()),
                 std::tuple(QString("de"), QString("de"), QStringList{"de", "en"}));
        QCOMPARE(Fixture({"--language", "en"}).store.value(kApple).toStringList(),
                 QStringList{"en"});
        Fixture system({"--language", "system"}, {{kLang, "ru"}, {kApple, QStringList{"ru"}}});
        QCOMPARE(system.store.value(kLang), QVariant(QStringLiteral("system")));
        QVERIFY(!system.store.contains(kApple));

        // Only the first "--language" counts; a trailing one is ignored and nothing is stored.
        Fixture twice({"--language", "fr", "--language", "ja"});
        QCOMPARE(twice.settings->preferredLanguage(), QStringLiteral("fr"));
        Fixture trailing({"--language"}, {{kLang, "ko"}});
        QCOMPARE(trailing.settings->preferredLanguage(), QStringLiteral("ko"));
        QCOMPARE(trailing.store.writtenKeys(), QStringList{kApple});
        // The composition root's repeat of the scan stores the same way.
        MemoryKeyValueStore store;
        QCOMPARE(AppSettings::startupLanguage(store, {"x", "--language", "es"}), "es");
        QCOMPARE(AppSettings::startupLanguage(store, {"x", "--language"}), "es");
    }

    void assignments() {
        Fixture f;
        AppSettings& s = *f.settings;
        f.store.clearWrites();
        QSignalSpy hotkey(&s, &AppSettings::hotkeyAssigned);
        QSignalSpy willChange(&s, &AppSettings::willChange);
        QVariantList storedDuringEffect;
        connect(&s, &AppSettings::bufferLimitAssigned, this,
                [&] { storedDuringEffect << f.store.value("bufferLimit"); });
        connect(&s, &AppSettings::autoDeleteMinutesAssigned, this,
                [&] { storedDuringEffect << f.store.value("autoDeleteMinutes"); });

        // Equal values still store and still run the side effects, after the value is stored;
        // a negative limit is handed on as 0.
        s.setBufferLimit(50);
        s.setAutoDeleteMinutes(0);
        s.setHotkeyModifiers(0x120000);
        s.setHotkeyKeyCode(9);
        s.setOnboardingCompleted(false);
        s.setBufferLimit(-10);
        QCOMPARE(hotkey.count(), 2);
        QCOMPARE(willChange.count(), 6);
        QCOMPARE(storedDuringEffect, (QVariantList{qint64(50), qint64(0), qint64(0)}));
        QCOMPARE(f.store.writtenKeys(),
                 (QStringList{"bufferLimit", "autoDeleteMinutes", "hotkeyModifiers",
                              "hotkeyKeyCode", "onboardingCompleted", "bufferLimit"}));
        QCOMPARE(s.bufferLimit(), qint64(0));

        s.setHotkeyModifiers(0x1C0000);
        s.setOnboardingCompleted(true);
        AppSettings again(f.store, f.login, {});
        QCOMPARE(again.hotkeyDisplayString(), QStringLiteral("Super+Ctrl+Alt+V"));
        QVERIFY(again.onboardingCompleted());
    }

    void languageChange() {
        Fixture f({"--language", "de"});
        AppSettings& s = *f.settings;
        f.store.clearWrites();
        QSignalSpy willChange(&s, &AppSettings::willChange);
        QSignalSpy changed(&s, &AppSettings::preferredLanguageChanged);
        s.setPreferredLanguage(QStringLiteral("de"));
        QVERIFY(f.store.writes().isEmpty() && changed.isEmpty());
        QCOMPARE(willChange.count(), 1);  // the assignment's own, no extra one
        s.setPreferredLanguage(QStringLiteral("ja"));
        QCOMPARE(willChange.count(), 3);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(f.store.value(kApple).toStringList(), (QStringList{"ja", "en"}));
    }

    void loginItemFailureTurnsSettingOff() {
        Fixture ok;
        ok.settings->setLaunchAtLogin(true);
        QCOMPARE(ok.login.calls(), QStringList{"register"});
        QCOMPARE(ok.store.value("launchAtLogin"), QVariant(true));

        Fixture refused;
        refused.login.setRegisterResult(false);
        QSignalSpy changed(refused.settings.get(), &AppSettings::launchAtLoginChanged);
        refused.settings->setLaunchAtLogin(true);
        QCOMPARE(
            std::tuple(refused.settings->launchAtLogin(), refused.login.calls(), changed.count()),
            std::tuple(false, QStringList{"register", "unregister"}, 2));
        // Both requests fail: the revert runs once and stops, and the setting is not left on.
        refused.login.setUnregisterResult(false);
        for (bool value : {true, false}) {
            refused.login.clearCalls();
            refused.settings->setLaunchAtLogin(value);
            QCOMPARE(refused.login.calls().size(), 2);
            QCOMPARE(refused.store.value("launchAtLogin"), QVariant(false));
        }
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_app_settings.moc"
