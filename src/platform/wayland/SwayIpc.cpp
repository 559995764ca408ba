// SPDX-License-Identifier: MIT
#include "platform/wayland/SwayIpc.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QtEndian>

#include <cstring>

#include "core/AppLogger.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {
constexpr char kMagic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr qsizetype kHeaderSize = sizeof(kMagic) + 8;
constexpr quint32 kRunCommand = 0;
// More than any answer to a command line of ours; a peer sending more is not sway.
constexpr quint32 kLongestReply = 64 * 1024;

QByteArray message(quint32 type, const QByteArray& payload) {
    QByteArray bytes(kMagic, sizeof(kMagic));
    // The header's numbers are in the host's byte order.
    const quint32 numbers[2] = {static_cast<quint32>(payload.size()), type};
    bytes.append(reinterpret_cast<const char*>(numbers), sizeof(numbers));
    return bytes + payload;
}

bool readExactly(QLocalSocket& socket, QByteArray& into, qsizetype size,
                 const QDeadlineTimer& deadline) {
    while (into.size() < size) {
        if (socket.bytesAvailable() == 0 &&
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
        into.append(socket.read(size - into.size()));
    }
    return true;
}
}  // namespace

QString SwayIpc::sessionSocket() {
    const QString path = qEnvironmentVariable("SWAYSOCK");
    return !path.isEmpty() && QFileInfo(path).exists() ? path : QString();
}

SwayIpc::SwayIpc(QString socketPath, std::chrono::milliseconds timeout)
    : m_socketPath(std::move(socketPath)), m_timeout(timeout) {}

bool SwayIpc::run(const QString& command) const {
    if (m_socketPath.isEmpty()) {
        return false;
    }
    const QDeadlineTimer deadline(m_timeout);
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
        log(QStringLiteral("SwayIpc: cannot reach sway"));
        return false;
    }
    socket.write(message(kRunCommand, command.toUtf8()));
    QByteArray header;
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())) ||
        !readExactly(socket, header, kHeaderSize, deadline) ||
        std::memcmp(header.constData(), kMagic, sizeof(kMagic)) != 0) {
        log(QStringLiteral("SwayIpc: no answer"));
        return false;
    }
    quint32 numbers[2] = {};
    std::memcpy(numbers, header.constData() + sizeof(kMagic), sizeof(numbers));
    QByteArray payload;
    if (numbers[1] != kRunCommand || numbers[0] > kLongestReply ||
        !readExactly(socket, payload, numbers[0], deadline)) {
        log(QStringLiteral("SwayIpc: malformed answer"));
        return false;
    }
    const QJsonArray results = QJsonDocument::fromJson(payload).array();
    bool succeeded = !results.isEmpty();
    for (const QJsonValue& result : results) {
        succeeded = succeeded && result.toObject().value(QStringLiteral("success")).toBool();
    }
    if (!succeeded) {
        log(QStringLiteral("SwayIpc: \"%1\" failed: %2")
                .arg(command, QString::fromUtf8(payload.left(200))));
    }
    return succeeded;
}
