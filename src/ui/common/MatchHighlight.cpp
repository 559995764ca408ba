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
    // A match's characters may lie in several runs of either direction: each run's glyphs
    // of them, from where the first one starts to where the last one ends on screen.
    for (const auto& [start, length] : SearchText::matchRanges(m_text, words)) {
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
