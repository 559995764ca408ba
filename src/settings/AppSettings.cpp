// SPDX-License-Identifier: MIT
#include "settings/AppSettings.h"

#include <QSet>

#include <algorithm>
#include <optional>

#include "core/AppLogger.h"
#include "keys/KeyNames.h"
#include "platform/Autostart.h"
#include "platform/KeyValueStore.h"
#include "settings/StoredChord.h"

namespace {

const QString kPreferredLanguage = QStringLiteral("preferredLanguage");
const QString kOnboardingCompleted = QStringLiteral("onboardingCompleted");
const QString kLaunchAtLogin = QStringLiteral("launchAtLogin");
// The chord in StoredChord's numbers.
const QString kChordModifiers = QStringLiteral("hotkeyModifiers");
const QString kChordKeyCode = QStringLiteral("hotkeyKeyCode");
const QString kHistorySize = QStringLiteral("bufferLimit");
const QString kAutoDeleteMinutes = QStringLiteral("autoDeleteMinutes");
const QString kKeepHistory = QStringLiteral("keepHistory");
const QString kPasteKeystrokesGroup = QStringLiteral("PasteKeystrokes");
const QString kIgnoredApplications = QStringLiteral("ignoredApplications");
const QString kWindowFramesGroup = QStringLiteral("WindowFrames");
// The interface languages chosen, under the name an earlier program gave them: existing
// settings files hold them there.
const QString kAppleLanguages = QStringLiteral("AppleLanguages");
const QString kSystem = QStringLiteral("system");
const QString kIgnoredApplicationsProblem = QStringLiteral(QT_TRANSLATE_NOOP(
    "ProblemNotices",
    "The ignored applications in the settings file cannot be read: the usual password managers "
    "are ignored instead."));

// Text that can name a window class or an app id. A leading "@" is QSettings' markup for a
// value it could not decode (it writes a literal one doubled), U+FFFD stands for bytes that were
// not UTF-8, and a bare number is what an INI file holds for a number, never an application.
bool isApplicationName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'@') || name.contains(QChar::ReplacementCharacter)) {
        return false;
    }
    // Asked only of what may start a number: toDouble() is slow, and reads "inf" and "nan".
    const QChar first = name.front();
    bool number = false;
    if (first.isDigit() || first == u'+' || first == u'-' || first == u'.') {
        name.toDouble(&number);
    }
    return !number && std::all_of(name.cbegin(), name.cend(),
                                  [](QChar c) { return c.isPrint() || c.isSurrogate(); });
}

// Trimmed, blanks and repeats (any case) left out; linear, since a hand-made file may be long.
// Nothing when an entry names no application.
std::optional<QStringList> cleanedNames(const QStringList& names) {
    QStringList out;
    QSet<QString> seen;
    seen.reserve(names.size());
    for (const QString& name : names) {
        const QString trimmed = name.trimmed();
        if (trimmed.isEmpty()) {
            continue;
        }
        if (!isApplicationName(trimmed)) {
            return std::nullopt;
        }
        const QString folded = trimmed.toCaseFolded();
        if (!seen.contains(folded)) {
            seen.insert(folded);
            out << trimmed;
        }
    }
    return out;
}

// The value after the first "--language", if one follows it. Only the first occurrence counts.
// "--language CODE" or "--language=CODE", one dash or two, as the command line takes them.
std::optional<QString> languageArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (argument.startsWith(QStringLiteral("--"))) {
            argument.remove(0, 1);
        }
        if (argument == u"-language" && i + 1 < arguments.size()) {
            return arguments.at(i + 1);
        }
        if (argument.startsWith(QStringLiteral("-language="))) {
            return argument.mid(10);
        }
    }
    return std::nullopt;
}

}  // namespace

