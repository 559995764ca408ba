// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include "platform/Autostart.h"

// Answers with the scripted results, records each request ("register" / "unregister") and is
// registered after a successful one (or when a test says so, as the desktop's settings would).
struct FakeAutostart final : Autostart {
    bool registerApp() override {
        const bool ok = answer(QStringLiteral("register"), registerResult);
        registered = registered || ok;
        return ok;
    }
    bool unregisterApp() override {
        const bool ok = answer(QStringLiteral("unregister"), unregisterResult);
        registered = registered && !ok;
        return ok;
    }
    bool isRegistered() const override { return registered; }
    bool offeredAtFirstStart() const override { return true; }
    bool answer(const QString& call, bool result) {
        calls << call;
        return result;
    }

    bool registerResult = true;
    bool unregisterResult = true;
    bool registered = false;
    QStringList calls;
};
