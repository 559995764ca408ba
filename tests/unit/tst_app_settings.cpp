#include <QSignalSpy>
#include <QTest>

#include "FakeLoginItems.h"
#include "MemoryKeyValueStore.h"
#include "app/AppLogger.h"
#include "settings/AppSettings.h"

namespace {

const QString kApple = QStringLiteral("AppleLanguages");

QStringList args(std::initializer_list<const char*> rest) {
    QStringList list{QStringLiteral("/usr/bin/quillstack")};
    for (const char* a : rest) {
        list.append(QString::fromUtf8(a));
    }
    return list;
}

// Captures AppLogger lines for the life of the object.
class LogCapture {
  public:
    LogCapture() {
        AppLogger::setSinkForTesting([this](const QString& line) { m_lines.append(line); });
    }
    ~LogCapture() { AppLogger::setSinkForTesting({}); }
    const QStringList& lines() const { return m_lines; }

  private:
    QStringList m_lines;
};

}  // namespace

class TestAppSettings : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void emptyStoreGivesDefaultsAndWritesOnlyLanguageList();
    void languageArgument();
    void storedKindsAreChecked();
    void outOfRangeStoredValues();
    void assignmentsStoreAndRunSideEffects();
    void languageChange();
    void displayString();
    void modifierFlagsMatch();
    void loginItemFailureTurnsSettingOff();
    void startupLanguageRepeatsTheScan();
};

void TestAppSettings::emptyStoreGivesDefaultsAndWritesOnlyLanguageList() {
    MemoryKeyValueStore store;
    store.seed(kApple, QStringList{QStringLiteral("de"), QStringLiteral("en")});
    FakeLoginItems login;
    AppSettings settings(store, login, args({}));

    QCOMPARE(settings.preferredLanguage(), QStringLiteral("system"));
    QCOMPARE(settings.onboardingCompleted(), false);
    QCOMPARE(settings.launchAtLogin(), true);
    QCOMPARE(settings.hotkeyModifiers(), quint64(0x120000));
    QCOMPARE(settings.hotkeyKeyCode(), quint16(9));
    QCOMPARE(settings.bufferLimit(), qint64(50));
    QCOMPARE(settings.autoDeleteMinutes(), qint64(0));
    QCOMPARE(settings.hotkeyDisplayString(), QStringLiteral("⌘⇧V"));
    // "system" removes the list; nothing else is stored and the login service is not asked.
    QCOMPARE(store.writes().size(), 1);
    QCOMPARE(store.writes().at(0).key, kApple);
    QVERIFY(store.writes().at(0).removed);
    QVERIFY(!store.contains(kApple));
    QVERIFY(login.calls().isEmpty());
}

