// SPDX-License-Identifier: MIT
#include "ui/popup/PastePopupWindowController.h"

#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "chord/ChordDetector.h"
#include "core/AppLogger.h"
#include "popup/PopupSession.h"
#include "ui/common/IdleCaches.h"
#include "ui/popup/PastePopupView.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
QRegion roundedRegion(const QSize& size, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}
}  // namespace

PastePopupWindowController::PastePopupWindowController(PopupSession& session,
                                                       const ChordDetector& detector,
                                                       AppSettings& settings,
                                                       PopupWindowSystem windowSystem,
                                                       QObject* parent)
    : QObject(parent),
      m_session(session),
      m_detector(detector),
      m_settings(settings),
      m_windowSystem(std::move(windowSystem)) {}

PastePopupWindowController::~PastePopupWindowController() {
    delete m_panel.data();
}

void PastePopupWindowController::setup() {
    if (m_subscribed) {
        return;
    }
    m_subscribed = true;
    // Queued: whoever assigns the value finishes its work before the panel moves.
    connect(&m_session, &PopupSession::isPopupVisibleChanged, this,
            &PastePopupWindowController::follow, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        this, [this, visible = m_session.isPopupVisible()] { follow(visible); },
        Qt::QueuedConnection);
}

void PastePopupWindowController::follow(bool visible) {
    log(QStringLiteral("PastePopupWindowController: isPopupVisible=") +
        (visible ? QStringLiteral("true") : QStringLiteral("false")));
    if (visible) {
        showPanel();
    } else {
        hidePanel();
    }
}

bool PastePopupWindowController::compositing() const {
    return m_windowSystem.isCompositing && m_windowSystem.isCompositing();
}

void PastePopupWindowController::createPanel() {
    m_translucent = compositing();
    auto* panel =
        new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    panel->setObjectName(QStringLiteral("QuillstackPopup"));
    panel->setWindowTitle(QStringLiteral("Quillstack"));
    panel->setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_view = new PastePopupView(m_session.filterModel(), m_settings, panel);
    m_view->setSelectedRow(m_session.selectedIndex());
    connect(&m_session, &PopupSession::selectedIndexChanged, m_view,
            &PastePopupView::setSelectedRow);
    connect(m_view, &PastePopupView::pageRowsChanged, &m_session,
            [this](int rows) { m_session.setPageRows(rows); });
    connect(m_view, &PastePopupView::rowClicked, &m_session,
            [this](int row) { m_session.setSelectedIndex(row); });
    connect(m_view, &PastePopupView::rowDoubleClicked, &m_session, [this](int row, bool plain) {
        m_session.pasteItemAndClose(row, plain ? ClipboardHistory::RestoreAs::PlainText
                                               : ClipboardHistory::RestoreAs::Copied);
    });
    connect(m_view, &PastePopupView::pinClicked, &m_session,
            [this](int row) { m_session.togglePinned(row); });
    connect(m_view, &PastePopupView::removeClicked, &m_session,
            [this](int row) { m_session.removeItemFromHistory(row); });
    connect(m_view, &PastePopupView::textCommitted, &m_session,
            [this](const QString& text) { m_session.typeText(text); });
    layout->addWidget(m_view);
    // Where input methods send what they compose once the panel is active.
    m_view->setFocus(Qt::OtherFocusReason);
    panel->installEventFilter(this);
    m_panel = panel;
    log(QStringLiteral("PastePopupWindowController: panel created (translucent=%1)")
            .arg(m_translucent ? QStringLiteral("true") : QStringLiteral("false")));
}

void PastePopupWindowController::prepare() {
    if (m_panel) {
        return;
    }
    createPanel();
    m_view->setPasteTyped(m_detector.isInputInjectionAllowed());
    m_panel->adjustSize();
    // One paint into an image, never on screen: the style's polish, the fonts and their glyphs
    // and the list's first layout are had before the first chord waits on them.
    QImage scratch(m_panel->size(), QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    m_panel->render(&scratch);
    log(QStringLiteral("PastePopupWindowController: panel prepared"));
}

void PastePopupWindowController::showPanel() {
    // Made ahead of time, perhaps before the compositor started (a login's race): blended or
    // cut corners follow what is true now.
    if (m_panel && compositing() != m_translucent) {
        delete m_panel.data();
        m_view = nullptr;
    }
    if (!m_panel) {
        createPanel();
    }
    m_view->setPasteTyped(m_detector.isInputInjectionAllowed());
    m_panel->adjustSize();
    if (QScreen* screen = targetScreen()) {
        const QRect visible = screen->availableGeometry();
        const QSize frame = m_panel->frameGeometry().size();
        m_panel->move(visible.x() + visible.width() / 2 - frame.width() / 2,
                      visible.y() + visible.height() / 2 - frame.height() / 2);
    }
    if (m_windowSystem.prepareToShow) {
        m_windowSystem.prepareToShow(m_panel->winId());
    }
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
    // Some window managers refuse focus to a window that did not get the last user input; the
    // popup's keys must reach it all the same.
    QTimer::singleShot(focusCheckDelayMs, this, &PastePopupWindowController::ensureKeyboardFocus);
    log(QStringLiteral("PastePopupWindowController: panel shown at %1,%2 size %3x%4")
            .arg(m_panel->x())
            .arg(m_panel->y())
            .arg(m_panel->width())
            .arg(m_panel->height()));
}

QScreen* PastePopupWindowController::screenForDeviceRect(const QRect& rect) {
    QScreen* best = nullptr;
    qint64 bestArea = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        // A screen keeps its device-pixel origin; only its size is scaled.
        const QRect logical = screen->geometry();
        const QRect device(logical.topLeft(), logical.size() * screen->devicePixelRatio());
        const QRect common = device.intersected(rect);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

QScreen* PastePopupWindowController::targetScreen() const {
    const std::optional<RunningApp>& previous = m_session.previousFrontmostApp();
    if (m_windowSystem.windowGeometry && previous && previous->window != 0) {
        if (const std::optional<QRect> frame = m_windowSystem.windowGeometry(previous->window)) {
            if (QScreen* screen = screenForDeviceRect(*frame)) {
                return screen;
            }
        }
    }
    return QGuiApplication::primaryScreen();
}

void PastePopupWindowController::ensureKeyboardFocus() {
    if (!m_panel || !m_panel->isVisible() || m_grabbingKeyboard || m_panel->isActiveWindow()) {
        return;
    }
    m_panel->grabKeyboard();
    m_grabbingKeyboard = true;
    log(QStringLiteral("PastePopupWindowController: focus refused, keyboard grabbed"));
}

void PastePopupWindowController::hidePanel() {
    if (!m_panel) {
        return;
    }
    if (m_grabbingKeyboard) {
        m_panel->releaseKeyboard();
        m_grabbingKeyboard = false;
    }
    m_panel->hide();
    releaseDrawingCaches();
    log(QStringLiteral("PastePopupWindowController: panel hidden"));
}

bool PastePopupWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panel && event->type() == QEvent::WindowActivate) {
        // Painted again once the window manager has it in front: mutter on XWayland shows an
        // X window's content only after a frame drawn since it asked for one, and the frame
        // drawn at the first expose came before that (the rows stayed blank until a key).
        m_panel->update();
    }
    if (watched == m_panel && event->type() == QEvent::Resize && !m_translucent) {
        // Without a compositor the corners are cut out instead of blended.
        m_panel->setMask(roundedRegion(m_panel->size(), PastePopupView::cornerRadius));
    }
    return QObject::eventFilter(watched, event);
}
