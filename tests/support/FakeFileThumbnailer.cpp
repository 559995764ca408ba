#include "FakeFileThumbnailer.h"

void FakeFileThumbnailer::request(const QString& path, QSize pointSize, qreal scale,
                                  Callback callback) {
    m_requests.append({path, pointSize, scale, std::move(callback)});
}

void FakeFileThumbnailer::answer(qsizetype index, std::optional<QByteArray> png) {
    if (index >= 0 && index < m_requests.size() && m_requests[index].callback) {
        // At most once, like the real service.
        Callback callback = std::move(m_requests[index].callback);
        m_requests[index].callback = nullptr;
        callback(std::move(png));
    }
}
