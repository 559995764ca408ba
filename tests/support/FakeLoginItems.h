// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include "platform/LoginItems.h"

// Answers with the scripted results and records each request ("register" / "unregister").
struct FakeLoginItems final : LoginItems {
    bool registerApp() override { return answer(QStringLiteral("register"), registerResult); }
    bool unregisterApp() override { return answer(QStringLiteral("unregister"), unregisterResult); }
    bool isRegistered() const override { return false; }
    bool offeredAtFirstStart() const override { return true; }
    bool answer(const QString& call, bool result) {
        calls << call;
        return result;
    }

    bool registerResult = true;
    bool unregisterResult = true;
    QStringList calls;
};
