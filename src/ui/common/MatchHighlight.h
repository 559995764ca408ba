#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <QStringList>

class QFontMetrics;
class QPainter;

// Marks the parts of one drawn line of text that the search words match with a soft band behind
// them, before the line itself is drawn; the list delegates share it so that a match looks the
// same wherever it is shown.
void paintMatchHighlights(QPainter& painter, const QFontMetrics& metrics, QPoint baselineStart,
                          const QString& line, const QStringList& words, const QColor& accent);
