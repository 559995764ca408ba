// SPDX-License-Identifier: MIT
#include "chord/PasteKeystrokeTable.h"

#include "keys/KeyNames.h"

namespace {

constexpr qsizetype kMaxNameLength = 256;

const QHash<QString, Keystroke>& builtInEntries() {
    static const QHash<QString, Keystroke> entries = [] {
        QHash<QString, Keystroke> table;
        // VTE terminals, Konsole, kitty, Alacritty, foot, WezTerm, weston-terminal: the clipboard
        // on Ctrl+Shift+V.
        // X11 class names, and Wayland app ids: whole where their last part ("Terminal") says
        // too little, else that part (org.kde.konsole, com.mitchellh.ghostty).
        for (const char* name : {"gnome-terminal",
                                 "gnome-terminal-server",
                                 "xfce4-terminal",
                                 "lxterminal",
                                 "tilix",
                                 "terminator",
                                 "mate-terminal",
                                 "kgx",
                                 "konsole",
                                 "yakuake",
                                 "kitty",
                                 "alacritty",
                                 "foot",
                                 "footclient",
                                 "org.freedesktop.weston.wayland-terminal",
                                 "org.wezfurlong.wezterm",
                                 "wezterm",
                                 "wezterm-gui",
                                 "ghostty",
                                 "ptyxis",
                                 "terminology",
                                 "org.gnome.terminal",
                                 "org.gnome.console",
                                 "org.gnome.zbrown.kingscross",
                                 "org.xfce.terminal",
                                 "io.elementary.terminal",
                                 "com.raggesilver.blackbox",
                                 "com.system76.cosmicterm"}) {
            table.insert(QString::fromLatin1(name), PasteKeystrokeTable::controlShiftV);
        }
        // Terminals that paste the primary selection on Shift+Insert and have no clipboard key.
        for (const char* name : {"xterm", "uxterm", "urxvt", "rxvt", "rxvt-unicode"}) {
            table.insert(QString::fromLatin1(name), PasteKeystrokeTable::shiftInsert);
        }
        return table;
    }();
    return entries;
}

std::optional<quint16> keyCodeNamed(const QString& name) {
    if (name.compare(u"Insert", Qt::CaseInsensitive) == 0 ||
        name.compare(u"Ins", Qt::CaseInsensitive) == 0) {
        return KeyCode::Insert;
    }
    if (name.size() != 1 || !name.at(0).isLetterOrNumber() || name.at(0).unicode() > 0x7f) {
        return std::nullopt;
    }
    const QString upper = name.toUpper();
    for (quint16 code = KeyCode::EvdevOffset; KeyCode::isKey(code); ++code) {
        if (KeyNames::keyCodeToChar(code) == upper) {
            return code;
        }
    }
    return std::nullopt;
}

std::optional<quint64> modifierNamed(const QString& name) {
    const QString lower = name.toLower();
    if (lower == u"ctrl" || lower == u"control") {
        return ModifierFlag::Control;
    }
    if (lower == u"shift") {
        return ModifierFlag::Shift;
    }
    if (lower == u"alt") {
        return ModifierFlag::Alt;
    }
    if (lower == u"super") {
        return ModifierFlag::Super;
    }
    return std::nullopt;
}

}  // namespace

PasteKeystrokeTable::PasteKeystrokeTable(const QMap<QString, QString>& userEntries) {
    for (auto it = userEntries.cbegin(); it != userEntries.cend(); ++it) {
        const QString name = it.key().trimmed().toLower();
        if (name.isEmpty() || name.size() > kMaxNameLength) {
            continue;
        }
        if (const std::optional<Keystroke> keystroke = parse(it.value())) {
            m_userEntries.insert(name, *keystroke);
        }
    }
}

Keystroke PasteKeystrokeTable::keystrokeFor(const QString& instanceName,
                                            const QString& className) const {
    if (const auto user = find(m_userEntries, instanceName, className)) {
        return *user;
    }
    return find(builtInEntries(), instanceName, className).value_or(controlV);
}

std::optional<Keystroke> PasteKeystrokeTable::find(const QHash<QString, Keystroke>& entries,
                                                   const QString& instanceName,
                                                   const QString& className) const {
    // The class names the application; the instance may be renamed by the user (xterm -name).
    for (const QString& name : {className, instanceName}) {
        if (name.isEmpty()) {
            continue;
        }
        const auto found = entries.constFind(name.toLower());
        if (found != entries.cend()) {
            return *found;
        }
    }
    return std::nullopt;
}

std::optional<Keystroke> PasteKeystrokeTable::parse(const QString& text) {
    const QStringList parts = text.split(u'+');
    if (parts.size() < 2) {
        return std::nullopt;
    }
    Keystroke keystroke;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const std::optional<quint64> modifier = modifierNamed(parts.at(i).trimmed());
        if (!modifier || (keystroke.modifiers & *modifier) != 0) {
            return std::nullopt;
        }
        keystroke.modifiers |= *modifier;
    }
    const std::optional<quint16> key = keyCodeNamed(parts.last().trimmed());
    if (!key) {
        return std::nullopt;
    }
    keystroke.keyCode = *key;
    return keystroke;
}
