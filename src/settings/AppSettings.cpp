#include "settings/AppSettings.h"

#include <QHash>

#include <algorithm>
#include <optional>

#include "core/AppLogger.h"
#include "platform/KeyValueStore.h"
#include "platform/LoginItems.h"

namespace {

const QString kPreferredLanguage = QStringLiteral("preferredLanguage");
const QString kOnboardingCompleted = QStringLiteral("onboardingCompleted");
const QString kLaunchAtLogin = QStringLiteral("launchAtLogin");
const QString kHotkeyModifiers = QStringLiteral("hotkeyModifiers");
const QString kHotkeyKeyCode = QStringLiteral("hotkeyKeyCode");
const QString kBufferLimit = QStringLiteral("bufferLimit");
const QString kAutoDeleteMinutes = QStringLiteral("autoDeleteMinutes");
const QString kPasteKeystrokesGroup = QStringLiteral("PasteKeystrokes");
const QString kAppleLanguages = QStringLiteral("AppleLanguages");
const QString kSystem = QStringLiteral("system");

constexpr quint64 kDeviceIndependentMask = 0xFFFF0000;
constexpr quint64 kCommand = 0x100000;
constexpr quint64 kShift = 0x20000;
constexpr quint64 kOption = 0x80000;
constexpr quint64 kControl = 0x40000;

// The value after the first "--language", if one follows it. Only the first occurrence counts.
std::optional<QString> languageArgument(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--language"));
    if (at < 0 || at + 1 >= arguments.size()) {
        return std::nullopt;
    }
    return arguments.at(at + 1);
}

const QHash<quint16, QString>& keyNames() {
    static const QHash<quint16, QString> table = {
        {0, QStringLiteral("A")},       {1, QStringLiteral("S")},
        {2, QStringLiteral("D")},       {3, QStringLiteral("F")},
        {4, QStringLiteral("H")},       {5, QStringLiteral("G")},
        {6, QStringLiteral("Z")},       {7, QStringLiteral("X")},
        {8, QStringLiteral("C")},       {9, QStringLiteral("V")},
        {11, QStringLiteral("B")},      {12, QStringLiteral("Q")},
        {13, QStringLiteral("W")},      {14, QStringLiteral("E")},
        {15, QStringLiteral("R")},      {16, QStringLiteral("Y")},
        {17, QStringLiteral("T")},      {31, QStringLiteral("O")},
        {32, QStringLiteral("U")},      {34, QStringLiteral("I")},
        {35, QStringLiteral("P")},      {37, QStringLiteral("L")},
        {38, QStringLiteral("J")},      {40, QStringLiteral("K")},
        {45, QStringLiteral("N")},      {46, QStringLiteral("M")},
        {18, QStringLiteral("1")},      {19, QStringLiteral("2")},
        {20, QStringLiteral("3")},      {21, QStringLiteral("4")},
        {22, QStringLiteral("6")},      {23, QStringLiteral("5")},
        {25, QStringLiteral("9")},      {26, QStringLiteral("7")},
        {28, QStringLiteral("8")},      {29, QStringLiteral("0")},
        {24, QStringLiteral("=")},      {27, QStringLiteral("-")},
        {30, QStringLiteral("]")},      {33, QStringLiteral("[")},
        {39, QStringLiteral("'")},      {41, QStringLiteral(";")},
        {42, QStringLiteral("\\")},     {43, QStringLiteral(",")},
        {44, QStringLiteral("/")},      {47, QStringLiteral(".")},
        {50, QStringLiteral("`")},      {36, QStringLiteral("\u21B5")},
        {48, QStringLiteral("\u21E5")}, {49, QStringLiteral("\u2423")},
        {51, QStringLiteral("\u232B")},
    };
    return table;
}

}  // namespace

