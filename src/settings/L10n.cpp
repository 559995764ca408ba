// SPDX-License-Identifier: MIT
#include "settings/L10n.h"

#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

#include <map>
#include <memory>
#include <optional>

#include "platform/KeyValueStore.h"
#include "settings/AppSettings.h"

namespace {

constexpr const char* kContext = "Localizable";

struct State {
    const AppSettings* settings = nullptr;
    QString fallbackLanguage;
    QString resourcePrefix = QStringLiteral(":/");
    // One table per language, opened on first use and kept; failures are not kept, so a
    // later call tries again.
    std::map<QString, std::unique_ptr<QTranslator>> cache;
    int loadAttempts = 0;
};

State& state() {
    static State s;
    return s;
}

// Language codes come from the command line too; keep them to names, never paths.
bool isPlainCode(const QString& code) {
    if (code.isEmpty()) {
        return false;
    }
    for (const QChar c : code) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_') {
            return false;
        }
    }
    return true;
}

const QTranslator* tableFor(const QString& code) {
    State& s = state();
    const auto it = s.cache.find(code);
    if (it != s.cache.end()) {
        return it->second.get();
    }
    if (!isPlainCode(code)) {
        return nullptr;
    }
    ++s.loadAttempts;
    const QString path = s.resourcePrefix + code + QStringLiteral(".lproj/Localizable.qm");
    if (!QFileInfo::exists(path)) {
        return nullptr;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path)) {
        return nullptr;
    }
    return s.cache.emplace(code, std::move(translator)).first->second.get();
}

// count: which plural form of a text that counts; -1 for any other text.
QString lookUp(const QTranslator* table, const QString& key, int count) {
    if (table == nullptr) {
        return {};
    }
    return table->translate(kContext, key.toUtf8().constData(), nullptr, count);
}

QString fallbackText(const QString& key, int count) {
    const QString& fallback = state().fallbackLanguage;
    if (!fallback.isEmpty()) {
        const QString text = lookUp(tableFor(fallback), key, count);
        if (!text.isEmpty()) {
            return text;
        }
    }
    return key;
}

std::optional<QString> codeForTag(const QString& tag) {
    const QStringList parts = QString(tag).replace(u'_', u'-').split(u'-', Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        return std::nullopt;
    }
    const QString language = parts.first().toLower();
    if (language == u"zh") {
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QString part = parts.at(i).toLower();
            if (part == u"hans" || part == u"cn" || part == u"sg") {
                return QStringLiteral("zh-Hans");
            }
        }
        return std::nullopt;
    }
    if (language == u"pt") {
        return QStringLiteral("pt-BR");
    }
    for (const auto& option : AppSettings::languageOptions()) {
        if (option.code == language) {
            return language;
        }
    }
    return std::nullopt;
}

}  // namespace

namespace L10n {

QString currentLanguage() {
    const State& s = state();
    const QString chosen = s.settings ? s.settings->preferredLanguage() : QString();
    if (!chosen.isEmpty() && chosen != u"system") {
        return chosen;
    }
    return s.fallbackLanguage.isEmpty() ? QStringLiteral("en") : s.fallbackLanguage;
}

void configure(const AppSettings* settings, const QString& fallbackLanguage,
               const QString& resourcePrefix) {
    State& s = state();
    s.settings = settings;
    s.fallbackLanguage = fallbackLanguage;
    s.resourcePrefix = resourcePrefix.endsWith(u'/') ? resourcePrefix : resourcePrefix + u'/';
    s.cache.clear();
    s.loadAttempts = 0;
}

QString matchLanguage(const QStringList& uiLanguages) {
    for (const QString& tag : uiLanguages) {
        if (const auto code = codeForTag(tag)) {
            return *code;
        }
    }
    return QStringLiteral("en");
}

QString startupFallbackLanguage(const KeyValueStore& store) {
    return matchLanguage(
        AppSettings::storedLanguages(store).value_or(QLocale::system().uiLanguages()));
}

namespace {

QString text(const QString& key, int count) {
    const State& s = state();
    const QString language =
        s.settings != nullptr ? s.settings->preferredLanguage() : QStringLiteral("system");
    if (language == u"system") {
        return fallbackText(key, count);
    }
    // A table answers empty for a text it lacks; a translation equal to its key ("Autostart"
    // in German) is a translation.
    const QString found = lookUp(tableFor(language), key, count);
    if (!found.isEmpty()) {
        return found;
    }
    // The keys are English: a user who picked English sees them, never the start-up language.
    if (language == u"en") {
        return key;
    }
    return fallbackText(key, count);
}

}  // namespace

QString string(const QString& key) {
    return text(key, -1);
}

QString counted(const QString& key, int count) {
    return text(key, count).replace(QStringLiteral("%n"), QString::number(count));
}

QString string(const QString& key, const QStringList& arguments) {
    return format(string(key), arguments);
}

QString format(const QString& pattern, const QStringList& arguments) {
    QString out;
    out.reserve(pattern.size());
    qsizetype next = 0;
    const auto argument = [&](qsizetype index) {
        return index >= 0 && index < arguments.size() ? arguments.at(index) : QString();
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c != u'%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        const QChar n = pattern.at(i + 1);
        if (n == u'%') {
            out += u'%';
            ++i;
        } else if (n == u'@') {
            out += argument(next++);
            ++i;
        } else if (n.isDigit()) {
            qsizetype j = i + 1;
            qsizetype position = 0;
            while (j < pattern.size() && pattern.at(j).isDigit() && position < 1000) {
                position = position * 10 + pattern.at(j).digitValue();
                ++j;
            }
            if (j + 1 < pattern.size() && pattern.at(j) == u'$' && pattern.at(j + 1) == u'@' &&
                position > 0) {
                out += argument(position - 1);
                i = j + 1;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

int loadAttemptsForTesting() {
    return state().loadAttempts;
}

QStringList cachedLanguagesForTesting() {
    QStringList codes;
    for (const auto& entry : state().cache) {
        codes.append(entry.first);
    }
    return codes;
}

}  // namespace L10n
