#include "settings/AppSettings.h"

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
constexpr quint64 kCapsLock = 0x10000;

// The value after the first "--language", if one follows it. Only the first occurrence counts.
std::optional<QString> languageArgument(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--language"));
    if (at < 0 || at + 1 >= arguments.size()) {
        return std::nullopt;
    }
    return arguments.at(at + 1);
}

// One table for both forms of a key's name: the desktop's words and the macOS glyphs. A key
// with no glyph is written "Key" + its code in the glyph form, as on the Mac.
struct KeyName {
    quint16 code;
    const char16_t* word;
    const char16_t* glyph;
};

constexpr KeyName kKeyNames[] = {
    {0, u"A", u"A"},
    {1, u"S", u"S"},
    {2, u"D", u"D"},
    {3, u"F", u"F"},
    {4, u"H", u"H"},
    {5, u"G", u"G"},
    {6, u"Z", u"Z"},
    {7, u"X", u"X"},
    {8, u"C", u"C"},
    {9, u"V", u"V"},
    {11, u"B", u"B"},
    {12, u"Q", u"Q"},
    {13, u"W", u"W"},
    {14, u"E", u"E"},
    {15, u"R", u"R"},
    {16, u"Y", u"Y"},
    {17, u"T", u"T"},
    {31, u"O", u"O"},
    {32, u"U", u"U"},
    {34, u"I", u"I"},
    {35, u"P", u"P"},
    {37, u"L", u"L"},
    {38, u"J", u"J"},
    {40, u"K", u"K"},
    {45, u"N", u"N"},
    {46, u"M", u"M"},
    {18, u"1", u"1"},
    {19, u"2", u"2"},
    {20, u"3", u"3"},
    {21, u"4", u"4"},
    {22, u"6", u"6"},
    {23, u"5", u"5"},
    {25, u"9", u"9"},
    {26, u"7", u"7"},
    {28, u"8", u"8"},
    {29, u"0", u"0"},
    {24, u"=", u"="},
    {27, u"-", u"-"},
    {30, u"]", u"]"},
    {33, u"[", u"["},
    {39, u"'", u"'"},
    {41, u";", u";"},
    {42, u"\\", u"\\"},
    {43, u",", u","},
    {44, u"/", u"/"},
    {47, u".", u"."},
    {50, u"`", u"`"},
    {36, u"Return", u"\u21B5"},
    {48, u"Tab", u"\u21E5"},
    {49, u"Space", u"\u2423"},
    {51, u"Backspace", u"\u232B"},
    // Keys the Mac table leaves unnamed, as Linux desktops write them.
    {53, u"Esc", nullptr},
    {76, u"Enter", nullptr},
    {114, u"Insert", nullptr},
    {117, u"Delete", nullptr},
    {115, u"Home", nullptr},
    {119, u"End", nullptr},
    {116, u"Page Up", nullptr},
    {121, u"Page Down", nullptr},
    {123, u"Left", nullptr},
    {124, u"Right", nullptr},
    {125, u"Down", nullptr},
    {126, u"Up", nullptr},
    {122, u"F1", nullptr},
    {120, u"F2", nullptr},
    {99, u"F3", nullptr},
    {118, u"F4", nullptr},
    {96, u"F5", nullptr},
    {97, u"F6", nullptr},
    {98, u"F7", nullptr},
    {100, u"F8", nullptr},
    {101, u"F9", nullptr},
    {109, u"F10", nullptr},
    {103, u"F11", nullptr},
    {111, u"F12", nullptr},
};

// The modifiers in the order the desktop shows them: Super first ("Super+Shift+V"), then the
// usual Ctrl, Alt, Shift; glyphRank is
// the macOS glyph order (command first, control last), -1 where the Mac shows nothing.
struct ModifierName {
    quint64 bit;
    const char16_t* word;
    const char16_t* glyph;
    int glyphRank;
};

constexpr ModifierName kModifierNames[] = {
    {kCommand, u"Super", u"\u2318", 0},    {kControl, u"Ctrl", u"\u2303", 3},
    {kOption, u"Alt", u"\u2325", 2},       {kShift, u"Shift", u"\u21E7", 1},
    {kCapsLock, u"CapsLock", nullptr, -1},
};

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

std::optional<QStringList> AppSettings::storedLanguages(const KeyValueStore& store) {
    std::optional<QStringList> stored = store.stringListValue(kAppleLanguages);
    if (stored && stored->isEmpty()) {
        return std::nullopt;
    }
    return stored;
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

QString AppSettings::displayString(quint64 modifiers, quint16 keyCode, ChordForm form) {
    if (form == ChordForm::Glyphs) {
        QString text;
        for (int rank = 0; rank < 4; ++rank) {
            for (const ModifierName& m : kModifierNames) {
                if (m.glyphRank == rank && (modifiers & m.bit) != 0) {
                    text += QString::fromUtf16(m.glyph);
                }
            }
        }
        return text + keyCodeToChar(keyCode, form);
    }
    QStringList pieces;
    for (const ModifierName& m : kModifierNames) {
        if ((modifiers & m.bit) != 0) {
            pieces << QString::fromUtf16(m.word);
        }
    }
    pieces << keyCodeToChar(keyCode, form);
    return pieces.join(u'+');
}

QString AppSettings::keyCodeToChar(quint16 keyCode, ChordForm form) {
    for (const KeyName& k : kKeyNames) {
        if (k.code != keyCode) {
            continue;
        }
        const char16_t* name = form == ChordForm::Glyphs ? k.glyph : k.word;
        if (name != nullptr) {
            return QString::fromUtf16(name);
        }
        break;
    }
    return QStringLiteral("Key") + QString::number(keyCode);
}

bool AppSettings::modifierFlagsMatch(quint64 flags) const {
    const quint64 present = flags & kDeviceIndependentMask;
    return (m_hotkeyModifiers & ~present) == 0;
}
