// SPDX-License-Identifier: MIT
#include "core/GraphemeCut.h"

#include <QTextBoundaryFinder>

#include <algorithm>

std::optional<qsizetype> graphemeCut(const QString& text, int clusters, qsizetype maxUnits) {
    if (text.size() <= std::min<qsizetype>(clusters, maxUnits)) {
        return std::nullopt;  // fewer units than allowed clusters: nothing to segment
    }
    for (qsizetype span = std::min(std::max<qsizetype>(clusters, 1) * 8, maxUnits);;
         span = std::min(span * 2, maxUnits)) {
        const bool whole = span >= text.size();
        const QString prefix = whole ? text : text.left(span);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, prefix);
        qsizetype last = 0;  // the last boundary known to be one of the whole text
        for (int count = 0; count < clusters; ++count) {
            const qsizetype next = finder.toNextBoundary();
            // The end of a cut prefix is no boundary of the whole text: its cluster may go on.
            if (next < 0 || (!whole && next == prefix.size())) {
                break;
            }
            last = next;
            if (count + 1 == clusters) {
                return last < text.size() ? std::optional<qsizetype>(last) : std::nullopt;
            }
        }
        if (whole) {
            return std::nullopt;
        }
        if (span == maxUnits) {
            if (last > 0) {
                return last;
            }
            return text.at(maxUnits - 1).isHighSurrogate() ? maxUnits - 1 : maxUnits;
        }
    }
}