AppSettings::AppSettings(KeyValueStore& store, LoginItems& loginItems, const QStringList& arguments,
                         QObject* parent)
    : QObject(parent), m_store(store), m_loginItems(loginItems) {
    // Initial values are not assignments: only the language argument and "AppleLanguages"
    // are written here, and no side effect runs.
    QString lang = m_store.stringValue(kPreferredLanguage).value_or(kSystem);
    if (const auto fromArgument = languageArgument(arguments)) {
        lang = *fromArgument;
        m_store.setValue(kPreferredLanguage, lang);
        AppLogger::log(
            QStringLiteral("[Language] AppSettings.init: язык из аргумента --language ") + lang);
    }
    AppLogger::log(QStringLiteral("[Language] AppSettings.init: применяю язык '") + lang +
                   QStringLiteral("'"));
    applyLanguage(m_store, lang);
    m_preferredLanguage = lang;
    AppLogger::log(QStringLiteral("[Language] AppSettings.init: готово preferredLanguage=") + lang);

    m_onboardingCompleted = m_store.boolValue(kOnboardingCompleted).value_or(false);
    m_launchAtLogin = m_store.boolValue(kLaunchAtLogin).value_or(true);
    m_hotkeyModifiers = m_store.uintValue(kHotkeyModifiers).value_or(defaultHotkeyModifiers);
    // A key code beyond 16 bits would be truncated into some unrelated key.
    const qint64 keyCode = m_store.intValue(kHotkeyKeyCode).value_or(defaultHotkeyKeyCode);
    m_hotkeyKeyCode = (keyCode >= 0 && keyCode <= 0xFFFF) ? quint16(keyCode) : defaultHotkeyKeyCode;
    // The history cannot keep a negative number of records.
    const qint64 limit = m_store.intValue(kBufferLimit).value_or(defaultBufferLimit);
    m_bufferLimit = limit >= 0 ? limit : defaultBufferLimit;
    m_autoDeleteMinutes = m_store.intValue(kAutoDeleteMinutes).value_or(0);
}

const QList<AppSettings::LanguageOption>& AppSettings::languageOptions() {
    static const QList<LanguageOption> options = {
        {QStringLiteral("en"), QStringLiteral("English")},
        {QStringLiteral("ru"), QStringLiteral("Русский")},
        {QStringLiteral("zh-Hans"), QStringLiteral("简体中文")},
        {QStringLiteral("ja"), QStringLiteral("日本語")},
        {QStringLiteral("de"), QStringLiteral("Deutsch")},
        {QStringLiteral("fr"), QStringLiteral("Français")},
        {QStringLiteral("es"), QStringLiteral("Español")},
        {QStringLiteral("pt-BR"), QStringLiteral("Português (Brasil)")},
        {QStringLiteral("ko"), QStringLiteral("한국어")},
    };
    return options;
}

const QList<AppSettings::AutoDeleteOption>& AppSettings::autoDeleteOptions() {
    static const QList<AutoDeleteOption> options = {
        {0, QStringLiteral("Never")},       {5, QStringLiteral("5 minutes")},
        {15, QStringLiteral("15 minutes")}, {30, QStringLiteral("30 minutes")},
        {60, QStringLiteral("1 hour")},     {360, QStringLiteral("6 hours")},
        {1440, QStringLiteral("24 hours")},
    };
    return options;
}

void AppSettings::applyLanguage(KeyValueStore& store, const QString& code) {
    AppLogger::log(QStringLiteral("[Language] applyLanguage('") + code + QStringLiteral("')"));
    if (code == kSystem) {
        store.remove(kAppleLanguages);
        return;
    }
    const QStringList languages =
        code == u"en" ? QStringList{QStringLiteral("en")} : QStringList{code, QStringLiteral("en")};
    store.setValue(kAppleLanguages, languages);
    AppLogger::log(QStringLiteral("[Language] applyLanguage: AppleLanguages = [") +
                   languages.join(QStringLiteral(", ")) + QStringLiteral("]"));
}

QString AppSettings::startupLanguage(KeyValueStore& store, const QStringList& arguments) {
    if (const auto fromArgument = languageArgument(arguments)) {
        store.setValue(kPreferredLanguage, *fromArgument);
        return *fromArgument;
    }
    return store.stringValue(kPreferredLanguage).value_or(kSystem);
}

