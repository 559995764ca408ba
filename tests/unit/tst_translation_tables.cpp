// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <tuple>
#include <vector>

#include "FakeAutostart.h"
#include "MemoryKeyValueStore.h"
#include "TestHelpers.h"
#include "settings/AppSettings.h"
#include "settings/InterfaceLanguage.h"

using namespace Qt::StringLiterals;

namespace {

struct Message {
    bool numerus = false, finished = false;
    QString source{};
    QStringList texts{};  // the translation, or one per plural form
};

std::vector<Message> readTable(const QString& path) {
    std::vector<Message> table;
    QXmlStreamReader xml(readFile(path));  // an unreadable file is an empty, broken document
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"message") {
            table.push_back({xml.attributes().value(u"numerus"_s) == u"yes"_s});
        } else if (xml.name() == u"source") {
            table.back().source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            table.back().finished = xml.attributes().value(u"type"_s).isEmpty();
            if (!table.back().numerus) {
                table.back().texts << xml.readElementText();
            }
        } else if (xml.name() == u"numerusform") {
            table.back().texts << xml.readElementText();
        }
    }
    if (xml.hasError()) {
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    }
    return table;
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(u"%(?:n|[1-9])"_s);
    QStringList found;
    for (const auto& m : pattern.globalMatch(text)) {
        found << m.captured();
    }
    found.sort();
    return found;
}

}  // namespace

class TestTranslationTables : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Every text the sources mark has a finished translation in each language (English: its
    // plural forms), with the source's placeholders and no word of the other platform, and no
    // table keeps a text the sources no longer have: lupdate leaves a copy of each table as it is.
    void tables() {
        QTemporaryDir dir;
        const auto table = [](const QString& code) {
            return QUILLSTACK_SOURCE_DIR "/translations/quillstack_"_L1 + code + u".ts"_s;
        };
        QStringList lupdate{u"-silent"_s, u"-no-sort"_s,     u"-locations"_s,
                            u"none"_s,    u"-no-obsolete"_s, QUILLSTACK_SOURCE_DIR "/src"_L1,
                            u"-ts"_s};
        for (const auto& language : AppSettings::languageOptions()) {
            lupdate << dir.filePath(language.code + u".ts"_s);
            QVERIFY(QFile::copy(table(language.code), lupdate.back()));
        }
        QCOMPARE(QProcess::execute(QUILLSTACK_LUPDATE, lupdate), 0);
        static const QRegularExpression foreign(u"⌘|macOS"_s);
        QStringList faults;
        for (const auto& language : AppSettings::languageOptions()) {
            const QString& code = language.code;
            const auto fault = [&](const char* what, const QString& text) {
                faults << code + u": "_s + QString::fromUtf8(what) + text;
            };
            if (readFile(dir.filePath(code + u".ts"_s)) != readFile(table(code))) {
                fault("lupdate changes it: texts missing or no longer in the sources", {});
            }
            for (const Message& message : readTable(table(code))) {
                if (code == u"en" && !message.numerus) {
                    continue;
                }
                if (!message.finished || message.texts.isEmpty() ||
                    message.texts.contains(QString())) {
                    fault("unfinished: ", message.source);
                }
                for (const QString& text : message.texts) {
                    if (placeholders(text) != placeholders(message.source) ||
                        text.contains(foreign) || message.source.contains(foreign)) {
                        fault("placeholders differ or another platform named: ", text);
                    }
                }
            }
            if (QTranslator built; !built.load(u":/translations/quillstack_"_s + code)) {
                fault("not built in", {});
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"\n  "_s)));
    }

    // A count takes the plural form of the language shown, switched while running; under
    // "system", or for a language without a table, the start-up language's; English never
    // falls back to it.
    void counts() {
        MemoryKeyValueStore store;
        FakeAutostart login;
        AppSettings settings(store, login, {u"/usr/bin/quillstack"_s});
        const InterfaceLanguage language(&settings, u"ru"_s);
        for (const auto& [chosen, count, text] :
             {std::tuple(u"system"_s, 3, u"При выходе будут удалены 3 элемента истории."_s),
              {u"en"_s, 1, u"Quitting clears the 1 item in the history."_s},
              {u"en"_s, 2, u"Quitting clears the 2 items in the history."_s},
              {u"fr"_s, 0, u"Quitter efface 0 élément de l’historique."_s},
              {u"xx"_s, 21, u"При выходе будет удалён 21 элемент истории."_s},
              {u"../translations/quillstack_de"_s, 11,
               u"При выходе будут удалены 11 элементов истории."_s},
              {u"ja"_s, 2, u"終了すると履歴の 2 件の項目が消去されます。"_s}}) {
            settings.setPreferredLanguage(chosen);
            QCOMPARE(
                QCoreApplication::translate(
                    "QuitQuestion", "Quitting clears the %n items in the history.", nullptr, count),
                text);
            QCOMPARE(language.current(), chosen == u"system" ? u"ru"_s : chosen);
        }
    }
};

QTEST_GUILESS_MAIN(TestTranslationTables)
#include "tst_translation_tables.moc"
