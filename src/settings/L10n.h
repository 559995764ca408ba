#pragma once

#include <QString>
#include <QStringList>

class AppSettings;

// Interface texts by their English key, in the chosen language, switchable while running.
// Falls back to the start-up language's table, then to the key itself.
namespace L10n {
// Called once by the composition root. fallbackLanguage: the language chosen at start-up from
// "AppleLanguages" or the system's UI languages.
void configure(const AppSettings* settings, const QString& fallbackLanguage);
// Our language code for the first of these that we have a table for ("en" when none).
QString matchLanguage(const QStringList& uiLanguages);

QString string(const QString& key);
QString string(const QString& key, const QStringList& arguments);  // "%@" placeholders in order
}  // namespace L10n
