// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "platform/Clipboard.h"

// Blob files: the content of one large copy as CBOR, an array with one map per clipboard item
// from type name (text string) to bytes (byte string). Files are written atomically with mode
// 0600 and only ever read back by the run that wrote them, but the reader still treats them as
// untrusted input.
class QCborStreamReader;
class QCborStreamWriter;

class BlobStore {
  public:
    // Larger files are not read at all; the clipboard reader never hands over more than this.
    static constexpr qint64 maxFileSize = qint64(1) << 30;

    static QByteArray encode(const ClipboardSnapshot& snapshot);
    // Nothing for anything but a well-formed array of maps from text to bytes, with no trailing
    // data.
    static std::optional<ClipboardSnapshot> decode(const QByteArray& bytes);

    // One snapshot inside a larger CBOR stream, in the same form.
    static void writeSnapshot(QCborStreamWriter& writer, const ClipboardSnapshot& snapshot);
    static std::optional<ClipboardSnapshot> readSnapshot(QCborStreamReader& reader);

    // Atomic: on success the file is complete, on failure it does not exist. The folder is
    // held to the rule of PrivateFiles.
    static bool write(const QString& path, const ClipboardSnapshot& snapshot);
    // Nothing when the file is missing, refused, too large or malformed.
    static std::optional<ClipboardSnapshot> read(const QString& path);

    // A fresh upper-case UUID without braces plus ".blob".
    static QString newFileName();
};
