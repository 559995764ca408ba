// SPDX-License-Identifier: MIT
#include "settings/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <optional>

#include "platform/KeyValueStore.h"
#include "settings/AppSettings.h"

namespace {

// Language codes come from the command line and the settings file too; keep them to names,
// never paths.
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

InterfaceLanguage::InterfaceLanguage(const AppSettings* settings, QString fallbackLanguage,
                                     QString folder)
    : m_settings(settings), m_fallback(std::move(fallbackLanguage)), m_folder(std::move(folder)) {
    install();
    if (m_settings != nullptr) {
        connect(m_settings, &AppSettings::preferredLanguageChanged, this,
                &InterfaceLanguage::install);
    }
}

InterfaceLanguage::~InterfaceLanguage() {
    for (const auto& translation : {m_chosenTranslation.get(), m_fallbackTranslation.get()}) {
        if (translation != nullptr) {
            QCoreApplication::removeTranslator(translation);
        }
    }
}

QString InterfaceLanguage::current() const {
    const QString chosen = m_settings != nullptr ? m_settings->preferredLanguage() : QString();
    if (!chosen.isEmpty() && chosen != u"system") {
        return chosen;
    }
    return m_fallback.isEmpty() ? QStringLiteral("en") : m_fallback;
}

std::unique_ptr<QTranslator> InterfaceLanguage::load(const QString& code) const {
    auto translator = std::make_unique<QTranslator>();
    if (!isPlainCode(code) || !translator->load(m_folder + QStringLiteral("/quillstack_") + code +
                                                QStringLiteral(".qm"))) {
        return nullptr;
    }
    return translator;
}

void InterfaceLanguage::install() {
    for (const auto& translation : {m_chosenTranslation.get(), m_fallbackTranslation.get()}) {
        if (translation != nullptr) {
            QCoreApplication::removeTranslator(translation);
        }
    }
    m_chosenTranslation.reset();
    m_fallbackTranslation.reset();
    const QString chosen =
        m_settings != nullptr ? m_settings->preferredLanguage() : QStringLiteral("system");
    // A user who picked English reads the English source, never the start-up language.
    if (chosen == u"en") {
        m_chosenTranslation = load(chosen);
    } else {
        m_fallbackTranslation = load(m_fallback);
        if (chosen != u"system" && chosen != m_fallback) {
            m_chosenTranslation = load(chosen);
        }
    }
    // Installed last, asked first.
    for (const auto& translation : {m_fallbackTranslation.get(), m_chosenTranslation.get()}) {
        if (translation != nullptr) {
            QCoreApplication::installTranslator(translation);
        }
    }
}

QString InterfaceLanguage::match(const QStringList& uiLanguages) {
    for (const QString& tag : uiLanguages) {
        if (const auto code = codeForTag(tag)) {
            return *code;
        }
    }
    return QStringLiteral("en");
}

QString InterfaceLanguage::startupFallback(const KeyValueStore& store) {
    return match(AppSettings::storedLanguages(store).value_or(QLocale::system().uiLanguages()));
}