void TestAppSettings::languageArgument() {
    {
        LogCapture log;
        MemoryKeyValueStore store;
        FakeLoginItems login;
        AppSettings settings(store, login, args({"--language", "de"}));
        QCOMPARE(settings.preferredLanguage(), QStringLiteral("de"));
        QCOMPARE(store.value(QStringLiteral("preferredLanguage")).toString(), QStringLiteral("de"));
        QCOMPARE(store.value(kApple).toStringList(),
                 (QStringList{QStringLiteral("de"), QStringLiteral("en")}));
        QCOMPARE(log.lines(),
                 (QStringList{
                     QStringLiteral("[Language] AppSettings.init: язык из аргумента --language de"),
                     QStringLiteral("[Language] AppSettings.init: применяю язык 'de'"),
                     QStringLiteral("[Language] applyLanguage('de')"),
                     QStringLiteral("[Language] applyLanguage: AppleLanguages = [de, en]"),
                     QStringLiteral("[Language] AppSettings.init: готово preferredLanguage=de"),
                 }));
    }
    {
        MemoryKeyValueStore store;
        FakeLoginItems login;
        AppSettings settings(store, login, args({"--language", "en"}));
        QCOMPARE(store.value(kApple).toStringList(), QStringList{QStringLiteral("en")});
    }
    {
        // "system" from the argument is stored and removes the list; no list line is logged.
        LogCapture log;
        MemoryKeyValueStore store;
        store.seed(QStringLiteral("preferredLanguage"), QStringLiteral("ru"));
        store.seed(kApple, QStringList{QStringLiteral("ru"), QStringLiteral("en")});
        FakeLoginItems login;
        AppSettings settings(store, login, args({"--language", "system"}));
        QCOMPARE(settings.preferredLanguage(), QStringLiteral("system"));
        QCOMPARE(store.value(QStringLiteral("preferredLanguage")).toString(),
                 QStringLiteral("system"));
        QVERIFY(!store.contains(kApple));
        QVERIFY(!log.lines().join(u'\n').contains(QStringLiteral("AppleLanguages =")));
    }
    {
        // Only the first "--language" counts.
        MemoryKeyValueStore store;
        FakeLoginItems login;
        AppSettings settings(store, login, args({"--language", "fr", "--language", "ja"}));
        QCOMPARE(settings.preferredLanguage(), QStringLiteral("fr"));
        QCOMPARE(store.writtenKeys(), (QStringList{QStringLiteral("preferredLanguage"), kApple}));
    }
    {
        // A trailing "--language" is ignored: the stored value is used and nothing is stored.
        LogCapture log;
        MemoryKeyValueStore store;
        store.seed(QStringLiteral("preferredLanguage"), QStringLiteral("ko"));
        FakeLoginItems login;
        AppSettings settings(store, login, args({"--language"}));
        QCOMPARE(settings.preferredLanguage(), QStringLiteral("ko"));
        QCOMPARE(store.writtenKeys(), QStringList{kApple});
        QVERIFY(!log.lines().join(u'\n').contains(QStringLiteral("--language")));
    }
    {
        // An unknown code is accepted unchanged.
        MemoryKeyValueStore store;
        FakeLoginItems login;
        AppSettings settings(store, login, args({"--language", "xx"}));
        QCOMPARE(settings.preferredLanguage(), QStringLiteral("xx"));
        QCOMPARE(store.value(kApple).toStringList(),
                 (QStringList{QStringLiteral("xx"), QStringLiteral("en")}));
    }
}

void TestAppSettings::storedKindsAreChecked() {
    {
        // What an INI file gives back: strings for everything.
        MemoryKeyValueStore store;
        store.seed(QStringLiteral("onboardingCompleted"), QStringLiteral("true"));
        store.seed(QStringLiteral("launchAtLogin"), QStringLiteral("false"));
        store.seed(QStringLiteral("hotkeyModifiers"), QStringLiteral("1966080"));
        store.seed(QStringLiteral("hotkeyKeyCode"), QStringLiteral("49"));
        store.seed(QStringLiteral("bufferLimit"), QStringLiteral("200"));
        store.seed(QStringLiteral("autoDeleteMinutes"), QStringLiteral("15"));
        FakeLoginItems login;
        AppSettings settings(store, login, args({}));
        QCOMPARE(settings.onboardingCompleted(), true);
        QCOMPARE(settings.launchAtLogin(), false);
        QCOMPARE(settings.hotkeyModifiers(), quint64(0x1E0000));
        QCOMPARE(settings.hotkeyKeyCode(), quint16(49));
        QCOMPARE(settings.bufferLimit(), qint64(200));
        QCOMPARE(settings.autoDeleteMinutes(), qint64(15));
        QVERIFY(login.calls().isEmpty());
    }
    {
        // Values of another kind give the defaults and are not written back.
        MemoryKeyValueStore store;
        store.seed(QStringLiteral("preferredLanguage"), 7);
        store.seed(QStringLiteral("onboardingCompleted"), QStringLiteral("yes"));
        store.seed(QStringLiteral("launchAtLogin"), 0);
        store.seed(QStringLiteral("hotkeyModifiers"), QStringLiteral("command"));
        store.seed(QStringLiteral("hotkeyKeyCode"), 9.5);
        store.seed(QStringLiteral("bufferLimit"), QStringLiteral("fifty"));
        store.seed(QStringLiteral("autoDeleteMinutes"), QStringLiteral("5 minutes"));
        FakeLoginItems login;
        AppSettings settings(store, login, args({}));
        QCOMPARE(settings.preferredLanguage(), QStringLiteral("system"));
        QCOMPARE(settings.onboardingCompleted(), false);
        QCOMPARE(settings.launchAtLogin(), true);
        QCOMPARE(settings.hotkeyModifiers(), quint64(0x120000));
        QCOMPARE(settings.hotkeyKeyCode(), quint16(9));
        QCOMPARE(settings.bufferLimit(), qint64(50));
        QCOMPARE(settings.autoDeleteMinutes(), qint64(0));
        QCOMPARE(store.writtenKeys(), QStringList{kApple});
    }
    {
        // A stored empty language is used as it is.
        MemoryKeyValueStore store;
        store.seed(QStringLiteral("preferredLanguage"), QString(""));
        FakeLoginItems login;
        AppSettings settings(store, login, args({}));
        QCOMPARE(settings.preferredLanguage(), QString(""));
    }
}

