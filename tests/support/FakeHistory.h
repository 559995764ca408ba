#pragma once

#include <QTemporaryDir>

#include "FakeFileThumbnailer.h"
#include "FakePasteboard.h"
#include "ManualScheduler.h"
#include "history/ClipboardHistory.h"

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
    // What the records show, newest first.
    QStringList previews() const {
        QStringList out;
        for (const ClipboardItem& item : history.items()) {
            out << item.previewText();
        }
        return out;
    }
};
