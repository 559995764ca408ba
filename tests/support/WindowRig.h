#pragma once

#include <QtTest>

#include "HotkeyStack.h"
#include "history/HistoryListModel.h"
#include "settings/L10n.h"

// The application's stack over fakes with its interface in English, monitoring, and the list
// model the windows show.
struct WindowRig : HotkeyStack {
    HistoryListModel model{history, scheduler, thumbnailer};

    explicit WindowRig(const QStringList& copies = {}) : HotkeyStack(copies) {
        settings.setPreferredLanguage(QStringLiteral("en"));
        L10n::configure(&settings, QStringLiteral("en"));
        detector.startMonitoring();
    }
    QStringList previews() const {  // newest first
        QStringList out;
        for (const ClipboardItem& item : history.items()) {
            out << item.previewText();
        }
        return out;
    }
    // A file of its own, the way a file manager copies it.
    void copyFile(const QTemporaryFile& file) {
        copy({{QString(PasteboardTypeKey::uriList),
               QUrl::fromLocalFile(file.fileName()).toEncoded()}});
    }
};

template <typename T = QWidget>
T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

inline StoredItem textItem(const QString& text) {
    return {{QString(PasteboardTypeKey::stringUtf8Mime), text.toUtf8()}};
}
