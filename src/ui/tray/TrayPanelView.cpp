// SPDX-License-Identifier: MIT
#include "ui/tray/TrayPanelView.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "settings/AppSettings.h"
#include "ui/tray/TrayRow.h"

namespace {

void dim(QLabel* label, float alpha) {
    QPalette palette = label->palette();
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(alpha);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// A thin line with 4 points above and below.
QWidget* divider(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(TrayRow::horizontalPadding, 4, TrayRow::horizontalPadding, 4);
    auto* line = new QFrame(holder);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setFixedHeight(1);
    QPalette palette = line->palette();
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(0.15f);
    palette.setColor(QPalette::WindowText, colour);
    line->setPalette(palette);
    layout->addWidget(line);
    return holder;
}

}  // namespace

QString TrayPanelView::reminderText(const AppSettings& settings) {
    return settings.chordDisplayString() + QStringLiteral(" \u2014 ") + tr("paste from history");
}

QString TrayPanelView::pauseRowText(bool recordingPaused) {
    return recordingPaused ? tr("Resume recording") : tr("Pause recording");
}

void TrayPanelView::setRecordingPaused(bool paused) {
    m_rows.at(pauseRow)->setTitle(pauseRowText(paused));
}

TrayPanelView::TrayPanelView(AppSettings& settings, bool recordingPaused, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(2);

    m_title = new QLabel(tr("Quillstack"), this);
    QFont headline = m_title->font();
    headline.setWeight(QFont::DemiBold);
    m_title->setFont(headline);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setContentsMargins(0, 8, 0, 0);
    dim(m_title, 0.6f);
    layout->addWidget(m_title);

    m_reminder = new QLabel(reminderText(settings), this);
    QFont caption = m_reminder->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    m_reminder->setFont(caption);
    m_reminder->setAlignment(Qt::AlignCenter);
    m_reminder->setWordWrap(true);
    m_reminder->setContentsMargins(TrayRow::horizontalPadding, 0, TrayRow::horizontalPadding, 4);
    dim(m_reminder, 0.4f);
    layout->addWidget(m_reminder);
    // Redrawn when the chord is recorded anew, while the panel stays open.
    connect(&settings, &AppSettings::chordAssigned, m_reminder,
            [this, &settings] { m_reminder->setText(reminderText(settings)); });

    struct Entry {
        const char* text;  // none: the pause row, worded by the state
        TrayRow::Role role;
        void (TrayPanelView::*signal)();
    };
    const Entry entries[] = {
        {QT_TR_NOOP("History"), TrayRow::Role::Normal, &TrayPanelView::historyWindowRequested},
        {QT_TR_NOOP("Settings…"), TrayRow::Role::Normal, &TrayPanelView::settingsRequested},
        {nullptr, TrayRow::Role::Normal, &TrayPanelView::pauseToggleRequested},
        {QT_TR_NOOP("Welcome guide"), TrayRow::Role::Normal,
         &TrayPanelView::restartOnboardingRequested},
        {QT_TR_NOOP("Quit"), TrayRow::Role::Destructive, &TrayPanelView::quitRequested},
    };
    for (const Entry& entry : entries) {
        layout->addWidget(divider(this));
        auto* row = new TrayRow(entry.text ? tr(entry.text) : pauseRowText(recordingPaused),
                                entry.role, this);
        connect(row, &TrayRow::clicked, this, entry.signal);
        // The pointer and the arrow keys share one highlight.
        row->installEventFilter(this);
        layout->addWidget(row);
        m_rows.append(row);
    }
    layout->addSpacing(4);
    // Wider than usual where a row's title needs it ("Recommencer la présentation"), with room for
    // the pause row's other wording.
    const TrayRow* pause = m_rows.at(pauseRow);
    int widest = pause->fontMetrics().horizontalAdvance(pauseRowText(!recordingPaused)) +
                 2 * TrayRow::horizontalPadding;
    for (const TrayRow* row : std::as_const(m_rows)) {
        widest = std::max(widest, row->sizeHint().width());
    }
    const QMargins margins = layout->contentsMargins();
    setFixedWidth(std::max(panelWidth, widest + margins.left() + margins.right()));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(m_title->text());
}

bool TrayPanelView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        for (TrayRow* row : m_rows) {
            if (row != watched) {
                row->setHovered(false);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TrayPanelView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setFocus(Qt::PopupFocusReason);
}

void TrayPanelView::keyPressEvent(QKeyEvent* event) {
    const auto current = std::find_if(m_rows.begin(), m_rows.end(),
                                      [](const TrayRow* row) { return row->isHovered(); });
    const qsizetype at = current == m_rows.end() ? -1 : current - m_rows.begin();
    const qsizetype count = m_rows.size();
    switch (event->key()) {
        case Qt::Key_Down:
        case Qt::Key_Up: {
            const qsizetype next = event->key() == Qt::Key_Down ? (at + 1) % count
                                   : at <= 0                    ? count - 1
                                                                : at - 1;
            for (qsizetype i = 0; i < count; ++i) {
                m_rows.at(i)->setHovered(i == next);
            }
            return;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (at >= 0) {
                Q_EMIT m_rows.at(at)->clicked();
                return;
            }
            break;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}
