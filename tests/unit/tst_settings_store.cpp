#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <optional>

#include "MemoryKeyValueStore.h"
#include "TestHelpers.h"
#include "platform/qt/SettingsStore.h"

class TestSettingsStore : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void typedReadersCheckKinds();
    void valuesSurviveTheFile();
    void handWrittenGroupIsListed();
    void olderFileTakenOver_data();
    void olderFileTakenOver();
    void fileModeKept_data();
    void fileModeKept();
};

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
}  // namespace

void TestSettingsStore::typedReadersCheckKinds() {
    MemoryKeyValueStore store;
    const auto with = [&](const QVariant& v) -> const KeyValueStore& {
        store.seed("k", v);
        return store;
    };
    QVERIFY(!with({}).boolValue("k") && !store.intValue("k") && !store.stringListValue("k"));
    QCOMPARE(with(true).boolValue("k"), std::optional<bool>(true));
    QCOMPARE(with("false").boolValue("k"), std::optional<bool>(false));
    for (const QVariant& notBool : {QVariant("TRUE"), QVariant("1"), QVariant(1)}) {
        QCOMPARE(with(notBool).boolValue("k"), std::nullopt);
    }
    QCOMPARE(with(true).intValue("k"), std::nullopt);
    QCOMPARE(with("-42").intValue("k"), std::optional<qint64>(-42));
    QCOMPARE(store.uintValue("k"), std::nullopt);
    QCOMPARE(with(-1).uintValue("k"), std::nullopt);
    const quint64 max = 18446744073709551615ULL;
    QCOMPARE(with("18446744073709551615").uintValue("k"), std::optional<quint64>(max));
    QCOMPARE(store.intValue("k"), std::nullopt);  // too big for a signed number
    for (const char* junk : {"12.0", "1e3", " 12", "12 ", "12abc", "0x10", "-", "", "--1"}) {
        QVERIFY2(!with(junk).intValue("k") && !store.uintValue("k"), junk);
    }

    QCOMPARE(with(QStringList{"de", "en"}).stringListValue("k"),
             std::optional<QStringList>(QStringList{"de", "en"}));
    QCOMPARE(with("en").stringListValue("k"), std::optional<QStringList>(QStringList{"en"}));
    QCOMPARE(with(QVariantList{"a", 3}).stringListValue("k"), std::nullopt);
    QCOMPARE(with(5).stringValue("k"), std::nullopt);
}

void TestSettingsStore::valuesSurviveTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Quillstack.conf");
    {
        SettingsStore store(path);
        store.setValue("onboardingCompleted", true);
        store.setValue("hotkeyModifiers", QVariant::fromValue<quint64>(0x120000));
        store.setValue("bufferLimit", QVariant::fromValue<qint64>(-5));
        store.setValue("preferredLanguage", "pt-BR");
        store.setValue("AppleLanguages", QStringList{"ru", "en"});
        store.setValue("gone", 1);
        store.remove("gone");
        // Written at once, readable by the user alone.
        const QFileDevice::Permissions mode = QFile::permissions(path);
        QVERIFY(mode.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(int(mode & 0x00FF), 0);
    }
    const SettingsStore store(path);
    QCOMPARE(store.boolValue("onboardingCompleted"), std::optional<bool>(true));
    QCOMPARE(store.uintValue("hotkeyModifiers"), std::optional<quint64>(0x120000));
    QCOMPARE(store.intValue("bufferLimit"), std::optional<qint64>(-5));
    QCOMPARE(store.stringValue("preferredLanguage"), std::optional<QString>("pt-BR"));
    QCOMPARE(store.stringListValue("AppleLanguages"),
             std::optional<QStringList>(QStringList{"ru", "en"}));
    QVERIFY(!store.contains("gone") && !store.value("gone").isValid());
}

// The paste keystroke group as a user writes it by hand; a list is not a keystroke.
void TestSettingsStore::handWrittenGroupIsListed() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Quillstack.conf");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "bufferLimit=50\n[PasteKeystrokes]\nURxvt=Shift+Insert\nMyTerm=Ctrl+Shift+V\n"
        "Both=a, b\n");
    file.close();
    const SettingsStore store(path);
    QStringList keys = store.keysUnder("PasteKeystrokes");
    keys.sort();
    QCOMPARE(keys, QStringList({"Both", "MyTerm", "URxvt"}));
    QCOMPARE(store.stringValue("PasteKeystrokes/URxvt"), std::optional<QString>("Shift+Insert"));
    QCOMPARE(store.stringValue("PasteKeystrokes/Both"), std::nullopt);
}