void AppSettings::setPreferredLanguage(const QString& value) {
    Q_EMIT willChange();
    if (value == m_preferredLanguage) {
        return;
    }
    const QString old = m_preferredLanguage;
    m_preferredLanguage = value;
    AppLogger::log(QStringLiteral("[Language] preferredLanguage didSet: '") + old +
                   QStringLiteral("' -> '") + value + QStringLiteral("'"));
    m_store.setValue(kPreferredLanguage, value);
    applyLanguage(m_store, value);
    AppLogger::log(QStringLiteral("[Language] preferredLanguage didSet: views rebuild for '") +
                   value + QStringLiteral("'"));
    // Windows whose identity is the language rebuild and look their texts up again.
    Q_EMIT willChange();
    Q_EMIT preferredLanguageChanged(value);
}

void AppSettings::setOnboardingCompleted(bool value) {
    Q_EMIT willChange();
    m_onboardingCompleted = value;
    m_store.setValue(kOnboardingCompleted, value);
    Q_EMIT onboardingCompletedChanged(value);
}

void AppSettings::setLaunchAtLogin(bool value) {
    Q_EMIT willChange();
    m_launchAtLogin = value;
    m_store.setValue(kLaunchAtLogin, value);
    Q_EMIT launchAtLoginChanged(value);
    registerLoginItem(value);
}

void AppSettings::registerLoginItem(bool enabled) {
    const bool ok = enabled ? m_loginItems.registerApp() : m_loginItems.unregisterApp();
    // A failure turns the setting off; if that unregistration fails too, stop there instead of
    // asking again and again.
    if (ok || m_revertingLoginItem) {
        return;
    }
    m_revertingLoginItem = true;
    setLaunchAtLogin(false);
    m_revertingLoginItem = false;
}

void AppSettings::setHotkeyModifiers(quint64 value) {
    Q_EMIT willChange();
    m_hotkeyModifiers = value;
    m_store.setValue(kHotkeyModifiers, QVariant::fromValue<quint64>(value));
    Q_EMIT hotkeyAssigned();
}

void AppSettings::setHotkeyKeyCode(quint16 value) {
    Q_EMIT willChange();
    m_hotkeyKeyCode = value;
    m_store.setValue(kHotkeyKeyCode, int(value));
    Q_EMIT hotkeyAssigned();
}

void AppSettings::setBufferLimit(qint64 value) {
    Q_EMIT willChange();
    // The history must never be told to keep a negative number of records.
    m_bufferLimit = std::max<qint64>(value, 0);
    m_store.setValue(kBufferLimit, QVariant::fromValue<qint64>(m_bufferLimit));
    Q_EMIT bufferLimitAssigned();
}

void AppSettings::setAutoDeleteMinutes(qint64 value) {
    Q_EMIT willChange();
    m_autoDeleteMinutes = value;
    m_store.setValue(kAutoDeleteMinutes, QVariant::fromValue<qint64>(value));
    Q_EMIT autoDeleteMinutesAssigned();
}

QMap<QString, QString> AppSettings::pasteKeystrokes() const {
    QMap<QString, QString> entries;
    for (const QString& name : m_store.keysUnder(kPasteKeystrokesGroup)) {
        if (const std::optional<QString> text =
                m_store.stringValue(kPasteKeystrokesGroup + u'/' + name)) {
            entries.insert(name, *text);
        }
    }
    return entries;
}

QString AppSettings::hotkeyDisplayString() const {
    return displayString(m_hotkeyModifiers, m_hotkeyKeyCode);
}

QString AppSettings::displayString(quint64 modifiers, quint16 keyCode) {
    QString text;
    // Command first and Control last, unlike the usual ⌃⌥⇧⌘ order.
    if (modifiers & kCommand) {
        text += QStringLiteral("\u2318");
    }
    if (modifiers & kShift) {
        text += QStringLiteral("\u21E7");
    }
    if (modifiers & kOption) {
        text += QStringLiteral("\u2325");
    }
    if (modifiers & kControl) {
        text += QStringLiteral("\u2303");
    }
    return text + keyCodeToChar(keyCode);
}

QString AppSettings::keyCodeToChar(quint16 keyCode) {
    const auto& table = keyNames();
    const auto it = table.constFind(keyCode);
    if (it != table.constEnd()) {
        return it.value();
    }
    return QStringLiteral("Key") + QString::number(keyCode);
}

bool AppSettings::modifierFlagsMatch(quint64 flags) const {
    const quint64 present = flags & kDeviceIndependentMask;
    return (m_hotkeyModifiers & ~present) == 0;
}
