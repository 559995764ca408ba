#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <memory>

#include "FakeLoginItems.h"
#include "MemoryKeyValueStore.h"
#include "TestHelpers.h"
#include "platform/freedesktop/DesktopShortcutSettings.h"
#include "platform/freedesktop/XdgAutostart.h"
#include "platform/freedesktop/XdgFolders.h"
#include "platform/qt/SettingsStore.h"
#include "settings/AppSettings.h"
#include "settings/L10n.h"

// The settings and what lives in files of the user's own: the settings file, the autostart
// entry, the string tables.
namespace {
const QString kTables = QStringLiteral(":/testl10n/");
QString text(const char* key) {
    return L10n::string(QString::fromUtf8(key));
}
void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
// What a launcher makes of an Exec value holding one argument: the string escapes first, then
// the quoting, then the field codes.
QString launchedProgram(const QString& value) {
    static const QMap<QChar, QChar> escapes{
        {u'n', u'\n'}, {u't', u'\t'}, {u'r', u'\r'}, {u's', u' '}};
    QString s;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const bool escaped = value[i] == u'\\' && i + 1 < value.size();
        s += escaped ? escapes.value(value[i + 1], value[i + 1]) : value[i];
        i += escaped;
    }
    if (s.startsWith(u'"')) {
        QString argument;
        qsizetype i = 1;
        for (; i < s.size() && s[i] != u'"'; ++i) {
            argument += s[i += (s[i] == u'\\' && i + 1 < s.size())];
        }
        s = i == s.size() - 1 ? argument : QStringLiteral("<not one quoted argument>");
    }
    return s.replace(QStringLiteral("%%"), QStringLiteral("%"));
}
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

