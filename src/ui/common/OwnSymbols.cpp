// SPDX-License-Identifier: MIT
#include "ui/common/OwnSymbols.h"

#include <QIcon>
#include <QPainter>

// At global scope: the resource initialiser is declared where the macro is used.
static void initOwnSymbolResources() {
    Q_INIT_RESOURCE(icons);
}

QPixmap ownSymbol(const QString& name, const QColor& colour, int side, qreal devicePixelRatio) {
    initOwnSymbolResources();
    QPixmap pixmap = QIcon(QStringLiteral(":/icons/%1.svg").arg(name))
                         .pixmap(QSize(side, side), devicePixelRatio);
    if (pixmap.isNull()) {
        return pixmap;
    }
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(), pixmap.deviceIndependentSize().toSize()), colour);
    return pixmap;
}
