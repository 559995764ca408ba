#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include <map>

#include "settings/AppSettings.h"

namespace {

// Texts that read the same in every language. The lookup treats a translation equal to its key
// as missing and falls back to the start-up language, so anything else must really differ.
const QStringList kSameInEveryLanguage = {QStringLiteral("Quillstack")};
// Words of the other platform that must never reach a Linux user, whatever the language.
const QStringList kForeignPlatform = {QStringLiteral("⌘"), QStringLiteral("macOS")};
// Keys with words that do not fit Linux or the popup; the English table rewords them.
const QStringList kNeedsEnglishWording =
    kForeignPlatform + QStringList{"System Settings",   "Universal Access",   "Accessibility",
                                   "Input Monitoring",  "Enable in the list", "menu bar",
                                   "Release modifiers", "release to paste"};

// The messages of one table, key to text; what cannot be read right goes to `faults`. The
// build's lrelease checks the XML itself.
std::map<QString, QString> readTable(const QString& code, QStringList& faults) {
    static const QRegularExpression message(
        QStringLiteral("<message>\\s*<source>(.*?)</source>\\s*<translation([^>]*)>(.*?)</"
                       "translation>\\s*</message>"),
        QRegularExpression::DotMatchesEverythingOption);
    const auto xmlText = [](QString text) {
        return text.replace("&lt;", "<")
            .replace("&gt;", ">")
            .replace("&quot;", "\"")
            .replace("&apos;", "'")
            .replace("&amp;", "&");
    };
    QFile file(
        QStringLiteral(QUILLSTACK_SOURCE_DIR "/resources/%1.lproj/Localizable.ts").arg(code));
    file.open(QIODevice::ReadOnly);
    const QString ts = QString::fromUtf8(file.readAll());
    std::map<QString, QString> table;
    for (const auto& m : message.globalMatch(ts)) {
        const QString key = xmlText(m.captured(1));
        const QString text = xmlText(m.captured(3));
        if (!m.captured(2).isEmpty() || text.isEmpty() || !table.emplace(key, text).second) {
            faults << QStringLiteral("unfinished, empty or twice: ") + key;
        }
    }
    if (table.empty() || ts.count(QStringLiteral("<message>")) != qsizetype(table.size()) ||
        ts.count(QStringLiteral("<context>")) != 1 || !ts.contains("<name>Localizable</name>")) {
        faults << QStringLiteral("no messages, or some outside context Localizable or unread");
    }
    return table;
}

// Keys written literally at the lookup calls in the sources: adjacent literals joined, and
// \\, \" and \uXXXX read as the compiler reads them.
QSet<QString> keysUsedInSources() {
    static const QRegularExpression call(
        QStringLiteral(R"re(L10n::string\(\s*QStringLiteral\(((?:\s*"(?:[^"\\]|\\.)*")+)\s*\))re"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QSet<QString> keys;
    QDirIterator it(QStringLiteral(QUILLSTACK_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        for (const auto& m : call.globalMatch(QString::fromUtf8(file.readAll()))) {
            QString escaped;
            for (const auto& part : literal.globalMatch(m.captured(1))) {
                escaped += part.captured(1);
            }
            QString key;
            for (qsizetype i = 0; i < escaped.size(); ++i) {
                if (escaped[i] == u'\\' && escaped.mid(i + 1, 1) == u"u") {
                    key += QChar(escaped.mid(i + 2, 4).toUShort(nullptr, 16));
                    i += 5;
                } else {
                    key += escaped[i] == u'\\' ? escaped[++i] : escaped[i];
                }
            }
            keys.insert(key);
        }
    }
    return keys;
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(%(?:(?:\d+\$)?[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|q|z|j|t)?[@dioxXuefgcsp]))"));
    QStringList found;
    for (const auto& m : pattern.globalMatch(QString(text).remove(QStringLiteral("%%")))) {
        found << m.captured();
    }
    return found;
}

// Every key the code or some table knows.
const QSet<QString>& allKeys() {
    static const QSet<QString> keys = [] {
        QSet<QString> keys = keysUsedInSources();
        for (const auto& option : AppSettings::autoDeleteOptions()) {
            keys.insert(option.key);
        }
        for (const auto& language : AppSettings::languageOptions()) {
            QStringList faults;  // each table's own test reports them
            for (const auto& [key, text] : readTable(language.code, faults)) {
                keys.insert(key);
            }
        }
        return keys;
    }();
    return keys;
}

QString firstOf(const QStringList& words, const QString& text) {
    const auto it = std::find_if(words.begin(), words.end(),
                                 [&](const QString& word) { return text.contains(word); });
    return it == words.end() ? QString() : *it;
}

}  // namespace

class TestTranslationTables : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void table_data() {
        QTest::addColumn<QString>("code");
        for (const auto& language : AppSettings::languageOptions()) {
            QTest::newRow(qPrintable(language.code)) << language.code;
        }
    }
    void table() {
        QFETCH(QString, code);
        const bool english = code == u"en";
        QStringList faults;
        const auto table = readTable(code, faults);
        for (const QString& key : allKeys()) {
            if (table.count(key) == 0 && !english) {
                faults << QStringLiteral("missing: ") + key;
            } else if (table.count(key) == 0 && !firstOf(kNeedsEnglishWording, key).isEmpty()) {
                faults << QStringLiteral("needs Linux wording: ") + key;
            }
        }
        for (const auto& [key, text] : table) {
            if (placeholders(text) != placeholders(key)) {
                faults << QStringLiteral("placeholders differ: ") + text;
            }
            const bool letters =
                std::any_of(key.begin(), key.end(), [](QChar c) { return c.isLetter(); });
            if (!english && text == key && letters && !kSameInEveryLanguage.contains(key)) {
                faults << QStringLiteral("not translated: ") + key;
            }
            const QString word = firstOf(english ? kNeedsEnglishWording : kForeignPlatform, text);
            if (!word.isEmpty()) {
                faults << QStringLiteral("says \"%1\": ").arg(word) + text;
            }
        }
        faults.sort();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
    }
};

QTEST_GUILESS_MAIN(TestTranslationTables)
#include "tst_translation_tables.moc"
