// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <QStringList>

#include <functional>

#include "platform/WindowSystem.h"

class AppSettings;
class ChordRecorderView;
class ChordDetector;
class DesktopIntegration;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QStringListModel;
class QSpinBox;
class QTimer;

// The content of the settings window: language, autostart, the paste chord (with the recorder,
// how the chord works and what keeps it from working), the history's limits, the applications
// whose copies are not recorded, and quitting.
// Every control writes straight into the settings, whose assignments do the rest. It keeps no
// state of its own, so it can be rebuilt at any time from its constructor arguments (the
// window does so on a language change, to look every text up again).
class SettingsView : public QWidget {
    Q_OBJECT
  public:
    static constexpr qint64 historySizeMinimum = 5;
    static constexpr qint64 historySizeMaximum = 500;
    static constexpr qint64 historySizeStep = 5;
    // A lower limit drops rows, so it waits until the value has stayed this long.
    static constexpr int historySizeSettleMs = 1000;

    // What the warning under the chord says, at most one at a time.
    enum class Warning { None, PasteUnavailable, ChordUnavailable, ChordShared };

    // openShortcutSettings: opens the desktop's keyboard-shortcut settings; empty when this
    // desktop has none we know, and then no button offers them. quit: ends the application.
    // openWindowClasses: the classes of the windows open now, offered as the user types one.
    SettingsView(AppSettings& settings, ChordDetector& chordDetector,
                 std::function<void()> openShortcutSettings, std::function<void()> quit,
                 SessionKind session = SessionKind::X11, DesktopIntegration* integration = nullptr,
                 std::function<QStringList()> openWindowClasses = {}, QWidget* parent = nullptr);
    ~SettingsView() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // What the user can do while no paste can be typed here (the guide says it too).
    static QString pasteUnavailableAdvice(SessionKind session);

    QComboBox* languagePicker() const { return m_language; }
    QCheckBox* launchAtLoginToggle() const { return m_launchAtLogin; }
    ChordRecorderView* recorder() const { return m_recorder; }
    QLabel* warningLabel() const { return m_warningText; }
    QPushButton* warningButton() const { return m_warningButton; }
    QSpinBox* historySizeBox() const { return m_historySize; }
    QComboBox* autoDeletePicker() const { return m_autoDelete; }
    QLabel* autoDeleteCaption() const { return m_autoDeleteCaption; }
    QPushButton* quitButton() const { return m_quit; }
    QCheckBox* keepHistoryToggle() const { return m_keepHistory; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* languageSection();
    QWidget* autostartSection();
    QWidget* chordSection();
    QWidget* clipboardSection();
    QWidget* ignoredSection();
    QWidget* quitSection();

    void showLaunchAtLogin();
    void showHistorySize();
    void historySizeEdited(int value);
    void showAutoDelete();
    void showWarning();
    void showIgnored();
    void followForm();
    // How much taller the form is, at the view's full width or beside a scroll bar, than the
    // room the view has without one (less than 0: shorter).
    int formNeed(bool besideBar) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    AppSettings& m_settings;
    ChordDetector& m_chordDetector;
    std::function<void()> m_openShortcutSettings;
    std::function<void()> m_quitApplication;
    SessionKind m_session;
    DesktopIntegration* m_integration;
    std::function<QStringList()> m_openWindowClasses;
    Warning m_warning = Warning::None;

    QWidget* m_form = nullptr;
    QComboBox* m_language = nullptr;
    QCheckBox* m_launchAtLogin = nullptr;
    ChordRecorderView* m_recorder = nullptr;
    QWidget* m_warningRow = nullptr;
    QLabel* m_warningText = nullptr;
    QPushButton* m_warningButton = nullptr;
    QSpinBox* m_historySize = nullptr;
    QTimer* m_historySizeSettle = nullptr;
    QComboBox* m_autoDelete = nullptr;
    QLabel* m_autoDeleteCaption = nullptr;
    QPushButton* m_quit = nullptr;
    QCheckBox* m_keepHistory = nullptr;
    QScrollArea* m_scroll = nullptr;
    bool m_fitted = false;
    // What the form needed when the window was fitted to it, and how much the window grew
    // since for a taller form (given back when the form shrinks again).
    int m_grown = 0;
    bool m_followPending = false;
    QListWidget* m_ignored = nullptr;
    QLineEdit* m_ignoredField = nullptr;
    QStringListModel* m_openClasses = nullptr;
};
