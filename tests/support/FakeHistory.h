#pragma once

#include <QStringList>

#include "history/ClipboardHistory.h"

// What the records show, newest first.
inline QStringList previewsOf(const ClipboardHistory& history) {
    QStringList out;
    for (const ClipboardItem& item : history.items()) {
        out << item.previewText();
    }
    return out;
}