// What lies in the folder before the first start of this version: the older file, the new
// one, or a link. The older file is taken over only when nothing stands at the new name.
void TestSettingsStore::olderFileTakenOver_data() {
    QTest::addColumn<QByteArray>("ini");      // empty: no Quillstack.ini
    QTest::addColumn<QByteArray>("conf");     // empty: no Quillstack.conf
    QTest::addColumn<bool>("confDangles");    // Quillstack.conf links to nothing
    QTest::addColumn<bool>("iniIsLink");      // Quillstack.ini links to a file elsewhere
    QTest::addColumn<qint64>("bufferLimit");  // -1: unset
    QTest::addColumn<bool>("iniRemains");
    QTest::newRow("older only") << QByteArray("[General]\nbufferLimit=30\n") << QByteArray()
                                << false << false << qint64(30) << false;
    QTest::newRow("both, new wins")
        << QByteArray("[General]\nbufferLimit=30\n") << QByteArray("[General]\nbufferLimit=40\n")
        << false << false << qint64(40) << true;
    QTest::newRow("neither") << QByteArray() << QByteArray() << false << false << qint64(-1)
                             << false;
    QTest::newRow("new name is a dangling link")
        << QByteArray("[General]\nbufferLimit=30\n") << QByteArray() << true << false << qint64(-1)
        << true;
    QTest::newRow("older is a link") << QByteArray("[General]\nbufferLimit=30\n") << QByteArray()
                                     << false << true << qint64(30) << false;
}

void TestSettingsStore::olderFileTakenOver() {
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, conf);
    QFETCH(bool, confDangles);
    QFETCH(bool, iniIsLink);
    QFETCH(qint64, bufferLimit);
    QFETCH(bool, iniRemains);
    QTemporaryDir config;
    const QString folder = config.filePath("Quillstack");
    QVERIFY(QDir().mkpath(folder));
    const QString iniPath = folder + "/Quillstack.ini";
    if (!ini.isEmpty()) {
        if (iniIsLink) {
            writeFile(config.filePath("dotfiles/quillstack.ini"), ini);
            QVERIFY(QFile::link(config.filePath("dotfiles/quillstack.ini"), iniPath));
        } else {
            writeFile(iniPath, ini);
        }
    }
    if (!conf.isEmpty()) {
        writeFile(folder + "/Quillstack.conf", conf);
    }
    if (confDangles) {
        QVERIFY(QFile::link(config.filePath("nowhere"), folder + "/Quillstack.conf"));
    }

    const ScopedEnv configEnv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const SettingsStore store;
    QCOMPARE(store.fileName(), folder + "/Quillstack.conf");
    QCOMPARE(store.intValue("bufferLimit"),
             bufferLimit < 0 ? std::nullopt : std::optional<qint64>(bufferLimit));
    QCOMPARE(QFileInfo(iniPath).isSymLink() || QFile::exists(iniPath), iniRemains);
    QCOMPARE(QFileInfo(folder + "/Quillstack.conf").isSymLink(), confDangles || iniIsLink);
    // The default store lives in the config home and writes nothing before a setting changes.
    const QFileInfo file(folder + "/Quillstack.conf");
    QCOMPARE(file.isSymLink() || file.exists(), !(ini.isEmpty() && conf.isEmpty()));
}

void TestSettingsStore::fileModeKept_data() {
    QTest::addColumn<int>("before");  // -1: no file yet
    QTest::addColumn<int>("after");
    QTest::newRow("created") << -1 << 0600;
    QTest::newRow("user's 0640") << 0640 << 0640;
    QTest::newRow("user's 0600") << 0600 << 0600;
}

void TestSettingsStore::fileModeKept() {
    QFETCH(int, before);
    QFETCH(int, after);
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/Quillstack.conf");
    if (before >= 0) {
        writeFile(path, "[General]\nbufferLimit=5\n");
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(before)), 0);
    }
    SettingsStore store(path);
    store.setValue("autoDeleteMinutes", 60);
    store.setValue("bufferLimit", 9);
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 07777), after);
    QCOMPARE(SettingsStore(path).intValue("bufferLimit"), std::optional<qint64>(9));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
