// SPDX-License-Identifier: MIT
#include "ui/common/AppWindow.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <optional>
#include <utility>

#include "settings/AppSettings.h"
#include "ui/common/IdleCaches.h"

AppWindow::AppWindow(const char* title, ContentFactory factory, Home home, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_title(title),
      m_factory(std::move(factory)),
      m_home(std::move(home)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setWindowTitle(tr(m_title));
}

AppWindow::~AppWindow() {
    // Quitting leaves windows open: where they are is kept all the same.
    if (isVisible()) {
        rememberFrame();
    }
}

void AppWindow::rebuildContent() {
    setWindowTitle(tr(m_title));
    // Never shown yet: nothing to rebuild, the first showing builds it in the new language.
    if (m_content) {
        buildContent();
    }
}

void AppWindow::discardContent() {
    delete m_content.data();
}

void AppWindow::buildContent() {
    QWidget* fresh = m_factory();
    fresh->setParent(this);
    if (m_content) {
        delete layout()->replaceWidget(m_content, fresh);
        // Deleted now, not later: a recorder inside must stop before the new one exists.
        delete m_content.data();
    } else {
        layout()->addWidget(fresh);
    }
    m_content = fresh;
    fresh->show();
}

QScreen* AppWindow::pointerScreen() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

QRect AppWindow::centredIn(const QRect& available, QSize size) {
    size = size.boundedTo(available.size());
    return {available.x() + (available.width() - size.width()) / 2,
            available.y() + (available.height() - size.height()) / 2, size.width(), size.height()};
}

std::optional<QRect> AppWindow::firstArea() const {
    if (const QScreen* screen = pointerScreen()) {
        return screen->availableGeometry();
    }
    return std::nullopt;
}

void AppWindow::placeFirstTime() {
    layout()->activate();
    const QSize fitted = sizeHint().expandedTo(minimumSizeHint()).expandedTo(minimumSize());
    // Where the user left it, while that is still on a screen (a monitor may have gone since).
    const std::optional<QRect> left =
        m_home.settings ? m_home.settings->windowFrame(m_home.name) : std::nullopt;
    if (left && !left->size().isEmpty()) {
        for (const QScreen* screen : QGuiApplication::screens()) {
            if (screen->availableGeometry().contains(left->center())) {
                setGeometry(QRect(left->topLeft(), left->size().expandedTo(minimumSizeHint())));
                return;
            }
        }
    }
    if (const std::optional<QRect> area = firstArea()) {
        setGeometry(centredIn(*area, fitted));
    } else {
        resize(fitted);
    }
}

void AppWindow::present(const QString& activationToken) {
    m_activationToken = activationToken;
    if (!m_content) {
        buildContent();
        placeFirstTime();
    }
    if (isVisible() && !isActiveWindow()) {
        // Mapping again is what moves a window to the desktop the user is on; the window
        // manager would otherwise switch desktops or only flash the taskbar.
        const QRect frame = geometry();
        hide();
        setGeometry(frame);
    }
    show();
    raise();
    requestActivation();
}

void AppWindow::requestActivation() {
    if (!m_home.activate) {
        activateWindow();
        return;
    }
    // The window manager takes the request only for a window it manages: one that is mapped.
    QWindow* window = windowHandle();
    if (window != nullptr && window->isExposed()) {
        m_home.activate(this, std::exchange(m_activationToken, QString()));
    } else if (window != nullptr && !m_activateWhenExposed) {
        m_activateWhenExposed = true;
        window->installEventFilter(this);
    }
}

bool AppWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_activateWhenExposed && watched == windowHandle() && event->type() == QEvent::Expose) {
        m_activateWhenExposed = false;
        watched->removeEventFilter(this);
        // After the expose has been handled, so the window is exposed when asked.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isVisible()) {
                    m_home.activate(this, std::exchange(m_activationToken, QString()));
                }
            },
            Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void AppWindow::rememberFrame() {
    if (m_home.settings && !m_home.name.isEmpty()) {
        m_home.settings->setWindowFrame(m_home.name, geometry());
    }
}

void AppWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hide that is the window system's (minimising) is no closing.
    if (!event->spontaneous()) {
        rememberFrame();
    }
    releaseDrawingCaches();
}
