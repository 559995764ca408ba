#include <QLocale>
#include <QTest>

#include "FakeLoginItems.h"
#include "MemoryKeyValueStore.h"
#include "settings/AppSettings.h"
#include "settings/L10n.h"

namespace {
const QString kTables = QStringLiteral(":/testl10n/");
QString text(const char* key) {
    return L10n::string(QString::fromUtf8(key));
}
}  // namespace

class TestL10n : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void lookupAndFallback() {
        L10n::configure(&s, QStringLiteral("ru"), kTables);

        // "system": the start-up table answers, no other table is opened.
        QCOMPARE(text("Hello"), QStringLiteral("Привет"));
        QCOMPARE(L10n::cachedLanguagesForTesting(), QStringList{"ru"});
        QCOMPARE(text("Not anywhere"), QStringLiteral("Not anywhere"));
        QCOMPARE(L10n::currentLanguage(), QStringLiteral("ru"));

        s.setPreferredLanguage(QStringLiteral("de"));
        QCOMPARE(L10n::currentLanguage(), QStringLiteral("de"));
        QCOMPARE(text("Hello"), QStringLiteral("Hallo"));
        QCOMPARE(text("Only in Russian"), QStringLiteral("Только по-русски"));
        QCOMPARE(text("Not anywhere"), QStringLiteral("Not anywhere"));
        // A German text identical to its key counts as missing.
        QCOMPARE(text("Same in German"), QStringLiteral("Одинаково по-немецки"));

        // English shows its own wording or the key, never the start-up language.
        s.setPreferredLanguage(QStringLiteral("en"));
        QCOMPARE(text("Only in Russian"), QStringLiteral("English wording"));
        QCOMPARE(text("Hello"), QStringLiteral("Hello"));

        L10n::configure(&s, QString(), kTables);
        s.setPreferredLanguage(QStringLiteral("de"));
        QCOMPARE(text("Only in Russian"), QStringLiteral("Only in Russian"));
    }

    void tableCache() {
        L10n::configure(&s, QStringLiteral("ru"), kTables);
        for (const char* code : {"en", "ja", "en", "ja"}) {
            s.setPreferredLanguage(QString::fromUtf8(code));
            text("Hello");
        }
        QCOMPARE(text("Hello"), QStringLiteral("こんにちは"));
        QCOMPARE(L10n::loadAttemptsForTesting(), 2);
        QCOMPARE(L10n::cachedLanguagesForTesting(), (QStringList{"en", "ja"}));

        // A language without a table is looked for on every call and never kept.
        s.setPreferredLanguage(QStringLiteral("xx"));
        QCOMPARE(text("Hello"), QStringLiteral("Привет"));
        QCOMPARE(text("Hello"), QStringLiteral("Привет"));
        QCOMPARE(L10n::loadAttemptsForTesting(), 5);  // ru once, xx twice
        QCOMPARE(L10n::cachedLanguagesForTesting(), (QStringList{"en", "ja", "ru"}));
        // A code that looks like a path never reaches the file system.
        s.setPreferredLanguage(QStringLiteral("../testl10n/de"));
        QCOMPARE(text("Hello"), QStringLiteral("Привет"));
        QCOMPARE(L10n::loadAttemptsForTesting(), 5);
    }

    void formatting() {
        L10n::configure(&s, QString(), kTables);
        const QString key = QStringLiteral("Paste from history: %@ — opens list of recent copies.");
        QCOMPARE(L10n::string(key, {"⌘⇧V"}),
                 QStringLiteral("Paste from history: ⌘⇧V — opens list of recent copies."));
        s.setPreferredLanguage(QStringLiteral("de"));
        QCOMPARE(
            L10n::string(key, {"⌘⇧V"}),
            QStringLiteral("Aus dem Verlauf einfügen: ⌘⇧V — öffnet die Liste der letzten Kopien."));
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
            {{"xx", "ko"}, "ko"},       {{"sv", ""}, "en"},
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
        store.seed("AppleLanguages",
                   QStringLiteral("zh-Hans"));  // a one-element list in an INI file
        QCOMPARE(L10n::startupFallbackLanguage(store), QStringLiteral("zh-Hans"));
    }

    void embeddedTables() {
        L10n::configure(&s, QStringLiteral("en"));
        for (const auto& option : AppSettings::languageOptions()) {
            s.setPreferredLanguage(option.code);
            QCOMPARE(text("Quillstack"), QStringLiteral("Quillstack"));
            QVERIFY2((text("No items") == QStringLiteral("No items")) == (option.code == u"en"),
                     qPrintable(option.code));
        }
        QCOMPARE(L10n::cachedLanguagesForTesting().size(), AppSettings::languageOptions().size());
        s.setPreferredLanguage(QStringLiteral("ru"));
        QCOMPARE(text("No items"), QStringLiteral("Нет элементов"));
    }

    void init() { s.setPreferredLanguage(QStringLiteral("system")); }
    void cleanup() { L10n::configure(nullptr, QString()); }

  private:
    MemoryKeyValueStore m_store;
    FakeLoginItems m_login;
    AppSettings s{m_store, m_login, {}};
};

QTEST_GUILESS_MAIN(TestL10n)
#include "tst_l10n.moc"
