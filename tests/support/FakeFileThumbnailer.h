#pragma once

#include <QList>

#include "platform/FileThumbnailer.h"

// Records requests; the test answers them when it wants, as the real service would later.
class FakeFileThumbnailer final : public FileThumbnailer {
  public:
    struct Request {
        QString path;
        Callback callback;
    };

    void request(const QString& path, QSize, qreal, Callback callback) override {
        m_requests.append({path, std::move(callback)});
    }

    const QList<Request>& requests() const { return m_requests; }
    // Delivers the answer to request `index` (nothing for a failed thumbnail), at most once.
    void answer(qsizetype index, std::optional<QByteArray> png) {
        if (index >= 0 && index < m_requests.size() && m_requests[index].callback) {
            std::exchange(m_requests[index].callback, nullptr)(std::move(png));
        }
    }

  private:
    QList<Request> m_requests;
};
