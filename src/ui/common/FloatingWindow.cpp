#include "ui/common/FloatingWindow.h"

#include <QVBoxLayout>

#include "settings/L10n.h"
#include "ui/common/IdleCaches.h"

FloatingWindow::FloatingWindow(QString titleKey, ContentFactory factory, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      m_titleKey(std::move(titleKey)),
      m_factory(std::move(factory)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setWindowTitle(L10n::string(m_titleKey));
}

void FloatingWindow::rebuildContent() {
    setWindowTitle(L10n::string(m_titleKey));
    // Never shown yet: nothing to rebuild, the first showing builds it in the new language.
    if (m_content) {
        buildContent();
    }
}

void FloatingWindow::buildContent() {
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
    Q_EMIT contentRebuilt(fresh);
}

void FloatingWindow::present() {
    if (!m_content) {
        buildContent();
        // The first showing fits the window to its content; later ones keep the user's size.
        layout()->activate();
        resize(sizeHint().expandedTo(minimumSizeHint()));
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
    activateWindow();
}

void FloatingWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    releaseDrawingCaches();
}
