#pragma once

#include <QList>

#include "platform/FileThumbnailer.h"

// Records requests; the test answers them when it wants, as the real service would later.
class FakeFileThumbnailer final : public FileThumbnailer {
  public:
    struct Request {
        QString path;
        QSize pointSize;
        qreal scale;
        Callback callback;
    };

    void request(const QString& path, QSize pointSize, qreal scale, Callback callback) override;

    const QList<Request>& requests() const { return m_requests; }
    // Delivers the answer to request `index` (nothing for a failed thumbnail).
    void answer(qsizetype index, std::optional<QByteArray> png);

  private:
    QList<Request> m_requests;
};