AppSettings::AppSettings(KeyValueStore& store, Autostart& autostart, const QStringList& arguments,
                         QObject* parent)
    : QObject(parent), m_store(store), m_autostart(autostart) {
    // Initial values are not assignments: only the language argument and "AppleLanguages"
    // are written here, and no side effect runs.
    QString lang = m_store.stringValue(kPreferredLanguage).value_or(kSystem);
    if (const auto fromArgument = languageArgument(arguments)) {
        lang = *fromArgument;
        m_store.setValue(kPreferredLanguage, lang);
        AppLogger::log(QStringLiteral("[Language] AppSettings.init: language from --language ") +
                       lang);
    }
    AppLogger::log(QStringLiteral("[Language] AppSettings.init: applying language '") + lang +
                   QStringLiteral("'"));
    applyLanguage(m_store, lang);
    m_preferredLanguage = lang;
    AppLogger::log(QStringLiteral("[Language] AppSettings.init: done, preferredLanguage=") + lang);

    // A settings file that cannot be read belongs to somebody who has been here: the guide
    // would otherwise open at every start, since nothing can record that it was seen.
    m_onboardingCompleted =
        m_store.boolValue(kOnboardingCompleted).value_or(!m_store.unreadableFile().isEmpty());
    m_launchAtLogin = m_store.boolValue(kLaunchAtLogin).value_or(false);
    const StoredChord::Numbers fallback = StoredChord::write(m_chord);
    // A key code beyond 16 bits would be truncated into some unrelated key.
    const qint64 keyCode = m_store.intValue(kChordKeyCode).value_or(fallback.keyCode);
    m_chord = StoredChord::read(
        {m_store.uintValue(kChordModifiers).value_or(fallback.modifiers),
         (keyCode >= 0 && keyCode <= 0xFFFF) ? quint16(keyCode) : fallback.keyCode});
    // The history cannot keep a negative number of records.
    const qint64 limit = m_store.intValue(kHistorySize).value_or(defaultHistorySize);
    m_historySize = limit >= 0 ? limit : defaultHistorySize;
    m_autoDeleteMinutes = m_store.intValue(kAutoDeleteMinutes).value_or(0);
    m_keepHistory = m_store.boolValue(kKeepHistory).value_or(false);
    // A list the user emptied is stored as an empty text: INI files cannot tell an empty list
    // from a missing key, which would bring the defaults back.
    m_ignoredApplications = loadIgnoredApplications();
}

QStringList AppSettings::loadIgnoredApplications() {
    if (!m_store.contains(kIgnoredApplications)) {
        return defaultIgnoredApplications();
    }
    // A value that is not a list of names would otherwise ignore nothing (or only nonsense),
    // and every password manager's copies would be kept: the defaults protect more.
    const std::optional<QStringList> stored = m_store.stringListValue(kIgnoredApplications);
    const std::optional<QStringList> cleaned = stored ? cleanedNames(*stored) : std::nullopt;
    if (!cleaned) {
        AppLogger::log(QStringLiteral("AppSettings: ignoredApplications unreadable, defaults"));
        reportProblem(kIgnoredApplicationsProblem);
        return defaultIgnoredApplications();
    }
    return *cleaned;
}

void AppSettings::reportProblem(const QString& englishKey) {
    if (m_problemsReported.contains(englishKey)) {
        return;
    }
    m_problemsReported.insert(englishKey);
    // Found while constructing, before anybody could connect: said on the next turn.
    QMetaObject::invokeMethod(
        this, [this, englishKey] { Q_EMIT problem(englishKey); }, Qt::QueuedConnection);
}

const QStringList& AppSettings::defaultIgnoredApplications() {
    // WM_CLASS class names, as their desktop files' StartupWMClass give them; KeePassXC's
    // Wayland app id org.keepassxc.KeePassXC matches by its last part.
    // Bitwarden's Wayland window gives the whole app id: its last part, "desktop", names nothing.
    static const QStringList names = {QStringLiteral("KeePassXC"),
                                      QStringLiteral("Bitwarden"),
                                      QStringLiteral("com.bitwarden.desktop"),
                                      QStringLiteral("1Password"),
                                      QStringLiteral("KeePass2"),
                                      QStringLiteral("QtPass")};
    return names;
}

void AppSettings::setIgnoredApplications(const QStringList& names) {
    Q_EMIT willChange();
    // What names no application is left out here, as a stored value with it would be refused.
    QStringList kept;
    for (const QString& name : names) {
        if (isApplicationName(name.trimmed())) {
            kept << name;
        }
    }
    m_ignoredApplications = cleanedNames(kept).value_or(QStringList());
    m_store.setValue(kIgnoredApplications, m_ignoredApplications.isEmpty()
                                               ? QVariant(QString())
                                               : QVariant(m_ignoredApplications));
    Q_EMIT ignoredApplicationsChanged();
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
        {0, QT_TRANSLATE_NOOP("SettingsView", "Never")},
        {5, QT_TRANSLATE_NOOP("SettingsView", "5 minutes")},
        {15, QT_TRANSLATE_NOOP("SettingsView", "15 minutes")},
        {30, QT_TRANSLATE_NOOP("SettingsView", "30 minutes")},
        {60, QT_TRANSLATE_NOOP("SettingsView", "1 hour")},
        {360, QT_TRANSLATE_NOOP("SettingsView", "6 hours")},
        {1440, QT_TRANSLATE_NOOP("SettingsView", "24 hours")},
    };
    return options;
}

