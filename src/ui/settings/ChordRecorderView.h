// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <memory>

class AppSettings;
class HookHandle;
class ChordDetector;
class QLabel;
class QPushButton;

// The settings row that shows the paste chord and records a new one: after "Change", the next
// key press in any of our windows that carries a modifier becomes the chord, unless typing or
// editing needs it, which a line under the row then says; other plain keys (the arrows, Tab) go
// on to their target and the recording goes on. Escape or the same button cancels, keeping the
// chord there was.
// While it records, the chord's system-wide detection steps aside, so that pressing any chord,
// the current one included, records it instead of opening the popup.
class ChordRecorderView : public QWidget {
    Q_OBJECT
  public:
    ChordRecorderView(AppSettings& settings, ChordDetector& chordDetector,
                      QWidget* parent = nullptr);
    ~ChordRecorderView() override;

    bool isRecording() const { return m_isRecording; }
    // Ends a recording without storing anything; safe when none runs.
    void stop();

    QLabel* chordLabel() const { return m_chord; }
    QPushButton* button() const { return m_button; }
    // Under the row while recording: how to cancel, or why a chord was refused.
    QLabel* hintLabel() const { return m_hint; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing the window ends a recording.
    void hideEvent(QHideEvent* event) override;

  private:
    void startRecording();
    void setRecording(bool recording);
    void showChord();

    AppSettings& m_settings;
    ChordDetector& m_chordDetector;
    QLabel* m_chord;
    QPushButton* m_button;
    QLabel* m_hint;
    bool m_isRecording = false;
    bool m_captured = false;
    std::unique_ptr<HookHandle> m_detectionPause;
};
