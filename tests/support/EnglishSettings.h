#pragma once

#include "FakeLoginItems.h"
#include "MemoryKeyValueStore.h"
#include "settings/AppSettings.h"
#include "settings/L10n.h"

// Settings over memory, the interface in English.
struct EnglishSettings {
    MemoryKeyValueStore store;
    FakeLoginItems loginItems;
    AppSettings settings{store, loginItems, {}};

    EnglishSettings() {
        settings.setPreferredLanguage(QStringLiteral("en"));
        L10n::configure(&settings, QStringLiteral("en"));
    }
};
