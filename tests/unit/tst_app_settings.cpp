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
    void initialValues() {
        // language|onboarding|login|modifiers|key|limit|minutes
        const auto values = [](const Fixture& f) {
            const AppSettings& s = *f.settings;
            return QStringList{s.preferredLanguage(),
                               QString::number(s.onboardingCompleted()),
                               QString::number(s.launchAtLogin()),
                               QString::number(s.hotkeyModifiers(), 16),
                               QString::number(s.hotkeyKeyCode()),
                               QString::number(s.bufferLimit()),
                               QString::number(s.autoDeleteMinutes())}
                .join(u'|');
        };
        Fixture empty({}, {{kApple, QStringList{"de", "en"}}});
        QCOMPARE(values(empty), QStringLiteral("system|0|1|120000|9|50|0"));
        // Only "AppleLanguages" is touched ("system" removes it); the login service is not asked.
        QCOMPARE(empty.store.writtenKeys(), QStringList{kApple});
        QVERIFY(empty.store.writes().at(0).removed && empty.login.calls().isEmpty());

        // What an INI file gives back: strings for everything. A stored empty language is kept.
        Fixture ini({}, {{"onboardingCompleted", "true"},
                         {"launchAtLogin", "false"},
                         {"hotkeyModifiers", "1966080"},
                         {"hotkeyKeyCode", "49"},
                         {"bufferLimit", "200"},
                         {"autoDeleteMinutes", "15"},
                         {kLang, ""}});
        QCOMPARE(values(ini), QStringLiteral("|1|0|1e0000|49|200|15"));

        // Other kinds, a key code beyond 16 bits, a negative limit: the defaults, nothing written.
        Fixture bad({}, {{kLang, 7},
                         {"onboardingCompleted", "yes"},
                         {"launchAtLogin", 0},
                         {"hotkeyModifiers", "command"},
                         {"hotkeyKeyCode", "4294967305"},
                         {"bufferLimit", "-3"},
                         {"autoDeleteMinutes", 5.0}});
        QCOMPARE(values(bad), QStringLiteral("system|0|1|120000|9|50|0"));
        QCOMPARE(bad.store.writtenKeys(), QStringList{kApple});
    }

    void languageArgument() {
        Fixture de({"--language", "de"});
        QCOMPARE(de.settings->preferredLanguage(), QStringLiteral("de"));
        QCOMPARE(de.store.value(kLang), QVariant(QStringLiteral("de")));
        QCOMPARE(de.store.value(kApple).toStringList(), (QStringList{"de", "en"}));

        QCOMPARE(Fixture({"--language", "en"}).store.value(kApple).toStringList(),
                 QStringList{"en"});
        Fixture system({"--language", "system"},
                       {{kLang, "ru"}, {kApple, QStringList{"ru", "en"}}});
        QCOMPARE(system.store.value(kLang), QVariant(QStringLiteral("system")));
        QVERIFY(!system.store.contains(kApple));

        // Only the first "--language" counts; a trailing one is ignored and nothing is stored.
        Fixture twice({"--language", "fr", "--language", "ja"});
        QCOMPARE(twice.settings->preferredLanguage(), QStringLiteral("fr"));
        QCOMPARE(twice.store.writtenKeys(), (QStringList{kLang, kApple}));
        Fixture trailing({"--language"}, {{kLang, "ko"}});
        QCOMPARE(trailing.settings->preferredLanguage(), QStringLiteral("ko"));
        QCOMPARE(trailing.store.writtenKeys(), QStringList{kApple});

        // The composition root's repeat of the scan stores the same way.
        MemoryKeyValueStore store;
        QCOMPARE(AppSettings::startupLanguage(store, {"x", "--language"}),
                 QStringLiteral("system"));
        QCOMPARE(AppSettings::startupLanguage(store, {"x", "--language", "es"}),
                 QStringLiteral("es"));
        QCOMPARE(AppSettings::startupLanguage(store, {"x"}), QStringLiteral("es"));
    }

    void assignments() {
        Fixture f;
        AppSettings& s = *f.settings;
        f.store.clearWrites();
        QSignalSpy limit(&s, &AppSettings::bufferLimitAssigned);
        QSignalSpy autoDelete(&s, &AppSettings::autoDeleteMinutesAssigned);
        QSignalSpy hotkey(&s, &AppSettings::hotkeyAssigned);
        QSignalSpy willChange(&s, &AppSettings::willChange);
        QVariant storedDuringEffect;
        connect(&s, &AppSettings::bufferLimitAssigned, this,
                [&] { storedDuringEffect = f.store.value("bufferLimit"); });

        // Equal values still store and still run the side effects, after the value is stored.
        s.setBufferLimit(50);
        s.setAutoDeleteMinutes(0);
        s.setHotkeyModifiers(0x120000);
        s.setHotkeyKeyCode(9);
        s.setOnboardingCompleted(false);
        QCOMPARE(limit.count() + autoDelete.count() + hotkey.count(), 4);
        QCOMPARE(willChange.count(), 5);
        QCOMPARE(storedDuringEffect, QVariant::fromValue<qint64>(50));
        QCOMPARE(f.store.writtenKeys(),
                 (QStringList{"bufferLimit", "autoDeleteMinutes", "hotkeyModifiers",
                              "hotkeyKeyCode", "onboardingCompleted"}));

        // A negative limit is handed on as 0.
        s.setBufferLimit(-10);
        QCOMPARE(storedDuringEffect, QVariant::fromValue<qint64>(0));
        QCOMPARE(s.bufferLimit(), qint64(0));

        s.setHotkeyModifiers(0x1C0000);
        s.setOnboardingCompleted(true);
        AppSettings again(f.store, f.login, {});
        QCOMPARE(again.hotkeyModifiers(), quint64(0x1C0000));
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
        QCOMPARE(f.store.value(kLang), QVariant(QStringLiteral("ja")));
        QCOMPARE(f.store.value(kApple).toStringList(), (QStringList{"ja", "en"}));
        s.setPreferredLanguage(QStringLiteral("system"));
        QVERIFY(!f.store.contains(kApple));
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
        QVERIFY(!refused.settings->launchAtLogin());
        QCOMPARE(refused.store.value("launchAtLogin"), QVariant(false));
        QCOMPARE(refused.login.calls(), (QStringList{"register", "unregister"}));
        QCOMPARE(changed.count(), 2);

        // Both requests fail: the revert runs once and stops, and the cut is not left set.
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
