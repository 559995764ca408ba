// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>

#include <optional>

#include "platform/DesktopIntegration.h"

class GnomeShellBridge;

// Quillstack's Shell extension as the user turns it on: through the Shell when it has loaded
// the extension, else in the Shell's list of enabled extensions, read at the next login (a
// running Shell does not look for extensions installed after it started).
class GnomeIntegration final : public DesktopIntegration {
    Q_OBJECT
  public:
    GnomeIntegration(GnomeShellBridge& bridge, QDBusConnection bus, QObject* parent = nullptr);

    bool isMissing() const override;
    void enable(std::function<void(Outcome)> done) override;

    // The extension's form for a Shell version ("43.9", "46.0").
    static QString uuidFor(const QString& shellVersion);
    // The enabled-extensions value with `uuid` added, from gsettings' printed form ("@as []",
    // "['a@b']"); nothing when that form cannot be read, so no one's list is overwritten.
    static std::optional<QString> withEnabled(const QString& printed, const QString& uuid);

  private:
    void enableAtLogin(const QString& uuid, std::function<void(Outcome)> done);

    GnomeShellBridge& m_bridge;
    QDBusConnection m_bus;
};