class TestSettingsFiles : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Every reader answers only for a value of its own kind, written the way INI files hold it.
    void typedReadersCheckKinds() {
        MemoryKeyValueStore store;
        const auto with = [&](const QVariant& v) -> const KeyValueStore& {
            store.seed("k", v);
            return store;
        };
        QVERIFY(!with({}).boolValue("k") && !store.stringListValue("k"));
        QCOMPARE(with("false").boolValue("k"), std::optional<bool>(false));
        QVERIFY(!with("TRUE").boolValue("k") && !with(1).boolValue("k") &&
                !with(true).intValue("k"));
        QCOMPARE(with("-42").intValue("k"), std::optional<qint64>(-42));
        QCOMPARE(store.uintValue("k"), std::nullopt);
        QCOMPARE(with("18446744073709551615").uintValue("k"), std::optional<quint64>(~0ULL));
        QCOMPARE(store.intValue("k"), std::nullopt);  // too big for a signed number
        for (const char* junk : {"12.0", " 12", "12abc", "0x10", "", "--1"}) {
            QVERIFY2(!with(junk).intValue("k") && !store.uintValue("k"), junk);
        }
        QCOMPARE(with("en").stringListValue("k"), std::optional<QStringList>(QStringList{"en"}));
        QVERIFY(!with(QVariantList{"a", 3}).stringListValue("k") && !with(5).stringValue("k"));
    }

    // Values round-trip through the file; the paste keystroke group as a user writes it by
    // hand is listed, and a list there is not a keystroke.
    void valuesSurviveTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillstack.conf");
        writeFile(path, "[PasteKeystrokes]\nURxvt=Shift+Insert\nMyTerm=Ctrl+Shift+V\nBoth=a, b\n");
        {
            SettingsStore store(path);
            store.setValue("hotkeyModifiers", QVariant::fromValue<quint64>(0x120000));
            store.setValue("bufferLimit", QVariant::fromValue<qint64>(-5));
            store.setValue("AppleLanguages", QStringList{"ru", "en"});
            store.setValue("gone", 1);
            store.remove("gone");
        }
        const SettingsStore store(path);
        QCOMPARE(std::tuple(store.uintValue("hotkeyModifiers"), store.intValue("bufferLimit")),
                 std::tuple(std::optional<quint64>(0x120000), std::optional<qint64>(-5)));
        QCOMPARE(store.stringListValue("AppleLanguages").value_or(QStringList()),
                 (QStringList{"ru", "en"}));
        QVERIFY(!store.contains("gone"));
        QStringList keys = store.keysUnder("PasteKeystrokes");
        keys.sort();
        QCOMPARE(keys, QStringList({"Both", "MyTerm", "URxvt"}));
        QCOMPARE(store.stringValue("PasteKeystrokes/URxvt"), QString("Shift+Insert"));
        QCOMPARE(store.stringValue("PasteKeystrokes/Both"), std::nullopt);
    }

    // What lies in the folder before the first start of this version: the older file, the new
    // one, or a link. The older file is taken over only when nothing stands at the new name.
    void olderFileTakenOver_data() {
        QTest::addColumn<QString>("found");    // "ini" or "conf" with a limit of 30 or 40; "link":
        QTest::addColumn<int>("bufferLimit");  // the ini links elsewhere; "dangling": the conf
        QTest::addColumn<bool>("iniRemains");  // links to nothing
        QTest::newRow("older only") << "ini" << 30 << false;
        QTest::newRow("both, new wins") << "ini conf" << 40 << true;
        QTest::newRow("neither") << "" << -1 << false;
        QTest::newRow("new name dangles") << "ini dangling" << -1 << true;
        QTest::newRow("older is a link") << "ini link" << 30 << false;
    }
    void olderFileTakenOver() {
        QFETCH(QString, found);
        const bool link = found.contains("link"), dangling = found.contains("dangling");
        QTemporaryDir config;
        const QString folder = config.filePath("Quillstack");
        const QString iniPath = folder + "/Quillstack.ini", confPath = folder + "/Quillstack.conf";
        QVERIFY(QDir().mkpath(folder));
        const QString iniFile = link ? config.filePath("dotfiles/quillstack.ini") : iniPath;
        if (found.contains("ini")) {
            writeFile(iniFile, "[General]\nbufferLimit=30\n");
        }
        if (found.contains("conf")) {
            writeFile(confPath, "[General]\nbufferLimit=40\n");
        }
        QVERIFY(!link || QFile::link(iniFile, iniPath));
        QVERIFY(!dangling || QFile::link(config.filePath("nowhere"), confPath));

        const ScopedEnv configEnv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const SettingsStore store;
        QCOMPARE(store.fileName(), confPath);
        QTEST(int(store.intValue("bufferLimit").value_or(-1)), "bufferLimit");
        QTEST(QFileInfo(iniPath).isSymLink() || QFile::exists(iniPath), "iniRemains");
        QCOMPARE(QFileInfo(confPath).isSymLink(), dangling || link);
        // Nothing is written before a setting changes.
        QCOMPARE(QFileInfo(confPath).isSymLink() || QFile::exists(confPath), !found.isEmpty());
    }

    // A file made by the program is the user's alone; a mode the user chose stays.
    void fileModeKept() {
        for (const int before : {-1, 0640}) {
            QTemporaryDir dir;
            const QString path = dir.filePath("sub/Quillstack.conf");
            if (before >= 0) {
                writeFile(path, "[General]\nbufferLimit=5\n");
                QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(before)), 0);
            }
            SettingsStore(path).setValue("bufferLimit", 9);
            QCOMPARE(modeOf(path) & 07777, mode_t(before < 0 ? 0600 : before));
            QCOMPARE(SettingsStore(path).intValue("bufferLimit"), std::optional<qint64>(9));
        }
    }

    // Each base folder from its variable; unset, empty or relative values fall back. "@" stands
    // for the home folder.
    void baseFolders() {
        const ScopedEnv home("HOME", "/home/ann");
        for (const auto& [variable, value, folder] :
             {std::tuple("XDG_CONFIG_HOME", "/cfg", "/cfg"),
              {"XDG_CONFIG_HOME", "cfg", "@/.config"},
              {"XDG_CONFIG_HOME", nullptr, "@/.config"},
              {"XDG_CACHE_HOME", "/var/c/", "/var/c/"},
              {"XDG_CACHE_HOME", "", "@/.cache"},
              {"XDG_RUNTIME_DIR", "/run/user//7/", "/run/user/7"},
              {"XDG_RUNTIME_DIR", "run", ""}}) {
            const ScopedEnv env(variable, value ? std::optional<QByteArray>(value) : std::nullopt);
            const QString found =
                variable[4] == 'C'
                    ? (variable[5] == 'O' ? XdgFolders::configHome() : XdgFolders::cacheHome())
                    : XdgFolders::runtimeDir();
            QCOMPARE(found, QString(folder).replace(u'@', QStringLiteral("/home/ann")));
        }
    }

    void registerAndUnregister() {
        QTemporaryDir dir;
        XdgAutostart autostart(dir.path() + "/config", "/opt/quillstack/bin/quillstack");
        QVERIFY(autostart.unregisterApp());  // nothing there yet is fine
        QVERIFY(autostart.registerApp());
        QVERIFY(autostart.registerApp());  // replaced, not appended to
        QFile file(autostart.entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[Desktop Entry]\nType=Application\nName=Quillstack\n"
                                            "Icon=quillstack\nExec=/opt/quillstack/bin/quillstack\n"
                                            "Terminal=false\n"
                                            "X-GNOME-Autostart-enabled=true\nNoDisplay=false\n"));
        QVERIFY(autostart.unregisterApp() && !QFile::exists(autostart.entryPath()));

        // A file where the autostart folder should be: unwritable, whoever runs the test.
        writeFile(dir.path() + "/blocked/autostart", {});
        QVERIFY(!XdgAutostart(dir.path() + "/blocked", "/usr/bin/quillstack").registerApp());
        // Without an absolute program path there is nothing sound to start.
        QVERIFY(!XdgAutostart(dir.path() + "/rel", "quillstack").registerApp());
        QVERIFY(!QFile::exists(dir.path() + "/rel/autostart/quillstack.desktop"));
    }

    // Whatever the folder holding the program is called, the entry is valid and starts it.
    void entryStartsTheProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("shell characters") << "/opt/q$HOME`id`/a'b\"c\\d;e&f|g*h?(i)#~/quillstack";
        QTest::newRow("percent, space") << "/opt/100% sure/quillstack";
        QTest::newRow("line break") << "/opt/a\nb/quillstack";
    }
    void entryStartsTheProgram() {
        QFETCH(QString, program);
        QTemporaryDir dir;
        XdgAutostart autostart(dir.path(), program);
        QVERIFY(autostart.registerApp());
        QFile file(autostart.entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString entry = QString::fromUtf8(file.readAll());
        QCOMPARE(entry.count(QRegularExpression(QStringLiteral("(?m)^Exec="))), 1);
        QCOMPARE(
            launchedProgram(
                QRegularExpression(QStringLiteral("(?m)^Exec=(.*)$")).match(entry).captured(1)),
            program);

        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty()) {
            QSKIP("desktop-file-validate is not installed (tools/deps installs it)");
        }
        QProcess check;
        check.start(validator, {autostart.entryPath()});
        QVERIFY(check.waitForFinished(10000));
        const QByteArray report = check.readAllStandardOutput() + check.readAllStandardError();
        QVERIFY2(check.exitCode() == 0 && report.isEmpty(), report.constData());
    }

    void desktopShortcutCommand() {
        const QStringList all{"gnome-control-center", "systemsettings", "systemsettings5",
                              "xfce4-keyboard-settings"};
        for (const auto& [desktop, installed, command] :
             {std::tuple(QString("ubuntu:GNOME"), all, "gnome-control-center keyboard"),
              {"KDE", all, "systemsettings kcm_keys"},
              {"KDE", {"systemsettings5"}, "systemsettings5 kcm_keys"},
              {"XFCE", {"gnome-control-center"}, ""},
              {"LXQt", all, ""}}) {
            const QStringList run = DesktopShortcutSettings::command(
                desktop, [&](const QString& program) { return installed.contains(program); });
            QCOMPARE(run.join(u' '), QString(command));
        }
    }

    // A missing text falls back to the start-up language, then the key; English shows its own
    // wording or the key. Tables are loaded once, a missing one looked for on every call.
    void lookupAndFallback() {
        L10n::configure(&s, QStringLiteral("ru"), kTables);
        QCOMPARE(text("Hello"), QStringLiteral("Привет"));  // "system": the start-up table
        QCOMPARE(L10n::cachedLanguagesForTesting(), QStringList{"ru"});
        QCOMPARE(text("Not anywhere"), QStringLiteral("Not anywhere"));
        s.setPreferredLanguage(QStringLiteral("de"));
        QCOMPARE(text("Only in Russian"), QStringLiteral("Только по-русски"));
        // A German text identical to its key counts as missing.
        QCOMPARE(text("Same in German"), QStringLiteral("Одинаково по-немецки"));
        for (const char* code : {"en", "de", "en"}) {
            s.setPreferredLanguage(QString::fromUtf8(code));
        }
        QCOMPARE(text("Only in Russian"), QStringLiteral("English wording"));
        QCOMPARE(text("Hello"), QStringLiteral("Hello"));
        QCOMPARE(L10n::loadAttemptsForTesting(), 3);
        s.setPreferredLanguage(QStringLiteral("xx"));
        QCOMPARE(text("Hello"), QStringLiteral("Привет"));
        QCOMPARE(text("Hello"), QStringLiteral("Привет"));
        QCOMPARE(L10n::loadAttemptsForTesting(), 5);
        QCOMPARE(L10n::cachedLanguagesForTesting(), (QStringList{"de", "en", "ru"}));
        // A code that looks like a path never reaches the file system.
        s.setPreferredLanguage(QStringLiteral("../testl10n/de"));
        QCOMPARE(text("Hello"), QStringLiteral("Привет"));
        QCOMPARE(L10n::loadAttemptsForTesting(), 5);
        L10n::configure(&s, QString(), kTables);
        s.setPreferredLanguage(QStringLiteral("de"));
        QCOMPARE(text("Only in Russian"), QStringLiteral("Only in Russian"));
    }

    void formatting() {
        L10n::configure(&s, QStringLiteral("de"), kTables);
        QCOMPARE(L10n::string("Paste from history: %@ — opens list of recent copies.", {"⌘⇧V"}),
                 "Aus dem Verlauf einfügen: ⌘⇧V — öffnet die Liste der letzten Kopien.");
        // Arguments are inserted literally; missing ones leave nothing; stray percent signs stay.
        QCOMPARE(L10n::format("%@ and %@", {"%@", "b"}), QStringLiteral("%@ and b"));
        QCOMPARE(L10n::format("%2$@ before %1$@", {"a", "b"}), QStringLiteral("b before a"));
        QCOMPARE(L10n::format("100%% of %@|%@|%3$@|%d|%", {"x"}),
                 QStringLiteral("100% of x|||%d|%"));
    }

    void languageMatching() {
        const QList<QPair<QStringList, QString>> cases = {
            {{"de-AT", "en-US"}, "de"}, {{"zh-Hans-CN", "zh-CN"}, "zh-Hans"},
            {{"zh-SG"}, "zh-Hans"},     {{"zh-TW", "ja-JP"}, "ja"},
            {{"pt-PT"}, "pt-BR"},       {{"sv-SE", "fr_CA"}, "fr"},
            {{"sv", ""}, "en"},
        };
        for (const auto& [languages, expected] : cases) {
            QCOMPARE(L10n::matchLanguage(languages), expected);
        }
        // What one run stores is what the next starts from; "system" leaves it to the system.
        MemoryKeyValueStore store;
        AppSettings::applyLanguage(store, QStringLiteral("ru"));
        QCOMPARE(L10n::startupFallbackLanguage(store), QStringLiteral("ru"));
        AppSettings::applyLanguage(store, QStringLiteral("system"));
        QCOMPARE(L10n::startupFallbackLanguage(store),
                 L10n::matchLanguage(QLocale::system().uiLanguages()));
        store.seed("AppleLanguages", QStringLiteral("zh-Hans"));  // a one-element list in an INI
        QCOMPARE(L10n::startupFallbackLanguage(store), QStringLiteral("zh-Hans"));
    }

    void embeddedTables() {
        L10n::configure(&s, QStringLiteral("en"));
        for (const auto& option : AppSettings::languageOptions()) {
            s.setPreferredLanguage(option.code);
            QVERIFY2((text("No items") == QStringLiteral("No items")) == (option.code == u"en"),
                     qPrintable(option.code));
        }
        QCOMPARE(L10n::cachedLanguagesForTesting().size(), AppSettings::languageOptions().size());
    }

    void init() { s.setPreferredLanguage(QStringLiteral("system")); }
    void cleanup() { L10n::configure(nullptr, QString()); }

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

  private:
    MemoryKeyValueStore m_store;
    FakeLoginItems m_login;
    AppSettings s{m_store, m_login, {}};
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settings_files.moc"
