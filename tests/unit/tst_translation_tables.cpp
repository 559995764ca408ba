// SPDX-License-Identifier: MIT
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonValue>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <map>

#include "FakeAutostart.h"
#include "MemoryKeyValueStore.h"
#include "settings/AppSettings.h"
#include "settings/L10n.h"

using namespace Qt::StringLiterals;

namespace {

// Words of the other platform that must never reach a Linux user, whatever the language, and
// keys with words that do not fit Linux, a mouse or the popup, which the English table rewords
// (a key name's key says what it is; English shows the bare name).
const QRegularExpression kForeignPlatform(u"⌘|macOS"_s);
const QRegularExpression kNeedsEnglishWording(
    kForeignPlatform.pattern() +
    u"|System Settings|Universal Access|Accessibility|Input Monitoring|Enable in "
    "the list|menu bar|Release modifiers|release to paste|Tap|\\(key name\\)"_s);

// Keys written literally at the lookup calls and the problems told in the sources: adjacent
// literals joined, and \\, \" and \uXXXX read as the compiler reads them (as JSON reads them).
QSet<QString> keysUsedInSources() {
    static const QRegularExpression call(QStringLiteral(
        R"re((?:L10n::string|L10n::counted|Q_EMIT problem)\(\s*QStringLiteral\(((?:\s*"(?:[^"\\]|\\.)*")+)\s*\))re"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QSet<QString> keys;
    QDirIterator it(QStringLiteral(QUILLSTACK_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly)) {
            qFatal("cannot read %s", qPrintable(file.fileName()));
        }
        for (const auto& m : call.globalMatch(QString::fromUtf8(file.readAll()))) {
            QString escaped;
            for (const auto& part : literal.globalMatch(m.captured(1))) {
                escaped += part.captured(1);
            }
            keys.insert(QJsonDocument::fromJson(("[\"" + escaped + "\"]").toUtf8())[0].toString());
        }
    }
    return keys;
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(%(?:(?:\d+\$)?[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|q|z|j|t)?[@dioxXuefgcsp]))"));
    QStringList found;
    for (const auto& m : pattern.globalMatch(QString(text).remove(u"%%"_s))) {
        found << m.captured();
    }
    return found;
}

}  // namespace

class TestTranslationTables : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Every shipped table knows every key the sources or another table use, keeps each key's
    // placeholders and says no word of the other platform; English rewords what does not fit.
    void tables() {
        QStringList faults;
        QString code;  // of the table the faults are about
        const auto fault = [&](const QString& what) { faults << code + u": "_s + what; };

        QSet<QString> keys = keysUsedInSources();
        for (const auto& option : AppSettings::autoDeleteOptions()) {
            keys.insert(option.key);
        }

        std::map<QString, std::map<QString, QString>> tables;
        for (const auto& language : AppSettings::languageOptions()) {
            code = language.code;
            const bool english = code == u"en";
            QFile file(QUILLSTACK_SOURCE_DIR "/resources/" + code + ".lproj/Localizable.ts");
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            QXmlStreamReader xml(&file);
            std::map<QString, QString>& table = tables[code];
            QString context, key;
            while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
                if (xml.isStartElement() && xml.name() == u"name") {
                    context = xml.readElementText();
                } else if (xml.isStartElement() && xml.name() == u"source") {
                    key = xml.readElementText();
                } else if (xml.isStartElement() && xml.name() == u"translation") {
                    const bool unfinished = !xml.attributes().isEmpty();
                    // A text that counts holds one form per plural of its language.
                    const QString text =
                        xml.readElementText(QXmlStreamReader::IncludeChildElements);
                    if (context != u"Localizable" || unfinished || text.isEmpty() ||
                        !table.emplace(key, text).second) {
                        fault(u"unfinished, empty, twice or elsewhere: "_s + key);
                    }
                    keys.insert(key);
                    if (placeholders(text) != placeholders(key)) {
                        fault(u"placeholders differ: "_s + text);
                    }
                    const QString word =
                        (english ? kNeedsEnglishWording : kForeignPlatform).match(text).captured();
                    if (!word.isEmpty()) {
                        fault(u"says \"%1\": "_s.arg(word) + text);
                    }
                }
            }
            if (QTranslator built; table.empty() || xml.hasError() ||
                                   !built.load(":/" + code + ".lproj/Localizable.qm")) {
                fault(u"unreadable, empty or not built in: "_s + xml.errorString());
            }
        }

        for (const auto& [tableCode, table] : tables) {
            code = tableCode;
            const bool english = code == u"en";
            for (const QString& key : keys) {
                if (table.count(key) == 0 && (!english || key.contains(kNeedsEnglishWording))) {
                    fault((english ? u"needs Linux wording: "_s : u"missing: "_s) + key);
                }
            }
        }
        faults.sort();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"\n  "_s)));
    }

    // A count takes the plural form of the language shown.
    void counts() {
        MemoryKeyValueStore store;
        FakeAutostart login;
        AppSettings settings(store, login, {u"/usr/bin/quillstack"_s});
        L10n::configure(&settings, u"en"_s);
        const QString key = u"Quitting clears the %n items in the history."_s;
        for (const auto& [language, count, text] :
             {std::tuple(u"en"_s, 1, u"Quitting clears the 1 item in the history."_s),
              {u"en"_s, 2, u"Quitting clears the 2 items in the history."_s},
              {u"fr"_s, 0, u"Quitter efface 0 élément de l’historique."_s},
              {u"ru"_s, 21, u"При выходе будет удалён 21 элемент истории."_s},
              {u"ru"_s, 3, u"При выходе будут удалены 3 элемента истории."_s},
              {u"ru"_s, 11, u"При выходе будут удалены 11 элементов истории."_s},
              {u"ja"_s, 2, u"終了すると履歴の 2 件の項目が消去されます。"_s}}) {
            settings.setPreferredLanguage(language);
            QCOMPARE(L10n::counted(key, count), text);
        }
        L10n::configure(nullptr, u"en"_s);
    }
};

QTEST_GUILESS_MAIN(TestTranslationTables)
#include "tst_translation_tables.moc"