void TestAppSettings::outOfRangeStoredValues() {
    const QList<QVariant> badKeyCodes = {65536, -1, QStringLiteral("4294967305")};
    for (const QVariant& bad : badKeyCodes) {
        MemoryKeyValueStore store;
        store.seed(QStringLiteral("hotkeyKeyCode"), bad);
        FakeLoginItems login;
        AppSettings settings(store, login, args({}));
        QCOMPARE(settings.hotkeyKeyCode(), quint16(9));
    }
    {
        MemoryKeyValueStore store;
        store.seed(QStringLiteral("hotkeyKeyCode"), 65535);
        store.seed(QStringLiteral("bufferLimit"), QStringLiteral("-3"));
        store.seed(QStringLiteral("hotkeyModifiers"), -1);
        FakeLoginItems login;
        AppSettings settings(store, login, args({}));
        QCOMPARE(settings.hotkeyKeyCode(), quint16(65535));
        QCOMPARE(settings.bufferLimit(), qint64(50));
        QCOMPARE(settings.hotkeyModifiers(), quint64(0x120000));
    }
    {
        // A negative limit assigned at run time is handed on as 0.
        MemoryKeyValueStore store;
        FakeLoginItems login;
        AppSettings settings(store, login, args({}));
        qint64 seen = -1;
        QObject::connect(&settings, &AppSettings::bufferLimitAssigned, &settings,
                         [&] { seen = settings.bufferLimit(); });
        settings.setBufferLimit(-10);
        QCOMPARE(seen, qint64(0));
        QCOMPARE(store.value(QStringLiteral("bufferLimit")).toLongLong(), qint64(0));
    }
}

void TestAppSettings::assignmentsStoreAndRunSideEffects() {
    MemoryKeyValueStore store;
    FakeLoginItems login;
    AppSettings settings(store, login, args({}));
    store.clearWrites();
    QSignalSpy limit(&settings, &AppSettings::bufferLimitAssigned);
    QSignalSpy autoDelete(&settings, &AppSettings::autoDeleteMinutesAssigned);
    QSignalSpy hotkey(&settings, &AppSettings::hotkeyAssigned);
    QSignalSpy willChange(&settings, &AppSettings::willChange);
    QSignalSpy onboarding(&settings, &AppSettings::onboardingCompletedChanged);

    // The side effect sees the value already stored.
    QVariant storedDuringEffect;
    QObject::connect(&settings, &AppSettings::bufferLimitAssigned, &settings,
                     [&] { storedDuringEffect = store.value(QStringLiteral("bufferLimit")); });

    // Equal values still store and still run the side effects.
    settings.setBufferLimit(50);
    settings.setAutoDeleteMinutes(0);
    settings.setHotkeyModifiers(0x120000);
    settings.setHotkeyKeyCode(9);
    settings.setOnboardingCompleted(false);
    QCOMPARE(limit.count(), 1);
    QCOMPARE(autoDelete.count(), 1);
    QCOMPARE(hotkey.count(), 2);
    QCOMPARE(onboarding.count(), 1);
    QCOMPARE(willChange.count(), 5);
    QCOMPARE(storedDuringEffect.toLongLong(), qint64(50));
    QCOMPARE(store.writtenKeys(),
             (QStringList{QStringLiteral("bufferLimit"), QStringLiteral("autoDeleteMinutes"),
                          QStringLiteral("hotkeyModifiers"), QStringLiteral("hotkeyKeyCode"),
                          QStringLiteral("onboardingCompleted")}));

    // Stored kinds: numbers as numbers, the flag as a bool.
    settings.setBufferLimit(120);
    settings.setHotkeyModifiers(0x1C0000);
    settings.setOnboardingCompleted(true);
    QCOMPARE(store.value(QStringLiteral("bufferLimit")).typeId(), int(QMetaType::LongLong));
    QCOMPARE(store.value(QStringLiteral("bufferLimit")).toLongLong(), qint64(120));
    QCOMPARE(store.value(QStringLiteral("hotkeyModifiers")).typeId(), int(QMetaType::ULongLong));
    QCOMPARE(store.value(QStringLiteral("hotkeyModifiers")).toULongLong(), quint64(0x1C0000));
    QCOMPARE(store.value(QStringLiteral("hotkeyKeyCode")).typeId(), int(QMetaType::Int));
    QCOMPARE(store.value(QStringLiteral("onboardingCompleted")).typeId(), int(QMetaType::Bool));
    QCOMPARE(settings.bufferLimit(), qint64(120));
    QCOMPARE(onboarding.last().at(0).toBool(), true);

    // The values survive into a new instance over the same store.
    AppSettings again(store, login, args({}));
    QCOMPARE(again.bufferLimit(), qint64(120));
    QCOMPARE(again.hotkeyModifiers(), quint64(0x1C0000));
    QCOMPARE(again.onboardingCompleted(), true);
}

