#pragma once

#include <QTemporaryDir>

#include "FakeFileThumbnailer.h"
#include "FakePasteboard.h"
#include "ManualScheduler.h"
#include "history/ClipboardHistory.h"

// What the records show, newest first.
inline QStringList previewsOf(const ClipboardHistory& history) {
    QStringList out;
    for (const ClipboardItem& item : history.items()) {
        out << item.previewText();
    }
    return out;
}

// A history over a fake clipboard in virtual time, its blob files in a folder of its own.
struct FakeHistory {
    QTemporaryDir blobs;
    FakePasteboard pasteboard;
    ManualScheduler scheduler;
    FakeFileThumbnailer thumbnailer;
    ClipboardHistory::Limits limits;
    ClipboardHistory history;

    explicit FakeHistory(PinStore* pins = nullptr)
        : history(
              pasteboard, scheduler, blobs.path(), [this] { return limits; }, pins) {}

    // Another application copies; the history has looked once the check interval has passed.
    void copy(const PasteboardSnapshot& content) {
        pasteboard.setContent(content);
        scheduler.advance(ClipboardHistory::pollIntervalMs);
    }
    QStringList previews() const { return previewsOf(history); }
};
