// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

class AppSettings;
class TrayPanelView;

// The tray panel: a frameless, floating window of TrayPanelView that opens next to the tray icon
// and closes when it loses focus. A language change replaces the view inside while the panel
// stays open. The row requests are re-sent from here, so they outlive any one view.
class TrayPanel : public QWidget {
    Q_OBJECT
  public:
    // Gap between the panel and the icon or pointer it opens at.
    static constexpr int anchorGap = 4;

    explicit TrayPanel(AppSettings& settings, QWidget* parent = nullptr);

    TrayPanelView* view() const { return m_view; }
    void setRecordingPaused(bool paused);

    // Opens the panel at `anchor` (the tray icon's rectangle, or a point-sized one at the
    // pointer), or closes it when it is open. A click on the icon that took the focus away
    // from the open panel only closes it.
    void toggle(const QRect& anchor);
    void showAt(const QRect& anchor);

    // Where a panel of `size` goes: centred on the anchor, below it when there is room and
    // above it otherwise, kept inside `available`.
    static QPoint placement(const QSize& size, const QRect& anchor, const QRect& available);

  Q_SIGNALS:
    void historyWindowRequested();
    void settingsRequested();
    void pauseToggleRequested();
    void restartOnboardingRequested();
    void quitRequested();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void rebuild();

    AppSettings& m_settings;
    QPointer<TrayPanelView> m_view;
    QElapsedTimer m_closedByFocusLoss;
    bool m_paused = false;
};