void TestAppSettings::languageChange() {
    MemoryKeyValueStore store;
    FakeLoginItems login;
    AppSettings settings(store, login, args({"--language", "de"}));
    store.clearWrites();
    QSignalSpy willChange(&settings, &AppSettings::willChange);
    QSignalSpy changed(&settings, &AppSettings::preferredLanguageChanged);
    {
        LogCapture log;
        settings.setPreferredLanguage(QStringLiteral("de"));
        QVERIFY(store.writes().isEmpty());
        QCOMPARE(willChange.count(), 1);  // the assignment's own, no extra one
        QCOMPARE(changed.count(), 0);
        QVERIFY(log.lines().isEmpty());
    }
    willChange.clear();
    {
        LogCapture log;
        settings.setPreferredLanguage(QStringLiteral("ja"));
        QCOMPARE(settings.preferredLanguage(), QStringLiteral("ja"));
        QCOMPARE(willChange.count(), 2);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(store.value(QStringLiteral("preferredLanguage")).toString(), QStringLiteral("ja"));
        QCOMPARE(store.value(kApple).toStringList(),
                 (QStringList{QStringLiteral("ja"), QStringLiteral("en")}));
        QVERIFY(log.lines().size() >= 3);
        QCOMPARE(log.lines().at(0),
                 QStringLiteral("[Language] preferredLanguage didSet: 'de' -> 'ja'"));
        QCOMPARE(log.lines().at(1), QStringLiteral("[Language] applyLanguage('ja')"));
        QCOMPARE(log.lines().at(2),
                 QStringLiteral("[Language] applyLanguage: AppleLanguages = [ja, en]"));
    }
    settings.setPreferredLanguage(QStringLiteral("system"));
    QVERIFY(!store.contains(kApple));
    QCOMPARE(store.value(QStringLiteral("preferredLanguage")).toString(), QStringLiteral("system"));
}

void TestAppSettings::displayString() {
    QCOMPARE(AppSettings::displayString(0x120000, 9), QStringLiteral("⌘⇧V"));
    QCOMPARE(AppSettings::displayString(0x1E0000, 49), QStringLiteral("⌘⇧⌥⌃␣"));
    QCOMPARE(AppSettings::displayString(0xC0000, 49), QStringLiteral("⌥⌃␣"));
    QCOMPARE(AppSettings::displayString(0x120000, 53), QStringLiteral("⌘⇧Key53"));
    QCOMPARE(AppSettings::displayString(0x10000, 0), QStringLiteral("A"));
    // Table entries easy to get wrong: swapped digits, the punctuation and the named keys.
    QCOMPARE(AppSettings::keyCodeToChar(22), QStringLiteral("6"));
    QCOMPARE(AppSettings::keyCodeToChar(23), QStringLiteral("5"));
    QCOMPARE(AppSettings::keyCodeToChar(42), QStringLiteral("\\"));
    QCOMPARE(AppSettings::keyCodeToChar(50), QStringLiteral("`"));
    QCOMPARE(AppSettings::keyCodeToChar(36), QStringLiteral("↵"));
    QCOMPARE(AppSettings::keyCodeToChar(48), QStringLiteral("⇥"));
    QCOMPARE(AppSettings::keyCodeToChar(51), QStringLiteral("⌫"));
    QCOMPARE(AppSettings::keyCodeToChar(10), QStringLiteral("Key10"));
    QCOMPARE(AppSettings::keyCodeToChar(122), QStringLiteral("Key122"));
    int named = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        if (!AppSettings::keyCodeToChar(quint16(code)).startsWith(QStringLiteral("Key"))) {
            ++named;
        }
    }
    QCOMPARE(named, 51);
}

