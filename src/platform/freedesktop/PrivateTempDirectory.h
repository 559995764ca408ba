#pragma once

#include <QString>

#include <optional>

#include "platform/freedesktop/XdgFolders.h"

// The per-user private folder under the temporary directory, quillstack-<uid>, and the blob
// folder inside it. Both are mode 0700, real directories (not symlinks) owned by this user; a
// folder that someone else planted is refused rather than used.
class PrivateTempDirectory {
  public:
    static inline const QString blobFolderName = QStringLiteral("QuillstackBlobs");

    // $TMPDIR when it is set to an absolute path, else /tmp.
    static QString defaultRoot();
    // <root>/quillstack-<uid>, created or repaired; nothing when it cannot be trusted.
    static std::optional<QString> privateDirectory(const QString& tmpRoot = defaultRoot());
    // <private directory>/QuillstackBlobs, created or repaired; nothing when it cannot be trusted.
    static std::optional<QString> blobDirectory(const QString& tmpRoot = defaultRoot());
    // Where the instance lock and socket live: <$XDG_RUNTIME_DIR>/quillstack when that folder is
    // ours, else the private directory; created or repaired like the others.
    static std::optional<QString> runtimeDirectory(
        const QString& xdgRuntimeDir = XdgFolders::runtimeDir(),
        const QString& tmpRoot = defaultRoot());
};
