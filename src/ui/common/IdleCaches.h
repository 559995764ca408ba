// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmapCache>

// Qt's pixmap cache looks at itself again 30 s after its last insert, and so wakes an idle
// tray application once after every window it drew. A window of ours that hides empties it:
// what it held (icons at one size, style pieces) is cheap to draw again at the next show.
inline void releaseDrawingCaches() {
    QPixmapCache::clear();
}
