// SPDX-License-Identifier: MIT
#include "ui/settings/ChordRecorderView.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "chord/ChordDetector.h"
#include "keys/ChordPolicy.h"
#include "keys/KeyCodeTable.h"
#include "keys/KeyNames.h"
#include "settings/AppSettings.h"

namespace {

QColor withAlpha(QColor colour, float alpha) {
    colour.setAlphaF(alpha);
    return colour;
}

}  // namespace

ChordRecorderView::ChordRecorderView(AppSettings& settings, ChordDetector& chordDetector,
                                     QWidget* parent)
    : QWidget(parent), m_settings(settings), m_chordDetector(chordDetector) {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    rows->addLayout(row);

    auto* label = new QLabel(tr("Shortcut for pasting:"), this);
    QPalette secondary = label->palette();
    secondary.setColor(QPalette::WindowText,
                       withAlpha(secondary.color(QPalette::WindowText), 0.6f));
    label->setPalette(secondary);

    m_chord = new QLabel(this);
    m_chord->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QColor fill = withAlpha(palette().color(QPalette::WindowText), 0.08f);
    m_chord->setStyleSheet(QStringLiteral("QLabel { background-color: rgba(%1, %2, %3, %4); "
                                          "border-radius: 6px; padding: 4px 8px; }")
                               .arg(fill.red())
                               .arg(fill.green())
                               .arg(fill.blue())
                               .arg(fill.alphaF()));

    m_button = new QPushButton(this);
    // A click leaves the focus where it was: a plain Space or Return typed while recording
    // goes on to that control instead of pressing this button again and cancelling.
    m_button->setAutoDefault(false);
    m_button->setFocusPolicy(Qt::TabFocus);
    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_isRecording) {
            stop();
        } else {
            startRecording();
        }
    });

    row->addWidget(label, 0, Qt::AlignVCenter);
    row->addWidget(m_chord, 0, Qt::AlignVCenter);
    row->addWidget(m_button, 0, Qt::AlignVCenter);
    row->addStretch(1);

    m_hint = new QLabel(this);
    m_hint->setWordWrap(true);
    m_hint->setPalette(secondary);
    rows->addWidget(m_hint);

    connect(&m_settings, &AppSettings::chordAssigned, this, &ChordRecorderView::showChord);
    showChord();
    setRecording(false);
}

ChordRecorderView::~ChordRecorderView() {
    // A rebuilt or closed settings window stores nothing and gives the chord back.
    stop();
}

void ChordRecorderView::showChord() {
    m_chord->setText(m_settings.chordDisplayString());
    // The button is what a screen reader lands on: it says which chord it changes.
    m_button->setAccessibleDescription(tr("Shortcut for pasting:") + u' ' + m_chord->text());
}

void ChordRecorderView::setRecording(bool recording) {
    m_isRecording = recording;
    m_button->setText(recording ? tr("Press shortcut…") : tr("Change"));
    m_hint->setText(tr("Press the new shortcut; Esc cancels."));
    m_hint->setVisible(recording);
}

void ChordRecorderView::startRecording() {
    m_captured = false;
    setRecording(true);
    m_detectionPause = m_chordDetector.pauseDetection();
    qApp->installEventFilter(this);
}

void ChordRecorderView::stop() {
    qApp->removeEventFilter(this);
    m_captured = false;
    // Detection comes back with whatever chord is stored by now.
    m_detectionPause.reset();
    setRecording(false);
}

void ChordRecorderView::hideEvent(QHideEvent* event) {
    stop();
    QWidget::hideEvent(event);
}

bool ChordRecorderView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (!m_isRecording || (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)) {
        return QWidget::eventFilter(watched, event);
    }
    const std::optional<KeyEvent> chord =
        KeyCodeTable::fromQKeyEvent(*static_cast<QKeyEvent*>(event));
    // Presses of a modifier key by itself go on to their target.
    if (!chord) {
        return false;
    }
    const quint64 held = chord->modifiers;
    if (held == 0 && chord->keyCode == KeyCode::Escape) {
        // Taken, so that it neither closes the window nor reaches anything else.
        event->accept();
        if (type == QEvent::KeyPress && !m_captured) {
            stop();
        }
        return true;
    }
    const ChordPolicy::Verdict verdict = ChordPolicy::judge(held, chord->keyCode);
    if (verdict != ChordPolicy::Verdict::Allowed && type == QEvent::KeyPress) {
        const QString shown =
            KeyNames::displayString(held, chord->keyCode, KeyNames::ChordForm::Translated);
        m_hint->setText(
            verdict == ChordPolicy::Verdict::TypesText
                ? tr("%1 is needed for typing: record a chord with Ctrl, Alt or Super.").arg(shown)
                : tr("%1 is used for editing in every program: record a different chord.")
                      .arg(shown));
    }
    // Other plain keys go on to their target.
    if (held == 0) {
        return false;
    }
    // No shortcut of the window may take the chord before the key press reaches us.
    event->accept();
    if (type == QEvent::ShortcutOverride || m_captured ||
        verdict != ChordPolicy::Verdict::Allowed) {
        return true;
    }
    m_captured = true;
    // Stored once the key press has been handled; the settings object restarts detection.
    QPointer<ChordRecorderView> self(this);
    AppSettings* settings = &m_settings;
    QMetaObject::invokeMethod(
        settings,
        [settings, self, chord = *chord] {
            settings->setChord({chord.modifiers, chord.keyCode});
            if (self) {
                self->stop();
            }
        },
        Qt::QueuedConnection);
    return true;
}