bool AppSettings::isLanguageCode(const QString& code) {
    const auto& options = languageOptions();
    return code == kSystem || std::any_of(options.begin(), options.end(),
                                          [&](const auto& option) { return option.code == code; });
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

QString AppSettings::unreadableSettingsFile() const {
    return m_store.unreadableFile();
}

void AppSettings::reconcileLoginItem() {
    // A start never writes the entry: only the user's yes does (the guide's last page, the
    // settings window). An entry removed or turned off in the desktop's own startup settings is
    // the user's answer, kept as the setting so that nothing writes it back.
    m_launchAtLogin = m_autostart.isRegistered();
    if (m_store.contains(kLaunchAtLogin) &&
        m_store.boolValue(kLaunchAtLogin).value_or(!m_launchAtLogin) != m_launchAtLogin) {
        m_store.setValue(kLaunchAtLogin, m_launchAtLogin);
    }
}

bool AppSettings::launchAtLoginAnswered() const {
    return m_store.contains(kLaunchAtLogin);
}

bool AppSettings::launchAtLoginOffered() const {
    return launchAtLoginAnswered() || m_launchAtLogin ? m_launchAtLogin
                                                      : m_autostart.offeredAtFirstStart();
}

void AppSettings::registerLoginItem(bool enabled) {
    const bool ok = enabled ? m_autostart.registerApp() : m_autostart.unregisterApp();
    // A failure turns the setting off; if that unregistration fails too, stop there instead of
    // asking again and again.
    if (ok || m_revertingLoginItem) {
        return;
    }
    m_revertingLoginItem = true;
    setLaunchAtLogin(false);
    m_revertingLoginItem = false;
}

void AppSettings::setChord(const Keystroke& chord) {
    Q_EMIT willChange();
    m_chord = chord;
    const StoredChord::Numbers stored = StoredChord::write(chord);
    m_store.setValue(kChordModifiers, QVariant::fromValue<quint64>(stored.modifiers));
    m_store.setValue(kChordKeyCode, int(stored.keyCode));
    Q_EMIT chordAssigned();
}

void AppSettings::setHistorySize(qint64 value) {
    Q_EMIT willChange();
    // The history must never be told to keep a negative number of records.
    m_historySize = std::max<qint64>(value, 0);
    m_store.setValue(kHistorySize, QVariant::fromValue<qint64>(m_historySize));
    Q_EMIT historySizeAssigned();
}

void AppSettings::setAutoDeleteMinutes(qint64 value) {
    Q_EMIT willChange();
    m_autoDeleteMinutes = value;
    m_store.setValue(kAutoDeleteMinutes, QVariant::fromValue<qint64>(value));
    Q_EMIT autoDeleteMinutesAssigned();
}

void AppSettings::setKeepHistory(bool value) {
    Q_EMIT willChange();
    m_keepHistory = value;
    m_store.setValue(kKeepHistory, value);
    Q_EMIT keepHistoryAssigned();
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

std::optional<QRect> AppSettings::windowFrame(const QString& window) const {
    // Four whole numbers, as written below; anything else is as if none were kept.
    const std::optional<QString> text = m_store.stringValue(kWindowFramesGroup + u'/' + window);
    const QStringList parts = text.value_or(QString()).split(u' ');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    int numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    const QRect frame(numbers[0], numbers[1], numbers[2], numbers[3]);
    return frame.isValid() ? std::optional(frame) : std::nullopt;
}

void AppSettings::setWindowFrame(const QString& window, const QRect& frame) {
    m_store.setValue(kWindowFramesGroup + u'/' + window, QStringLiteral("%1 %2 %3 %4")
                                                             .arg(frame.x())
                                                             .arg(frame.y())
                                                             .arg(frame.width())
                                                             .arg(frame.height()));
}

QString AppSettings::chordDisplayString() const {
    return KeyNames::displayString(m_chord.modifiers, m_chord.keyCode,
                                   KeyNames::ChordForm::Translated);
}
