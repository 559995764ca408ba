// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QThreadPool>

#include "platform/FileThumbnailer.h"

// File thumbnails from the freedesktop thumbnail cache, valid when its Thumb::MTime matches the
// file; otherwise image files are decoded and scaled on a worker thread. Anything that is not an
// image gets no picture (no MIME icons), nor does one over ImageCodec::maxDecodedBytes.
// Callbacks run on the worker thread.
class FreedesktopThumbnailer final : public FileThumbnailer {
  public:
    // <cache home>/thumbnails.
    static QString defaultCacheDirectory();

    explicit FreedesktopThumbnailer(QString cacheDirectory = defaultCacheDirectory());
    // Drops requests not yet started and waits for the running one.
    ~FreedesktopThumbnailer() override;

    void request(const QString& path, QSize pointSize, qreal scale, Callback callback) override;

    // Waits until every request made so far has called back (tests, shutdown).
    void waitForDone();

  private:
    QString m_cacheDirectory;
    QThreadPool m_pool;
};
