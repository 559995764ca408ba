// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QWidget>

class AppSettings;
class QLabel;
class TrayRow;

// The tray panel's column: the application's name, a reminder of the paste chord that follows
// a newly recorded chord at once, and the five action rows. Texts are looked up when the view
// is made; a language change makes a new view.
class TrayPanelView : public QWidget {
    Q_OBJECT
  public:
    // The width unless a row's title needs more.
    static constexpr int panelWidth = 260;
    static constexpr int pauseRow = 2;

    TrayPanelView(AppSettings& settings, bool recordingPaused, QWidget* parent = nullptr);

    // The chord in the desktop's words, then " — " and what it does.
    static QString reminderText(const AppSettings& settings);
    // The pause row's title: what choosing it does.
    static QString pauseRowText(bool recordingPaused);
    void setRecordingPaused(bool paused);

    QLabel* reminderLabel() const { return m_reminder; }
    // "History", "Settings…", "Pause recording" (or "Resume recording"),
    // "Welcome guide", "Quit", top to bottom.
    const QList<TrayRow*>& rows() const { return m_rows; }

  Q_SIGNALS:
    void historyWindowRequested();
    void settingsRequested();
    void pauseToggleRequested();
    void restartOnboardingRequested();
    void quitRequested();

  protected:
    // Up and Down move over the rows, Return or Enter chooses one, as in a menu.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* m_title = nullptr;
    QLabel* m_reminder = nullptr;
    QList<TrayRow*> m_rows;
};
