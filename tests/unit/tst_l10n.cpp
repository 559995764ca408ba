#include <QTest>

#include <memory>

#include "FakeLoginItems.h"
#include "MemoryKeyValueStore.h"
#include "settings/AppSettings.h"
#include "settings/L10n.h"

namespace {

const QString kTables = QStringLiteral(":/testl10n/");

}  // namespace

class TestL10n : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init();
    void cleanup();
    void lookupAndFallback();
    void missingTablesAreNotCached();
    void tablesAreOpenedOnce();
    void formatting();
    void matchLanguage();
    void startupFallbackLanguage();
    void embeddedTables();

  private:
    std::unique_ptr<MemoryKeyValueStore> m_store;
    FakeLoginItems m_login;
    std::unique_ptr<AppSettings> m_settings;
};

void TestL10n::init() {
    m_store = std::make_unique<MemoryKeyValueStore>();
    m_settings =
        std::make_unique<AppSettings>(*m_store, m_login, QStringList{QStringLiteral("quillstack")});
}

void TestL10n::cleanup() {
    L10n::configure(nullptr, QString());
    m_settings.reset();
    m_store.reset();
}

void TestL10n::lookupAndFallback() {
    L10n::configure(m_settings.get(), QStringLiteral("ru"), kTables);

    // "system": the start-up table answers, without opening the chosen language's table.
    QCOMPARE(L10n::string(QStringLiteral("Hello")), QStringLiteral("Привет"));
    QCOMPARE(L10n::cachedLanguagesForTesting(), QStringList{QStringLiteral("ru")});
    QCOMPARE(L10n::string(QStringLiteral("Not anywhere")), QStringLiteral("Not anywhere"));

    m_settings->setPreferredLanguage(QStringLiteral("de"));
    QCOMPARE(L10n::string(QStringLiteral("Hello")), QStringLiteral("Hallo"));
    // Missing in German: the start-up table, then the key.
    QCOMPARE(L10n::string(QStringLiteral("Only in Russian")), QStringLiteral("Только по-русски"));
    QCOMPARE(L10n::string(QStringLiteral("Not anywhere")), QStringLiteral("Not anywhere"));
    // A German text identical to the key counts as missing.
    QCOMPARE(L10n::string(QStringLiteral("Same in German")),
             QStringLiteral("Одинаково по-немецки"));

    // English: its own wording where it has one, else the key, never the start-up language.
    m_settings->setPreferredLanguage(QStringLiteral("en"));
    QCOMPARE(L10n::string(QStringLiteral("Only in Russian")), QStringLiteral("English wording"));
    QCOMPARE(L10n::string(QStringLiteral("Hello")), QStringLiteral("Hello"));
    QCOMPARE(L10n::string(QStringLiteral("Same in German")), QStringLiteral("Same in German"));

    // Without a start-up table the key comes back.
    L10n::configure(m_settings.get(), QString(), kTables);
    m_settings->setPreferredLanguage(QStringLiteral("de"));
    QCOMPARE(L10n::string(QStringLiteral("Only in Russian")), QStringLiteral("Only in Russian"));
}

void TestL10n::missingTablesAreNotCached() {
    L10n::configure(m_settings.get(), QStringLiteral("ru"), kTables);
    QCOMPARE(L10n::string(QStringLiteral("Hello")), QStringLiteral("Привет"));
    const int before = L10n::loadAttemptsForTesting();
    m_settings->setPreferredLanguage(QStringLiteral("xx"));
    QCOMPARE(L10n::string(QStringLiteral("Hello")), QStringLiteral("Привет"));
    QCOMPARE(L10n::string(QStringLiteral("Hello")), QStringLiteral("Привет"));
    QCOMPARE(L10n::loadAttemptsForTesting(), before + 2);
    QVERIFY(!L10n::cachedLanguagesForTesting().contains(QStringLiteral("xx")));

    // A code that looks like a path never reaches the file system.
    m_settings->setPreferredLanguage(QStringLiteral("../testl10n/de"));
    QCOMPARE(L10n::string(QStringLiteral("Hello")), QStringLiteral("Привет"));
    QCOMPARE(L10n::loadAttemptsForTesting(), before + 2);
}

void TestL10n::tablesAreOpenedOnce() {
    L10n::configure(m_settings.get(), QString(), kTables);
    const QStringList order = {QStringLiteral("en"), QStringLiteral("ja"), QStringLiteral("en"),
                               QStringLiteral("ja")};
    for (const QString& code : order) {
        m_settings->setPreferredLanguage(code);
        L10n::string(QStringLiteral("Hello"));
    }
    QCOMPARE(L10n::string(QStringLiteral("Hello")), QStringLiteral("こんにちは"));
    QCOMPARE(L10n::loadAttemptsForTesting(), 2);
    QCOMPARE(L10n::cachedLanguagesForTesting(),
             (QStringList{QStringLiteral("en"), QStringLiteral("ja")}));
}

