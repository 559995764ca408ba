#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

// A window of ours that floats: it stays above the windows of the program the user works in,
// comes to the desktop the user is on when shown, and only hides when closed (the application
// lives in the tray and does not quit on its last window; a refused close would also refuse
// the application's own quit). Its content is made by a factory, so that a language change can
// build the whole content again, with every text looked up anew, while the window stays open.
class FloatingWindow : public QWidget {
    Q_OBJECT
  public:
    using ContentFactory = std::function<QWidget*()>;

    // titleKey: the English key of the window title, looked up again on every rebuild.
    FloatingWindow(QString titleKey, ContentFactory factory, QWidget* parent = nullptr);

    // Shows the window, or brings an open one forward onto the current desktop, focused.
    void present();
    // Replaces the content with a freshly made one; size, position and visibility stay. The
    // content is first made when the window is first presented, so a window never opened costs
    // nothing while copies arrive.
    void rebuildContent();

    QWidget* content() const { return m_content; }

  Q_SIGNALS:
    void contentRebuilt(QWidget* content);

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    void buildContent();

    QString m_titleKey;
    ContentFactory m_factory;
    QPointer<QWidget> m_content;
};
