// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class AppSettings;
class QScreen;

// What an AppWindow needs of the rest of the application.
struct AppWindowHome {
    // Where the frame the user left is kept between showings and runs, under `name`; none:
    // the window opens centred every run.
    AppSettings* settings = nullptr;
    QString name;
    // Asks the window system to raise and focus the shown window in a way its
    // focus-stealing prevention lets through, with the launcher's token of the start that
    // asked for it (empty when none); none: Qt's own request.
    std::function<void(QWidget*, const QString& token)> activate;
};

// One of our windows (History, Settings): a normal top-level window, in the taskbar and the
// window switcher (the guide, OnboardingPanel, sets flags of its own to be kept above), raised
// and focused when asked for, and only hidden when closed (the application lives in the tray
// and does not quit on its last window; a refused close would also refuse the application's own
// quit). It opens centred on the screen with the pointer, later where the user left it. Its
// content is made by a factory, so that a language change can build the whole content again,
// with every text looked up anew, while the window stays open.
class AppWindow : public QWidget {
    Q_OBJECT
  public:
    using ContentFactory = std::function<QWidget*()>;

    using Home = AppWindowHome;

    // title: marked with QT_TRANSLATE_NOOP("AppWindow", ...), translated again on every rebuild.
    AppWindow(const char* title, ContentFactory factory, Home home = {}, QWidget* parent = nullptr);
    ~AppWindow() override;

    // Shows the window, or brings an open one forward onto the current desktop, focused.
    // activationToken: the launcher's token of the start that asked for it, if any.
    void present(const QString& activationToken = {});
    // Replaces the content with a freshly made one; size, position and visibility stay. The
    // content is first made when the window is first presented, so a window never opened costs
    // nothing while copies arrive.
    void rebuildContent();
    // Lets the content go: the next present() builds it anew and places the window as on its
    // first showing.
    void discardContent();

    QWidget* content() const { return m_content; }

    // The window's first place: `size` centred on the available part of the screen, shrunk to
    // fit it.
    static QRect centredIn(const QRect& available, QSize size);
    // The screen with the pointer, else the primary one; none without any screen.
    static QScreen* pointerScreen();

  protected:
    // The area the window is first centred in when no frame was kept: the available part of
    // the screen with the pointer; none without any screen.
    virtual std::optional<QRect> firstArea() const;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildContent();
    void placeFirstTime();
    void requestActivation();
    void rememberFrame();

    const char* m_title;
    ContentFactory m_factory;
    Home m_home;
    QPointer<QWidget> m_content;
    bool m_activateWhenExposed = false;
    QString m_activationToken;
};
