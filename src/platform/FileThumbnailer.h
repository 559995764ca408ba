// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

// Thumbnails of files on disk. The callback may run on any thread, at most once.
class FileThumbnailer {
  public:
    using Callback = std::function<void(std::optional<QByteArray> png)>;
    virtual ~FileThumbnailer() = default;
    virtual void request(const QString& path, QSize pointSize, qreal scale, Callback callback) = 0;
};