void TestAppSettings::modifierFlagsMatch() {
    MemoryKeyValueStore store;
    FakeLoginItems login;
    AppSettings settings(store, login, args({}));
    QVERIFY(settings.modifierFlagsMatch(0x120000 | 0x10000));  // caps lock on
    QVERIFY(settings.modifierFlagsMatch(0x120000 | 0x80000));  // option held too
    QVERIFY(!settings.modifierFlagsMatch(0x100000));           // command alone
    QVERIFY(!settings.modifierFlagsMatch(0));
    // Device-dependent low bits never count as modifiers.
    settings.setHotkeyModifiers(0x100000 | 0x8);
    QVERIFY(!settings.modifierFlagsMatch(0x100000 | 0x8));
    settings.setHotkeyModifiers(0);
    QVERIFY(settings.modifierFlagsMatch(0));
    QVERIFY(settings.modifierFlagsMatch(0x1E0000));
}

void TestAppSettings::loginItemFailureTurnsSettingOff() {
    {
        MemoryKeyValueStore store;
        FakeLoginItems login;
        AppSettings settings(store, login, args({}));
        settings.setLaunchAtLogin(true);
        QCOMPARE(login.calls(), QStringList{QStringLiteral("register")});
        QCOMPARE(store.value(QStringLiteral("launchAtLogin")).toBool(), true);
    }
    {
        MemoryKeyValueStore store;
        FakeLoginItems login;
        login.setRegisterResult(false);
        AppSettings settings(store, login, args({}));
        QSignalSpy changed(&settings, &AppSettings::launchAtLoginChanged);
        settings.setLaunchAtLogin(true);
        QCOMPARE(settings.launchAtLogin(), false);
        QCOMPARE(store.value(QStringLiteral("launchAtLogin")).toBool(), false);
        QCOMPARE(login.calls(),
                 (QStringList{QStringLiteral("register"), QStringLiteral("unregister")}));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().at(0).toBool(), false);
    }
    {
        // Both requests fail: the revert runs once and stops.
        MemoryKeyValueStore store;
        FakeLoginItems login;
        login.setRegisterResult(false);
        login.setUnregisterResult(false);
        AppSettings settings(store, login, args({}));
        settings.setLaunchAtLogin(true);
        QCOMPARE(settings.launchAtLogin(), false);
        QCOMPARE(store.value(QStringLiteral("launchAtLogin")).toBool(), false);
        QCOMPARE(login.calls(),
                 (QStringList{QStringLiteral("register"), QStringLiteral("unregister")}));
        // The cut is not left set: a later failure reverts again.
        login.clearCalls();
        settings.setLaunchAtLogin(true);
        QCOMPARE(login.calls(),
                 (QStringList{QStringLiteral("register"), QStringLiteral("unregister")}));
        login.clearCalls();
        settings.setLaunchAtLogin(false);
        QCOMPARE(login.calls(),
                 (QStringList{QStringLiteral("unregister"), QStringLiteral("unregister")}));
    }
}

void TestAppSettings::startupLanguageRepeatsTheScan() {
    MemoryKeyValueStore store;
    QCOMPARE(AppSettings::startupLanguage(store, args({})), QStringLiteral("system"));
    QVERIFY(store.writes().isEmpty());
    QCOMPARE(AppSettings::startupLanguage(store, args({"--language"})), QStringLiteral("system"));
    QVERIFY(store.writes().isEmpty());
    QCOMPARE(
        AppSettings::startupLanguage(store, args({"-v", "--language", "es", "--language", "ko"})),
        QStringLiteral("es"));
    QCOMPARE(store.value(QStringLiteral("preferredLanguage")).toString(), QStringLiteral("es"));
    // The stored value outlives the argument.
    QCOMPARE(AppSettings::startupLanguage(store, args({})), QStringLiteral("es"));
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_app_settings.moc"
