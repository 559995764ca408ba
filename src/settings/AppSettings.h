// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

#include "keys/KeyEvent.h"

class KeyValueStore;
class Autostart;

// The user's choices, written through to the store on every assignment. Side effects that other
// services must apply run synchronously inside the assignment through the *Assigned signals,
// which the composition root connects directly (history limit, auto-delete timer, chord).
class AppSettings : public QObject {
    Q_OBJECT
  public:
    struct LanguageOption {
        QString code;
        QString name;
    };
    struct AutoDeleteOption {
        qint64 minutes;
        const char* text;  // SettingsView's, untranslated
    };

    static constexpr quint64 defaultChordModifiers = ModifierFlag::Super | ModifierFlag::Shift;
    static constexpr quint16 defaultChordKeyCode = KeyCode::V;
    static constexpr qint64 defaultHistorySize = 50;

    // Loads the nine values; arguments are the process arguments (scanned for "--language").
    // Writes only the language argument and "AppleLanguages"; runs no side effect.
    AppSettings(KeyValueStore& store, Autostart& autostart, const QStringList& arguments,
                QObject* parent = nullptr);

    static const QList<LanguageOption>& languageOptions();
    // Whether this is a code the language setting takes: one of the options, or "system".
    static bool isLanguageCode(const QString& code);
    static const QList<AutoDeleteOption>& autoDeleteOptions();

    // Writes the stored language list, "AppleLanguages", for the language ("system" removes
    // it); the next run starts from it. The key's name is kept for the files that hold it.
    static void applyLanguage(KeyValueStore& store, const QString& code);
    // That list as the previous run left it; nothing when it is missing or empty.
    static std::optional<QStringList> storedLanguages(const KeyValueStore& store);
    // The language the process starts with: the "--language" value if one is given (stored
    // under "preferredLanguage" at once), else the stored one, else "system".
    static QString startupLanguage(KeyValueStore& store, const QStringList& arguments);

    QString preferredLanguage() const { return m_preferredLanguage; }
    bool onboardingCompleted() const { return m_onboardingCompleted; }
    // The settings file when it is there but cannot be read (see KeyValueStore).
    QString unreadableSettingsFile() const;
    bool launchAtLogin() const { return m_launchAtLogin; }
    quint64 chordModifiers() const { return m_chord.modifiers; }
    quint16 chordKeyCode() const { return m_chord.keyCode; }
    qint64 historySize() const { return m_historySize; }
    qint64 autoDeleteMinutes() const { return m_autoDeleteMinutes; }
    // Every record kept across restarts, not just the pins; off unless the user asks.
    bool keepHistory() const { return m_keepHistory; }

    void setPreferredLanguage(const QString& value);
    void setOnboardingCompleted(bool value);
    void setLaunchAtLogin(bool value);
    // At start and as the settings window shows: the setting reads what is in force; nothing
    // is registered.
    void reconcileLoginItem();
    // Whether the user has said yes or no to starting at login (or an earlier version did).
    bool launchAtLoginAnswered() const;
    // What the guide's "Start Quillstack when you log in" box starts as: the answer given, else
    // the login service's offer.
    bool launchAtLoginOffered() const;
    void setChord(const Keystroke& chord);
    void setHistorySize(qint64 value);
    void setAutoDeleteMinutes(qint64 value);
    void setKeepHistory(bool value);

    // The user's additions to the paste keystroke table, window class -> keystroke text, as
    // found in the settings group "PasteKeystrokes"; values that are not text are left out.
    QMap<QString, QString> pasteKeystrokes() const;

    // Window classes (X11) or app ids (Wayland) whose copies are never recorded; a fresh
    // settings file starts with common password managers, which the user may remove.
    static const QStringList& defaultIgnoredApplications();
    const QStringList& ignoredApplications() const { return m_ignoredApplications; }
    // Blank and repeated names (any case) are left out, and text that names no application
    // (a bare number, control characters). A stored value that is not such a list gives the
    // defaults, and problem() says so; an empty one means none.
    void setIgnoredApplications(const QStringList& names);

    // Where the user left one of our windows ("history", "settings"): its geometry in
    // device-independent pixels of the desktop; none before it was first closed, or when the
    // stored value is not one.
    std::optional<QRect> windowFrame(const QString& window) const;
    void setWindowFrame(const QString& window, const QRect& frame);

    // The chord as the user reads it on this desktop, in the interface language.
    QString chordDisplayString() const;

  Q_SIGNALS:
    // Sent before a value changes (views re-render), and once more after a language change.
    void willChange();
    void preferredLanguageChanged(const QString& language);
    void onboardingCompletedChanged(bool completed);
    void launchAtLoginChanged(bool enabled);
    // Side-effect signals, sent on every assignment of the property, equal value or not.
    void chordAssigned();
    void historySizeAssigned();
    void autoDeleteMinutesAssigned();
    void keepHistoryAssigned();
    void ignoredApplicationsChanged();
    // Something the user should hear of, in English (ProblemNotices translates it). Sent once
    // per kind, found during construction and said on the next event-loop turn.
    void problem(const QString& english);

  private:
    void registerLoginItem(bool enabled);
    QStringList loadIgnoredApplications();
    void reportProblem(const QString& englishKey);

    KeyValueStore& m_store;
    Autostart& m_autostart;
    QString m_preferredLanguage;
    bool m_onboardingCompleted = false;
    bool m_launchAtLogin = false;
    Keystroke m_chord{defaultChordModifiers, defaultChordKeyCode};
    qint64 m_historySize = defaultHistorySize;
    qint64 m_autoDeleteMinutes = 0;
    bool m_keepHistory = false;
    bool m_revertingLoginItem = false;
    QStringList m_ignoredApplications;
    QSet<QString> m_problemsReported;
};
