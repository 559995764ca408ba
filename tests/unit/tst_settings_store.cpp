#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "MemoryKeyValueStore.h"
#include "platform/qt/SettingsStore.h"

class TestSettingsStore : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void typedReadersCheckKinds();
    void valuesSurviveTheFile();
};

void TestSettingsStore::typedReadersCheckKinds() {
    MemoryKeyValueStore store;
    const auto put = [&](const QVariant& v) { store.seed(QStringLiteral("k"), v); };
    const QString k = QStringLiteral("k");

    QVERIFY(!store.boolValue(k) && !store.intValue(k) && !store.stringValue(k) &&
            !store.stringListValue(k));
    put(true);
    QCOMPARE(store.boolValue(k), std::optional<bool>(true));
    QCOMPARE(store.intValue(k), std::nullopt);
    put(QStringLiteral("false"));
    QCOMPARE(store.boolValue(k), std::optional<bool>(false));
    for (const char* notBool : {"TRUE", "1", "yes", ""}) {
        put(QString::fromLatin1(notBool));
        QCOMPARE(store.boolValue(k), std::nullopt);
    }
    put(1);
    QCOMPARE(store.boolValue(k), std::nullopt);

    put(QStringLiteral("-42"));
    QCOMPARE(store.intValue(k), std::optional<qint64>(-42));
    QCOMPARE(store.uintValue(k), std::nullopt);
    put(QStringLiteral("18446744073709551615"));
    QCOMPARE(store.uintValue(k), std::optional<quint64>(18446744073709551615ULL));
    QCOMPARE(store.intValue(k), std::nullopt);
    put(QVariant::fromValue<quint64>(18446744073709551615ULL));
    QCOMPARE(store.intValue(k), std::nullopt);
    QCOMPARE(store.uintValue(k), std::optional<quint64>(18446744073709551615ULL));
    put(-1);
    QCOMPARE(store.uintValue(k), std::nullopt);
    QCOMPARE(store.intValue(k), std::optional<qint64>(-1));
    for (const char* junk : {"12.0", "1e3", " 12", "12 ", "12abc", "0x10", "-", "", "--1"}) {
        put(QString::fromLatin1(junk));
        QVERIFY2(!store.intValue(k) && !store.uintValue(k), junk);
    }
    put(12.0);
    QCOMPARE(store.intValue(k), std::nullopt);

    put(QStringList{QStringLiteral("de"), QStringLiteral("en")});
    QCOMPARE(store.stringListValue(k), std::optional<QStringList>({"de", "en"}));
    QCOMPARE(store.stringValue(k), std::nullopt);
    put(QStringLiteral("en"));
    QCOMPARE(store.stringListValue(k), std::optional<QStringList>({"en"}));
    put(QVariantList{QStringLiteral("a"), 3});
    QCOMPARE(store.stringListValue(k), std::nullopt);
    put(5);
    QCOMPARE(store.stringValue(k), std::nullopt);
}

void TestSettingsStore::valuesSurviveTheFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Quillstack.conf"));
    {
        SettingsStore store(path);
        store.setValue(QStringLiteral("onboardingCompleted"), true);
        store.setValue(QStringLiteral("hotkeyModifiers"), QVariant::fromValue<quint64>(0x120000));
        store.setValue(QStringLiteral("bufferLimit"), QVariant::fromValue<qint64>(-5));
        store.setValue(QStringLiteral("preferredLanguage"), QStringLiteral("pt-BR"));
        store.setValue(QStringLiteral("AppleLanguages"),
                       QStringList{QStringLiteral("ru"), QStringLiteral("en")});
        store.setValue(QStringLiteral("single"), QStringList{QStringLiteral("en")});
        store.setValue(QStringLiteral("gone"), 1);
        store.remove(QStringLiteral("gone"));
        // Written at once, readable only by the user.
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFile::permissions(path) & 0x0FFF,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                     QFileDevice::WriteUser);
    }
    const SettingsStore store(path);
    QCOMPARE(store.boolValue(QStringLiteral("onboardingCompleted")), std::optional<bool>(true));
    QCOMPARE(store.uintValue(QStringLiteral("hotkeyModifiers")), std::optional<quint64>(0x120000));
    QCOMPARE(store.intValue(QStringLiteral("bufferLimit")), std::optional<qint64>(-5));
    QCOMPARE(store.stringValue(QStringLiteral("preferredLanguage")),
             std::optional<QString>("pt-BR"));
    QCOMPARE(store.stringListValue(QStringLiteral("AppleLanguages")),
             std::optional<QStringList>({"ru", "en"}));
    QCOMPARE(store.stringListValue(QStringLiteral("single")), std::optional<QStringList>({"en"}));
    QVERIFY(!store.contains(QStringLiteral("gone")));
    QVERIFY(!store.value(QStringLiteral("gone")).isValid());
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
