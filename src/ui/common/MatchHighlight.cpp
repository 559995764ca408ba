// SPDX-License-Identifier: MIT
#include "ui/common/MatchHighlight.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLine>
#include <QTextOption>

#include <algorithm>

#include "history/SearchText.h"

namespace {

// One line however the text breaks, as drawText's Qt::TextSingleLine has it; one unit for one
// keeps the match positions.
QString singleLine(QString text) {
    for (QChar& c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator) {
            c = u' ';
        }
    }
    return text;
}

// Characters that may be laid out right to left, or move what follows them there.
bool hasRightToLeft(QStringView text) {
    for (const char32_t c : text.toUcs4()) {
        switch (QChar::direction(c)) {
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirAN:
            case QChar::DirRLE:
            case QChar::DirRLO:
            case QChar::DirRLI:
            case QChar::DirFSI:
                return true;
            default:
                break;
        }
    }
    return false;
}

}  // namespace

MarkedLine::MarkedLine(const QString& text, const QFont& font, Qt::LayoutDirection direction,
                       int width, Qt::Alignment alignment)
    : m_text(singleLine(text)), m_font(font), m_layout(m_text, font) {
    QTextOption option(alignment);
    option.setTextDirection(direction);
    option.setWrapMode(QTextOption::NoWrap);
    m_layout.setTextOption(option);
    m_layout.setCacheEnabled(true);
    m_layout.beginLayout();
    QTextLine line = m_layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(std::max(0, width));
        line.setPosition(QPointF(0, 0));
    }
    m_layout.endLayout();
}

QList<std::pair<qreal, qreal>> MarkedLine::markSpans(const QStringList& words) const {
    QList<std::pair<qreal, qreal>> spans;
    const QTextLine line = m_layout.lineAt(0);
    if (!line.isValid()) {
        return spans;
    }
    // Left to right throughout, a match is the stretch between its two ends; else its
    // characters may lie in several runs of either direction: each run's glyphs of them, from
    // where the first one starts to where the last one ends on screen.
    const bool leftToRight =
        m_layout.textOption().textDirection() == Qt::LeftToRight && !hasRightToLeft(m_text);
    for (const auto& [start, length] : SearchText::matchRanges(m_text, words)) {
        if (leftToRight) {
            spans.append({line.cursorToX(int(start)), line.cursorToX(int(start + length))});
            continue;
        }
        for (const QGlyphRun& run : line.glyphRuns(int(start), int(length))) {
            const QList<QPointF> positions = run.positions();
            const QList<QPointF> advances =
                run.rawFont().advancesForGlyphIndexes(run.glyphIndexes());
            for (qsizetype i = 0; i < positions.size() && i < advances.size(); ++i) {
                const qreal x = positions[i].x();
                spans.append({std::min(x, x + advances[i].x()), std::max(x, x + advances[i].x())});
            }
        }
    }
    std::sort(spans.begin(), spans.end());
    QList<std::pair<qreal, qreal>> merged;
    for (const auto& span : spans) {
        if (!merged.isEmpty() && span.first <= merged.last().second + 0.5) {
            merged.last().second = std::max(merged.last().second, span.second);
        } else {
            merged.append(span);
        }
    }
    return merged;
}

void MarkedLine::paint(QPainter& painter, QPointF baselineStart, const QStringList& words,
                       const QColor& accent) const {
    const QTextLine line = m_layout.lineAt(0);
    if (!line.isValid()) {
        return;
    }
    const QFontMetrics metrics(m_font);
    QColor band = accent;
    band.setAlphaF(0.35f);
    for (const auto& [left, right] : markSpans(words)) {
        painter.fillRect(QRectF(baselineStart.x() + left, baselineStart.y() - metrics.ascent(),
                                right - left, metrics.height()),
                         band);
    }
    m_layout.draw(&painter, QPointF(baselineStart.x(), baselineStart.y() - line.ascent()));
}
