// SPDX-License-Identifier: MIT
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <sys/stat.h>

#include "AppProcess.h"
#include "FakeAutostart.h"
#include "FakeClipboard.h"
#include "ManualScheduler.h"
#include "MemoryKeyValueStore.h"
#include "TestHelpers.h"
#include "history/RecordingGate.h"
#include "onboarding/OnboardingWizard.h"
#include "platform/WindowTracker.h"
#include "platform/freedesktop/DesktopShortcutSettings.h"
#include "platform/freedesktop/XdgAutostart.h"
#include "platform/freedesktop/XdgFolders.h"
#include "platform/qt/SettingsStore.h"
#include "settings/AppSettings.h"
#include "settings/InterfaceLanguage.h"

// The settings and what lives in files of the user's own: the settings file, the autostart
// entry, the string tables.
using namespace Qt::StringLiterals;

namespace {
const QString kApple = u"AppleLanguages"_s;
const QString kLang = u"preferredLanguage"_s;
QString configDirs() {
    return XdgFolders::configDirs().join(u':');
}
// Small string tables of the test's own under `dir`, compiled as the shipped ones are.
// Settings over a store holding `seed`, as found at start-up.
struct Fixture {
    explicit Fixture(const QStringList& arguments = {}, const QVariantMap& seed = {})
        : settings((store.values = seed, store), login,
                   QStringList{u"/usr/bin/quillstack"_s} + arguments) {}
    MemoryKeyValueStore store;
    FakeAutostart login;
    AppSettings settings;
};

}  // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // What a stored value reads as at start: INI files give strings for everything, and a value
    // of another kind, a number that is not whole or out of range, a key code beyond 16 bits or
    // a negative limit gives the default. Only the language list is written, and the login
    // service is not asked.
    void storedValues_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("read");  // AppleLanguages: the list, "-" for none
        const auto rows = [](const QString& key, const QVariantList& stored, QStringList read) {
            for (qsizetype i = 0; i < stored.size(); ++i) {
                QString shown;
                QDebug(&shown) << stored[i];
                QTest::addRow("%s %s", qPrintable(key), qPrintable(shown))
                    << key << stored[i] << read.value(i, read.last());
            }
        };
        rows(kLang, {"", 7}, {"", "system"});
        rows("onboardingCompleted", {"true", "TRUE", 1}, {"1", "0"});
        rows("launchAtLogin", {"true", false, 0}, {"1", "0", "0"});
        rows("keepHistory", {"true", "yes", 1}, {"1", "0"});
        rows("hotkeyModifiers", {"1966080", "18446744073709551615", "-5", -5, "command"},
             {"1e0000", "ffffffffffffffff", "120000"});
        rows("hotkeyKeyCode", {"65535", "65536", true}, {"0", "55"});  // no key; V
        rows("bufferLimit", {"+0", "-3", "9223372036854775808"}, {"0", "50"});
        rows("autoDeleteMinutes", {"-42", QVariant::fromValue(~0ULL), 5.0, " 12", "12abc", ""},
             {"-42", "0"});
        // INI files keep a one-element list as a plain string.
        rows(kApple, {"en", QStringList{"ru", "en"}, QVariantList{"a", 3}, QStringList{}},
             {"en", "ru,en", "-"});
    }
    void storedValues() {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        MemoryKeyValueStore found;
        found.seed(key, stored);
        const auto languages = AppSettings::storedLanguages(found);
        const Fixture f({}, found.values);
        const AppSettings& s = f.settings;
        const QMap<QString, QString> read{
            {kLang, s.preferredLanguage()},
            {"onboardingCompleted", QString::number(s.onboardingCompleted())},
            {"launchAtLogin", QString::number(s.launchAtLogin())},
            {"hotkeyModifiers", QString::number(s.chordModifiers(), 16)},
            {"hotkeyKeyCode", QString::number(s.chordKeyCode())},
            {"bufferLimit", QString::number(s.historySize())},
            {"autoDeleteMinutes", QString::number(s.autoDeleteMinutes())},
            {"keepHistory", QString::number(s.keepHistory())},
            {kApple, languages ? languages->join(u',') : u"-"_s}};
        QTEST(read.value(key), "read");
        QCOMPARE(f.store.writes, QStringList{kApple});
        QVERIFY(f.login.calls.isEmpty());
    }

    // Values round-trip through the file. A file the program makes is the user's alone; a mode
    // the user chose stays. The paste keystroke group as a user writes it by hand is listed, and
    // a list there is not a keystroke.
    void valuesSurviveTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("sub/Quillstack.conf");
        SettingsStore writer(path);
        writer.setValue("hotkeyModifiers", QVariant::fromValue<quint64>(0x120000));
        QCOMPARE(modeOf(path) & 07777, mode_t(0600));
        writer.setValue("bufferLimit", QVariant::fromValue<qint64>(-5));
        writer.setValue("gone", 1);
        writer.remove("gone");
        QVERIFY(!readFile(path).contains("gone"));  // on disk at once, not at the next write
        QVERIFY(writeFile(path,
                          "[PasteKeystrokes]\nURxvt=Shift+Insert\nMyTerm=Ctrl+Shift+V\nBoth=a, b\n",
                          QIODevice::Append));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
        SettingsStore(path).setValue(kApple, QStringList{"ru", "en"});
        QCOMPARE(modeOf(path) & 07777, mode_t(0640));

        const SettingsStore store(path);
        QCOMPARE(std::tuple(store.uintValue("hotkeyModifiers"), store.intValue("bufferLimit")),
                 std::tuple(std::optional<quint64>(0x120000), std::optional<qint64>(-5)));
        QCOMPARE(store.stringListValue(kApple).value_or(QStringList()), (QStringList{"ru", "en"}));
        QVERIFY(!store.contains("gone"));
        QStringList keys = store.keysUnder("PasteKeystrokes");
        keys.sort();
        QCOMPARE(keys, QStringList({"Both", "MyTerm", "URxvt"}));
        QCOMPARE(store.stringValue("PasteKeystrokes/URxvt"), QString("Shift+Insert"));
        QCOMPARE(store.stringValue("PasteKeystrokes/Both"), std::nullopt);

        // A folder where the file should be: defaults, said as such, the guide not reopened at
        // every start, and nothing written over it.
        const QString blocked = dir.filePath("blocked/Quillstack.conf");
        QVERIFY(QDir().mkpath(blocked));
        SettingsStore unreadable(blocked);
        AppSettings settings(unreadable, m_f.login, {});
        settings.setHistorySize(7);
        QCOMPARE(std::tuple(store.unreadableFile(), unreadable.unreadableFile(),
                            settings.onboardingCompleted(), QFileInfo(blocked).isDir()),
                 std::tuple(QString(), blocked, true, true));

        // Names match either WM_CLASS name or a Wayland app id's last part, in any case.
        const RunningApp wayland{0, {}, 1, "keepassxc", "org.keepassxc.KeePassXC"};
        const auto ignores = [&](const QStringList& names) {
            return RecordingGate::isIgnored(wayland, RecordingGate::foldedNames(names));
        };
        QVERIFY(ignores({"KEEPASSXC"}) && ignores({"org.keepassxc.keepassxc"}) &&
                !ignores({"keepass", "org", "keepassxc2"}));
    }

    // The ignored applications as a file holds them ("defaults": the default list). A value
    // that names no application gives the defaults, and the user hears of it once; a list the
    // user emptied stays empty.
    void ignoredApplicationsAsStored_data() {
        QTest::addColumn<QByteArray>("line");  // after "ignoredApplications="; none: no line
        QTest::addColumn<QStringList>("read");
        QTest::addColumn<bool>("problem");
        const QStringList defaults = AppSettings::defaultIgnoredApplications();
        QTest::newRow("missing") << QByteArray() << defaults << false;
        QTest::newRow("names") << QByteArray("1Password, Foo, foo")
                               << QStringList{"1Password", "Foo"} << false;
        QTest::newRow("emptied") << QByteArray("\"\"") << QStringList() << false;
        QTest::newRow("number") << QByteArray("42") << defaults << true;
        QTest::newRow("numbers") << QByteArray("1, 2.5") << defaults << true;
        QTest::newRow("map")
            << QByteArray(R"(@Variant(\0\0\0\b\0\0\0\x1\0\0\0\x2\0\x61\0\0\0\x2\0\0\0\x1))")
            << defaults << true;
        QTest::newRow("garbled markup") << QByteArray("@Variant(KeePassXC") << defaults << true;
        QTest::newRow("control characters") << QByteArray("\\x1\\x2") << defaults << true;
        QTest::newRow("not UTF-8") << QByteArray("Kee\xffPass") << defaults << true;
    }
    void ignoredApplicationsAsStored() {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, read);
        QFETCH(bool, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath("Quillstack.conf");
        QVERIFY(writeFile(
            path, "[General]\nbufferLimit=9\n" +
                      (line.isNull() ? QByteArray() : "ignoredApplications=" + line + '\n')));
        SettingsStore store(path);
        AppSettings settings(store, m_f.login, {});
        QSignalSpy problems(&settings, &AppSettings::problem);
        QCOMPARE(settings.ignoredApplications(), read);
        QCoreApplication::processEvents();
        QCOMPARE(problems.size(), int(problem));
        if (problem) {  // a text ProblemNotices translates
            QTranslator german;
            QVERIFY(german.load(":/translations/quillstack_de.qm"));
            QVERIFY(
                !german.translate("ProblemNotices", qPrintable(problems.first().first().toString()))
                     .isEmpty());
        }
        // The user's next choice, one name or none at all too, is kept trimmed and once each,
        // says nothing more, and is what the next start reads (which an INI file would otherwise
        // read back as missing).
        const QStringList kept = problem ? QStringList{"qtpass", "Foo"} : read.mid(1);
        settings.setIgnoredApplications(problem ? QStringList{" qtpass ", "QtPass", "", "Foo"}
                                                : kept);
        QCoreApplication::processEvents();
        QCOMPARE(problems.size(), int(problem));
        SettingsStore next(path);
        QCOMPARE(std::pair(settings.ignoredApplications(),
                           AppSettings(next, m_f.login, {}).ignoredApplications()),
                 std::pair(kept, kept));
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
        QVERIFY(!found.contains("ini") || writeFile(iniFile, "[General]\nbufferLimit=30\n"));
        QVERIFY(!found.contains("conf") || writeFile(confPath, "[General]\nbufferLimit=40\n"));
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

    // Each base folder from its variable; unset, empty or relative values fall back. "@" stands
    // for the home folder; the folders of XDG_CONFIG_DIRS are joined by colons.
    void baseFolders() {
        const ScopedEnv home("HOME", "/home/ann");
        for (const auto& [variable, value, folder, found] :
             {std::tuple("XDG_CONFIG_HOME", "cfg", "@/.config", &XdgFolders::configHome),
              {"XDG_CACHE_HOME", "/var/c/", "/var/c/", &XdgFolders::cacheHome},
              {"XDG_CACHE_HOME", "", "@/.cache", &XdgFolders::cacheHome},
              {"XDG_RUNTIME_DIR", "/run/user//7/", "/run/user/7", &XdgFolders::runtimeDir},
              {"XDG_RUNTIME_DIR", "run", "", &XdgFolders::runtimeDir},
              {"XDG_CONFIG_DIRS", "/etc/a:rel::/b/", "/etc/a:/b/", &configDirs},
              {"XDG_CONFIG_DIRS", "rel", "/etc/xdg", &configDirs}}) {
            const ScopedEnv env(variable, QByteArray(value));
            QCOMPARE(found(), QString(folder).replace(u'@', u"/home/ann"_s));
        }
    }

    // Whatever the folder holding the program is called, the entry is valid, starts it and is
    // replaced, not appended to, by a second registration. Without an absolute program path, or
    // where the autostart folder cannot be made, the request fails and writes nothing.
    void autostartEntry_data() {
        QTest::addColumn<QString>("folder");  // of the program; empty: a relative program path
        QTest::newRow("plain") << "bin";
        QTest::newRow("shell characters") << "q$HOME`id`/a'b\"c\\d;e&f|g*h?(i)#~";
        QTest::newRow("percent, space") << "100% sure";
        QTest::newRow("line break") << "a\nb";
        QTest::newRow("relative") << "";
        QTest::newRow("folder blocked") << "blocked";  // a file where the folder should be
        QTest::newRow("entry a link to the user's notes") << "linked";
    }
    void autostartEntry() {
        QFETCH(QString, folder);
        QTemporaryDir dir;
        QVERIFY(folder != "blocked" || writeFile(dir.filePath("autostart"), {}));
        const QString program =
            folder.isEmpty() ? QString("quillstack") : dir.filePath(folder + "/quillstack");
        XdgAutostart autostart(dir.path(), program);
        const QString notes = dir.filePath("notes.txt");
        if (folder == "linked") {
            QVERIFY(writeFile(notes, "my notes") && QDir(dir.path()).mkpath("autostart") &&
                    QFile::link(notes, autostart.entryPath()));
        }
        QVERIFY(autostart.unregisterApp());  // nothing of ours there yet is fine
        const bool valid = !folder.isEmpty() && folder != "blocked";
        QCOMPARE(autostart.registerApp() && autostart.registerApp(), valid);
        QCOMPARE(QFileInfo(autostart.entryPath()).isFile(), valid);
        if (!valid) {
            return;
        }
        // A launcher reads the entry and starts the program, which leaves a mark. GLib looks for
        // the program before it undoes "%%", so it starts none whose path holds a percent sign:
        // there the validator checks the escape.
        QVERIFY(writeFile(program, "#!/bin/sh\ntouch \"$0.ran\"\n") &&
                QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        if (!program.contains(u'%')) {
            QCOMPARE(QProcess::execute("gio", {"launch", autostart.entryPath()}), 0);
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(program + ".ran"), 10000);
        }
        QProcess check;
        check.start("desktop-file-validate", {autostart.entryPath()});
        QVERIFY2(check.waitForFinished(10000), "desktop-file-validate (tools/deps installs it)");
        const QByteArray report = check.readAllStandardOutput() + check.readAllStandardError();
        QVERIFY2(check.exitCode() == 0 && report.isEmpty(), report.constData());
        QVERIFY(autostart.unregisterApp() && !QFile::exists(autostart.entryPath()));
        // The link's target is untouched.
        QVERIFY(folder != "linked" || readFile(notes) == "my notes");
    }

    // Starting at login is the user's to choose. A start writes no entry and the setting reads
    // what is in force; the guide's box is offered ticked to a first-time user of an installed
    // program, and its answer is written when the guide is done. An entry removed or turned
    // off in the desktop's own startup settings is an answer no later start or guide undoes.
    void loginItemConsent_data() {
        QTest::addColumn<QString>("c");  // tree|installed, found, the box on Done (- closed), then
        // what the start shows, what the box offers and what is in force after the guide
        for (const char* c :
             {"installed none offered 011", "installed none unticked 010", "installed none - 010",
              "tree none offered 000", "tree none ticked 001", "tree packaged offered 111",
              "installed packaged unticked 110", "installed own offered 111", "tree own - 111",
              "installed removed offered 000", "installed hidden offered 000",
              "installed disabled - 000", "installed disabled ticked 001",
              "installed off offered 000"})
            QTest::newRow(c) << QString(c);
    }
    void loginItemConsent() {
        QFETCH(QString, c);
        const QStringList p = c.split(u' ');
        const QString found = p[1], guide = p[2];
        const bool shown = p[3][0] == u'1', inForce = p[3][2] == u'1';
        QTemporaryDir dir;
        XdgAutostart autostart(dir.filePath("home"), "/usr/bin/quillstack", {dir.filePath("etc")},
                               p[0] == "tree");
        const QString entry = autostart.entryPath();
        QVERIFY(found != "packaged" || writeFile(dir.filePath("etc/autostart/quillstack.desktop"),
                                                 "[Desktop Entry]\nName=Q\nExec=quillstack\n"));
        const bool returning = QStringList{"own", "removed", "hidden", "disabled"}.contains(found);
        QVERIFY(!returning || autostart.registerApp());
        QByteArray text = readFile(entry);  // turned off as KDE's and GNOME's settings write it
        QVERIFY(found != "removed" || QFile::remove(entry));
        QVERIFY(found != "hidden" ||
                writeFile(entry, text.replace("Exec=", "Hidden = true\nExec=") +
                                     "[Desktop Action x]\nName=x\n"));
        QVERIFY(found != "disabled" ||
                writeFile(entry, text.replace("enabled=true", "enabled=false")));
        MemoryKeyValueStore store;  // a returning user answered yes; "off" answered no
        if (returning || found == "off") {
            store.values = {{"launchAtLogin", returning}};
        }
        AppSettings settings(store, autostart, {"x"});
        settings.reconcileLoginItem();
        QVERIFY(settings.launchAtLogin() == shown && autostart.isRegistered() == shown);
        FakeClipboard clipboard;
        ManualScheduler scheduler;
        OnboardingWizard wizard(settings, clipboard, scheduler);
        QCOMPARE(wizard.startAtLogin(), p[3][1] == u'1');
        const QByteArray before = readFile(entry);
        const bool answered = store.contains("launchAtLogin");
        wizard.setStartAtLogin(guide == "offered" ? wizard.startAtLogin() : guide == "ticked");
        wizard.setPasteField1(OnboardingWizard::trainingText1());
        wizard.setPasteField2(OnboardingWizard::trainingText2());
        for (int step = 0; guide != "-" && step < OnboardingWizard::totalSteps; ++step) {
            if (wizard.step() == OnboardingWizard::copyTrainingStep) {
                wizard.copySample(1);
                wizard.copySample(2);
            }
            wizard.goNextOrFinish();
        }
        // What the user had is left byte for byte while the answer stays.
        QVERIFY(!answered || inForce != shown || readFile(entry) == before);
        AppSettings next(store, autostart, {"x"});
        next.reconcileLoginItem();
        QVERIFY(autostart.isRegistered() == inForce && next.launchAtLogin() == inForce);
        QCOMPARE(store.contains("launchAtLogin"), found != "none" || guide != "-");
    }

    // Where the desktop has none of its programs installed, or is unknown, none is offered.
    void desktopShortcutCommand() {
        for (const auto& [desktop, installed, command] :  // installed: none listed for all
             {std::tuple(QString("ubuntu:GNOME"), QStringList(), "gnome-control-center keyboard"),
              {"KDE", {}, "systemsettings kcm_keys"},
              {"KDE", {"systemsettings5"}, "systemsettings5 kcm_keys"},
              {"XFCE", {"gnome-control-center"}, ""},
              {"LXQt", {}, ""}}) {
            const QStringList run = DesktopShortcutSettings::command(
                desktop,
                [&](const QString& p) { return installed.isEmpty() || installed.contains(p); });
            QCOMPARE(run.join(u' '), QString(command));
        }
    }

    // The first language we have a translation for; what one run stores is what the next starts
    // from.
    void languageMatching() {
        // The system's languages in order, then what they match.
        const QStringList cases{"zh-Hans-CN zh-CN", "zh-Hans", "zh-SG", "zh-Hans",
                                "zh-TW ja-JP",      "ja",      "pt-PT", "pt-BR",
                                "sv-SE fr_CA",      "fr",      "sv ",   "en"};
        for (qsizetype i = 0; i < cases.size(); i += 2) {
            QCOMPARE(InterfaceLanguage::match(cases[i].split(u' ')), cases[i + 1]);
        }
        AppSettings::applyLanguage(m_f.store, u"ru"_s);
        QCOMPARE(InterfaceLanguage::startupFallback(m_f.store), u"ru"_s);
    }

    // "--language" is stored at once with its list ("system" removes the list); only the first
    // counts, and a trailing one is ignored.
    void languageArgument() {
        Fixture de({"--language", "de"});
        QCOMPARE(std::tuple(de.settings.preferredLanguage(), de.store.value(kLang).toString(),
                            de.store.value(kApple).toStringList()),
                 std::tuple(QString("de"), QString("de"), QStringList{"de", "en"}));
        Fixture system({"--language", "system"}, {{kLang, "ru"}, {kApple, QStringList{"ru"}}});
        QVERIFY(system.store.value(kLang) == u"system"_s && !system.store.contains(kApple));
        Fixture twice({"--language", "fr", "--language", "ja"});
        QCOMPARE(twice.settings.preferredLanguage(), u"fr"_s);
        Fixture trailing({"--language"}, {{kLang, "ko"}});
        QCOMPARE(std::tuple(trailing.settings.preferredLanguage(), trailing.store.writes),
                 std::tuple(QString("ko"), QStringList{kApple}));
        // The composition root's repeat of the scan stores the same way.
        MemoryKeyValueStore store;
        QCOMPARE(AppSettings::startupLanguage(store, {"x", "--language", "es"}), "es");
        QCOMPARE(AppSettings::startupLanguage(store, {"x", "--language"}), "es");
    }

    // Every assignment re-renders and stores, equal value or not, then runs its side effect (a
    // negative limit is handed on as 0); only a language equal to the current one stores
    // nothing, and a new one re-renders once more and is announced. A refused login item turns
    // the setting off again; a refused revert runs once and stops. What is stored is what the
    // next start reads.
    void assignments() {
        Fixture f;
        AppSettings& s = f.settings;
        f.store.writes.clear();
        QSignalSpy chord(&s, &AppSettings::chordAssigned);
        QSignalSpy willChange(&s, &AppSettings::willChange);
        QSignalSpy language(&s, &AppSettings::preferredLanguageChanged);
        QSignalSpy login(&s, &AppSettings::launchAtLoginChanged);
        QVariantList storedDuringEffect;
        connect(&s, &AppSettings::historySizeAssigned, this,
                [&] { storedDuringEffect << f.store.value("bufferLimit"); });
        connect(&s, &AppSettings::autoDeleteMinutesAssigned, this,
                [&] { storedDuringEffect << f.store.value("autoDeleteMinutes"); });
        s.setHistorySize(50);
        s.setAutoDeleteMinutes(0);
        s.setChord({0x1C0000, KeyCode::fromEvdev(KEY_F5)});
        s.setOnboardingCompleted(false);
        s.setHistorySize(-10);
        s.setPreferredLanguage(u"system"_s);
        s.setPreferredLanguage(u"en"_s);
        s.setLaunchAtLogin(true);
        f.login.registerResult = false;
        s.setLaunchAtLogin(true);
        QCOMPARE(std::tuple(chord.count(), willChange.count(), language.count(), login.count()),
                 std::tuple(1, 11, 1, 3));
        // In the numbers settings files have always had: F5 is 96 and carries 0x800000.
        QCOMPARE(std::tuple(f.store.value("hotkeyModifiers"), f.store.value("hotkeyKeyCode")),
                 std::tuple(QVariant::fromValue<quint64>(0x9C0000), QVariant(96)));
        QCOMPARE(storedDuringEffect, (QVariantList{qint64(50), qint64(0), qint64(0)}));
        QCOMPARE(f.login.calls, (QStringList{"register", "register", "unregister"}));
        QCOMPARE(f.store.writes,
                 (QStringList{"bufferLimit", "autoDeleteMinutes", "hotkeyModifiers",
                              "hotkeyKeyCode", "onboardingCompleted", "bufferLimit", kLang, kApple,
                              "launchAtLogin", "launchAtLogin", "launchAtLogin"}));
        QCOMPARE(f.store.values[kApple], QVariant(QStringList{"en"}));
        const Fixture restarted({}, f.store.values);
        const AppSettings& next = restarted.settings;
        QCOMPARE(std::tuple(next.chordDisplayString(), next.preferredLanguage(), next.historySize(),
                            next.launchAtLogin()),
                 std::tuple(QString("Super+Ctrl+Alt+F5"), QString("en"), qint64(0), false));
        f.login.unregisterResult = false;
        for (bool value : {true, false}) {
            f.login.calls.clear();
            s.setLaunchAtLogin(value);
            QCOMPARE(std::tuple(f.login.calls.size(), f.store.value("launchAtLogin")),
                     std::tuple(2, QVariant(false)));
        }
    }

  private:
    Fixture m_f;
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settings_files.moc"
