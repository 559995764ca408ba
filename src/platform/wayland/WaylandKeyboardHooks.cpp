// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandKeyboardHooks.h"

#include "platform/wayland/SwayIpc.h"

namespace {
class CallbackHandle final : public HookHandle {
  public:
    explicit CallbackHandle(std::function<void()> remove) : m_remove(std::move(remove)) {}
    ~CallbackHandle() override { m_remove(); }

  private:
    std::function<void()> m_remove;
};

// Single quotes keep everything literal for sh. sway hands the exec's argument to sh as it
// stands, only the outer double quotes taken off, so a double quote inside must not end that
// argument: it goes outside the single quotes, escaped, where sh reads it as itself. A quote of
// either kind ends the single-quoted string, stands escaped and opens a new one.
QString shellQuoted(const QString& word) {
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    quoted.replace(QLatin1Char('"'), QStringLiteral("'\\\"'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
}  // namespace

WaylandKeyboardHooks::WaylandKeyboardHooks(const SwayIpc* sway, QStringList chordCommand)
    : m_sway(sway), m_chordCommand(std::move(chordCommand)) {}

std::optional<QString> WaylandKeyboardHooks::swayChord(quint16 keyCode, quint64 modifiers) {
    if (!KeyCode::isKey(keyCode)) {
        return std::nullopt;
    }
    QStringList parts;
    const std::pair<quint64, const char*> names[] = {{ModifierFlag::Super, "Mod4"},
                                                     {ModifierFlag::Control, "Ctrl"},
                                                     {ModifierFlag::Alt, "Mod1"},
                                                     {ModifierFlag::Shift, "Shift"}};
    for (const auto& [flag, name] : names) {
        if (modifiers & flag) {
            parts << QString::fromLatin1(name);
        }
    }
    parts << QString::number(keyCode);
    return parts.join(QLatin1Char('+'));
}

QString WaylandKeyboardHooks::swayExec(const QStringList& command) {
    QStringList words;
    for (const QString& word : command) {
        // A line break would end sway's command.
        if (word.contains(QLatin1Char('\n')) || word.contains(QLatin1Char('\r'))) {
            return {};
        }
        words << shellQuoted(word);
    }
    return QStringLiteral("exec \"%1\"").arg(words.join(QLatin1Char(' ')));
}

std::unique_ptr<HookHandle> WaylandKeyboardHooks::interceptChord(quint16 keyCode, quint64 modifiers,
                                                                 KeyHandler,
                                                                 ChordRefusal* refusal) {
    const std::optional<QString> chord = swayChord(keyCode, modifiers);
    const QString exec = swayExec(m_chordCommand);
    if (m_sway == nullptr || !chord || m_chordCommand.isEmpty() || exec.isEmpty() ||
        !m_sway->run(QStringLiteral("bindcode --no-warn %1 %2").arg(*chord, exec))) {
        if (refusal != nullptr) {
            *refusal = ChordRefusal::Unavailable;
        }
        return nullptr;
    }
    const SwayIpc* sway = m_sway;
    // A binding left behind would start a new instance on the next press: removed with the
    // handle, which the owner drops before quitting.
    return std::make_unique<CallbackHandle>(
        [sway, chord = *chord] { sway->run(QStringLiteral("unbindcode %1").arg(chord)); });
}

std::unique_ptr<HookHandle> WaylandKeyboardHooks::observeGlobalKeyDowns(KeyHandler) {
    return nullptr;
}

std::unique_ptr<HookHandle> WaylandKeyboardHooks::observeLocalKeyDowns(KeyFilter filter) {
    return m_localKeys.add(std::move(filter));
}
