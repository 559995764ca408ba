#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>

#include "settings/AppSettings.h"

namespace {

const QStringList kLanguages = {
    QStringLiteral("en"), QStringLiteral("ru"),    QStringLiteral("zh-Hans"),
    QStringLiteral("ja"), QStringLiteral("de"),    QStringLiteral("fr"),
    QStringLiteral("es"), QStringLiteral("pt-BR"), QStringLiteral("ko")};

// Texts that read the same in every language. The lookup treats a translation equal to its key
// as missing and falls back to the start-up language, so anything else must really differ.
const QStringList kSameInEveryLanguage = {QStringLiteral("Quillstack")};

// Words of the other platform that must never reach a Linux user, whatever the language.
const QStringList kForeignPlatform = {QStringLiteral("⌘"), QStringLiteral("macOS")};
// Keys whose English text does not fit Linux or the popup; the English table rewords them.
const QStringList kNeedsEnglishWording = {
    QStringLiteral("⌘"),
    QStringLiteral("macOS"),
    QStringLiteral("System Settings"),
    QStringLiteral("Universal Access"),
    QStringLiteral("Accessibility"),
    QStringLiteral("Input Monitoring"),
    QStringLiteral("Enable in the list"),
    QStringLiteral("menu bar"),
    QStringLiteral("Release modifiers"),
    QStringLiteral("release to paste"),
};

struct Table {
    QString error;
    std::map<QString, QString> translations;
};

Table readTable(const QString& code) {
    Table table;
    QFile file(QStringLiteral(QUILLSTACK_SOURCE_DIR "/resources/") + code +
               QStringLiteral(".lproj/Localizable.ts"));
    if (!file.open(QIODevice::ReadOnly)) {
        table.error = file.errorString();
        return table;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd() && table.error.isEmpty()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText();
            if (context != u"Localizable") {
                table.error = QStringLiteral("message outside context Localizable: ") + source;
            } else if (!type.isEmpty() || text.isEmpty()) {
                table.error = QStringLiteral("unfinished or empty: ") + source;
            } else if (!table.translations.emplace(source, text).second) {
                table.error = QStringLiteral("twice: ") + source;
            }
        }
    }
    if (xml.hasError()) {
        table.error =
            xml.errorString() + QStringLiteral(" at line ") + QString::number(xml.lineNumber());
    } else if (table.error.isEmpty() && table.translations.empty()) {
        table.error = QStringLiteral("no messages");
    }
    return table;
}

// A C++ string literal's text: \\, \" and \uXXXX as the compiler reads them.
QString unescaped(const QString& literal) {
    QString text;
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal[i] != u'\\' || i + 1 == literal.size()) {
            text += literal[i];
        } else if (literal[i + 1] == u'u' && i + 5 < literal.size()) {
            text += QChar(literal.mid(i + 2, 4).toUShort(nullptr, 16));
            i += 5;
        } else {
            text += literal[++i];
        }
    }
    return text;
}

// Keys written literally at the lookup calls in the sources, adjacent literals joined.
QSet<QString> keysUsedInSources() {
    static const QRegularExpression call(
        QStringLiteral(R"re(L10n::string\(\s*QStringLiteral\(((?:\s*"(?:[^"\\]|\\.)*")+)\s*\))re"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QSet<QString> keys;
    QDirIterator it(QStringLiteral(QUILLSTACK_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString code = QString::fromUtf8(file.readAll());
        for (const auto& m : call.globalMatch(code)) {
            QString key;
            for (const auto& part : literal.globalMatch(m.captured(1))) {
                key += part.captured(1);
            }
            keys.insert(unescaped(key));
        }
    }
    return keys;
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(%(?:%|(?:\d+\$)?[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|q|z|j|t)?[@dioxXuefgcsp]))"));
    QStringList found;
    for (const auto& m : pattern.globalMatch(text)) {
        if (m.captured() != u"%%") {
            found << m.captured();
        }
    }
    return found;
}

bool hasLetter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); });
}

}  // namespace

class TestTranslationTables : public QObject {
    Q_OBJECT
    std::map<QString, Table> m_tables;
    QSet<QString> m_keys;  // every key some table or the code knows

  private Q_SLOTS:
    void initTestCase() {
        for (const QString& code : kLanguages) {
            m_tables[code] = readTable(code);
            for (const auto& [key, text] : m_tables[code].translations) {
                m_keys.insert(key);
            }
        }
        m_keys.unite(keysUsedInSources());
        for (const auto& option : AppSettings::autoDeleteOptions()) {
            m_keys.insert(option.key);
        }
    }

    void table_data() {
        QTest::addColumn<QString>("code");
        for (const QString& code : kLanguages) {
            QTest::newRow(code.toUtf8().constData()) << code;
        }
    }

    void table() {
        QFETCH(QString, code);
        const Table& table = m_tables[code];
        QVERIFY2(table.error.isEmpty(), qPrintable(table.error));
        const bool english = code == u"en";

        QStringList missing;
        for (const QString& key : m_keys) {
            if (!english && table.translations.count(key) == 0) {
                missing << key;
            }
        }
        missing.sort();
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("%1 keys missing:\n  ").arg(missing.size()) +
                            missing.join(QStringLiteral("\n  "))));

        QStringList faults;
        for (const auto& [key, text] : table.translations) {
            if (placeholders(text) != placeholders(key)) {
                faults << QStringLiteral("placeholders differ: ") + text;
            }
            if (!english && text == key && hasLetter(key) && !kSameInEveryLanguage.contains(key)) {
                faults << QStringLiteral("not translated: ") + key;
            }
            const QStringList& words = english ? kNeedsEnglishWording : kForeignPlatform;
            for (const QString& word : words) {
                if (text.contains(word)) {
                    faults << QStringLiteral("says \"%1\": ").arg(word) + text;
                }
            }
        }
        if (english) {
            for (const QString& key : m_keys) {
                const bool reworded = table.translations.count(key) != 0;
                for (const QString& word : kNeedsEnglishWording) {
                    if (key.contains(word) && !reworded) {
                        faults << QStringLiteral("needs Linux wording: ") + key;
                        break;
                    }
                }
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
    }
};

QTEST_GUILESS_MAIN(TestTranslationTables)
#include "tst_translation_tables.moc"
