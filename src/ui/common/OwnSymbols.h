// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

// One of our own monochrome symbols (":/icons/<name>.svg") painted in one colour. Used where
// the symbol's meaning matters (clear all, copy, pin): an icon theme's own would say
// something else, such as a green recycling bin for "Clear all".
QPixmap ownSymbol(const QString& name, const QColor& colour, int side, qreal devicePixelRatio);
