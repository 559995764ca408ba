// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <memory>

// Bytes handed to several readers at once (a large record's answer to every script asking for
// it): one buffer, and a weak handle lets whoever made it hand it out again while any reader
// still holds it, without keeping it alive itself.
class SharedBytes {
  public:
    SharedBytes() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): a plain QByteArray is the usual answer
    SharedBytes(QByteArray bytes) : m_bytes(std::make_shared<const QByteArray>(std::move(bytes))) {}
    explicit SharedBytes(std::shared_ptr<const QByteArray> bytes) : m_bytes(std::move(bytes)) {}

    const QByteArray& bytes() const { return m_bytes ? *m_bytes : empty(); }
    qsizetype size() const { return bytes().size(); }
    std::weak_ptr<const QByteArray> handle() const { return m_bytes; }

  private:
    static const QByteArray& empty() {
        static const QByteArray none;
        return none;
    }
    std::shared_ptr<const QByteArray> m_bytes;
};
