// SPDX-License-Identifier: MIT
#include "platform/SelectionContentPolicy.h"

#include <QSet>

namespace SelectionContentPolicy {

bool isProtocolTarget(QByteArrayView name) {
    static const QSet<QByteArray> names{"TARGETS",        "MULTIPLE", "TIMESTAMP",
                                        "SAVE_TARGETS",   "DELETE",   "INSERT_SELECTION",
                                        "INSERT_PROPERTY"};
    return names.contains(name.toByteArray());
}

bool isDerivedRaster(QByteArrayView name) {
    static const QSet<QByteArray> names{"image/tiff",
                                        "image/bmp",
                                        "image/x-bmp",
                                        "image/x-MS-bmp",
                                        "image/x-icon",
                                        "image/x-ico",
                                        "image/vnd.microsoft.icon",
                                        "image/jpeg",
                                        "PIXMAP",
                                        "BITMAP"};
    return names.contains(name.toByteArray()) || name.startsWith("image/x-portable-");
}

bool isWorthReading(QByteArrayView name, bool besidePng) {
    return !name.isEmpty() && !isProtocolTarget(name) && !(besidePng && isDerivedRaster(name));
}

}  // namespace SelectionContentPolicy
