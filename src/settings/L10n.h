// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

class AppSettings;
class KeyValueStore;

// Interface texts by their English key, in the chosen language, switchable while running.
// Falls back to the start-up language's table, then to the key itself.
namespace L10n {
// Called once by the composition root. fallbackLanguage: the language chosen at start-up from
// AppSettings::storedLanguages() or the system's UI languages. resourcePrefix: where the
// "<code>.lproj/Localizable.qm" tables live. Forgets every table opened before.
void configure(const AppSettings* settings, const QString& fallbackLanguage,
               const QString& resourcePrefix = QStringLiteral(":/"));
// Our language code for the first of these that we have a table for ("en" when none).
QString matchLanguage(const QStringList& uiLanguages);
// The fallback language for this run: from the language list the previous run stored, else
// from the system's UI languages. Must be read before AppSettings rewrites that list.
QString startupFallbackLanguage(const KeyValueStore& store);

QString string(const QString& key);
// A text that counts: the table's plural form for count, "%n" replaced by the number.
QString counted(const QString& key, int count);
// The language the texts are in now: the chosen one, or under "system" the start-up fallback.
QString currentLanguage();
// "%@" placeholders in order, "%1$@" by position, "%%" a percent sign; no locale.
QString string(const QString& key, const QStringList& arguments);
QString format(const QString& pattern, const QStringList& arguments);

// How many times a table file was looked for, and which tables are open.
int loadAttemptsForTesting();
QStringList cachedLanguagesForTesting();
}  // namespace L10n
