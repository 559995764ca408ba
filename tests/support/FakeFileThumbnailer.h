// SPDX-License-Identifier: MIT
#pragma once

#include <QList>

#include "platform/FileThumbnailer.h"

// Records requests; the test answers them when it wants, as the real service would later.
class FakeFileThumbnailer final : public FileThumbnailer {
  public:
    void request(const QString&, QSize, qreal, Callback callback) override {
        m_requests.append(std::move(callback));
    }
    // One callback a request, emptied once answered.
    const QList<Callback>& requests() const { return m_requests; }
    // Delivers the answer to request `index` (nothing for a failed thumbnail), at most once.
    void answer(qsizetype index, std::optional<QByteArray> png) {
        if (index >= 0 && index < m_requests.size() && m_requests[index]) {
            std::exchange(m_requests[index], nullptr)(std::move(png));
        }
    }

  private:
    QList<Callback> m_requests;
};
