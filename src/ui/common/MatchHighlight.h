// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTextLayout>

#include <utility>

class QPainter;

// One drawn line of a row's text, laid out once for its glyphs and for the soft band behind what
// the search words match, so that the band lies under the matched characters in right-to-left
// and mixed-direction text too. The list delegates share it, so that a match looks the same
// wherever it is shown.
class MarkedLine {
  public:
    // As QPainter::drawText would lay it out in `direction` (the painter's), aligned within
    // `width` as `alignment` says.
    MarkedLine(const QString& text, const QFont& font, Qt::LayoutDirection direction, int width,
               Qt::Alignment alignment = Qt::AlignLeft);

    // Where the bands go, left to right: (left, right) from the line's left end, one for each
    // stretch of matched characters that is also one stretch on screen.
    QList<std::pair<qreal, qreal>> markSpans(const QStringList& words) const;
    // The bands, then the text in the painter's pen; `baselineStart` is where the line's left
    // end meets its baseline.
    void paint(QPainter& painter, QPointF baselineStart, const QStringList& words,
               const QColor& accent) const;

  private:
    QString m_text;
    QFont m_font;
    QTextLayout m_layout;
};
