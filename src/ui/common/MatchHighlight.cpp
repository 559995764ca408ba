#include "ui/common/MatchHighlight.h"

#include <QFontMetrics>
#include <QPainter>

#include "history/SearchText.h"

void paintMatchHighlights(QPainter& painter, const QFontMetrics& metrics, QPoint baselineStart,
                          const QString& line, const QStringList& words, const QColor& accent) {
    if (words.isEmpty() || line.isEmpty()) {
        return;
    }
    QColor band = accent;
    band.setAlphaF(0.35f);
    for (const auto& [start, length] : SearchText::matchRanges(line, words)) {
        const int x = baselineStart.x() + metrics.horizontalAdvance(line.left(start));
        const int width = metrics.horizontalAdvance(line.mid(start, length));
        painter.fillRect(QRect(x, baselineStart.y() - metrics.ascent(), width, metrics.height()),
                         band);
    }
}