void TestL10n::formatting() {
    L10n::configure(m_settings.get(), QString(), kTables);
    const QString key = QStringLiteral("Paste from history: %@ — opens list of recent copies.");
    QCOMPARE(L10n::string(key, {QStringLiteral("⌘⇧V")}),
             QStringLiteral("Paste from history: ⌘⇧V — opens list of recent copies."));
    m_settings->setPreferredLanguage(QStringLiteral("de"));
    QCOMPARE(
        L10n::string(key, {QStringLiteral("⌘⇧V")}),
        QStringLiteral("Aus dem Verlauf einfügen: ⌘⇧V — öffnet die Liste der letzten Kopien."));

    // Arguments are inserted literally, never read as patterns themselves.
    QCOMPARE(L10n::format(QStringLiteral("%@ and %@"), {QStringLiteral("%@"), QStringLiteral("b")}),
             QStringLiteral("%@ and b"));
    QCOMPARE(L10n::format(QStringLiteral("%2$@ before %1$@"),
                          {QStringLiteral("a"), QStringLiteral("b")}),
             QStringLiteral("b before a"));
    QCOMPARE(L10n::format(QStringLiteral("100%% of %@"), {QStringLiteral("x")}),
             QStringLiteral("100% of x"));
    // Missing arguments leave nothing behind; stray percent signs stay.
    QCOMPARE(L10n::format(QStringLiteral("%@|%3$@|%d|%"), {}), QStringLiteral("||%d|%"));
}

void TestL10n::matchLanguage() {
    const QList<QPair<QStringList, QString>> cases = {
        {{QStringLiteral("de-AT"), QStringLiteral("en-US")}, QStringLiteral("de")},
        {{QStringLiteral("zh-Hans-CN"), QStringLiteral("zh-CN")}, QStringLiteral("zh-Hans")},
        {{QStringLiteral("zh-SG")}, QStringLiteral("zh-Hans")},
        {{QStringLiteral("zh-TW"), QStringLiteral("ja-JP")}, QStringLiteral("ja")},
        {{QStringLiteral("pt-PT")}, QStringLiteral("pt-BR")},
        {{QStringLiteral("pt-BR")}, QStringLiteral("pt-BR")},
        {{QStringLiteral("sv-SE"), QStringLiteral("fr_CA")}, QStringLiteral("fr")},
        {{QStringLiteral("xx"), QStringLiteral("ko")}, QStringLiteral("ko")},
        {{QStringLiteral("sv"), QString()}, QStringLiteral("en")},
        {{}, QStringLiteral("en")},
    };
    for (const auto& [languages, expected] : cases) {
        QCOMPARE(L10n::matchLanguage(languages), expected);
    }
}

void TestL10n::startupFallbackLanguage() {
    MemoryKeyValueStore store;
    store.seed(QStringLiteral("AppleLanguages"),
               QStringList{QStringLiteral("ru"), QStringLiteral("en")});
    QCOMPARE(L10n::startupFallbackLanguage(store), QStringLiteral("ru"));
    store.seed(QStringLiteral("AppleLanguages"), QStringLiteral("zh-Hans"));
    QCOMPARE(L10n::startupFallbackLanguage(store), QStringLiteral("zh-Hans"));
    store.seed(QStringLiteral("AppleLanguages"),
               QStringList{QStringLiteral("xx"), QStringLiteral("en")});
    QCOMPARE(L10n::startupFallbackLanguage(store), QStringLiteral("en"));
}

void TestL10n::embeddedTables() {
    L10n::configure(m_settings.get(), QStringLiteral("en"));
    for (const auto& option : AppSettings::languageOptions()) {
        m_settings->setPreferredLanguage(option.code);
        QCOMPARE(L10n::string(QStringLiteral("Quillstack")), QStringLiteral("Quillstack"));
        if (option.code != u"en") {
            QVERIFY2(L10n::string(QStringLiteral("No items")) != QStringLiteral("No items"),
                     qPrintable(option.code));
        }
    }
    QCOMPARE(L10n::cachedLanguagesForTesting().size(), AppSettings::languageOptions().size());
    m_settings->setPreferredLanguage(QStringLiteral("ru"));
    QCOMPARE(L10n::string(QStringLiteral("No items")), QStringLiteral("Нет элементов"));
    QCOMPARE(L10n::string(QStringLiteral("Clipboard — double-click or ↑↓ Enter to paste")),
             QStringLiteral("Буфер обмена — двойной щелчок или ↑↓ Enter для вставки"));
}

QTEST_GUILESS_MAIN(TestL10n)
#include "tst_l10n.moc"
