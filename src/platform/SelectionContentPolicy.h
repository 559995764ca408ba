// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// What a selection thread takes of another client's copy, the same for every backend.
namespace SelectionContentPolicy {
// A type larger than typeCap is given up; reading stops once a copy holds snapshotCap.
inline constexpr qsizetype typeCap = qsizetype(256) * 1024 * 1024;
inline constexpr qsizetype snapshotCap = qsizetype(512) * 1024 * 1024;

// Names that describe the selection, not its content (an X11 bridge may pass them on too).
bool isProtocolTarget(QByteArrayView name);
// Conversions an owner renders on demand from its image; the PNG already holds the picture.
bool isDerivedRaster(QByteArrayView name);
// Whether an offered type is worth reading; `besidePng` when the owner offers image/png too.
bool isWorthReading(QByteArrayView name, bool besidePng);
}  // namespace SelectionContentPolicy
