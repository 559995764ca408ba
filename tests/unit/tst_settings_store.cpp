#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "MemoryKeyValueStore.h"
#include "platform/qt/SettingsStore.h"

class TestSettingsStore : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void typedReadersCheckKinds() {
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

    void valuesSurviveTheFile() {
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
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
