// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QString>

// How long ago something happened, as people say it in a given language ("2 minutes ago",
// "vor 2 Minuten"), independent of the process locale. Main thread.
namespace RelativeDate {
// languageCode: one of our interface language codes ("en", "zh-Hans", "pt-BR", ...).
QString format(const QDateTime& date, const QDateTime& now, const QString& languageCode);
// Milliseconds until the text for a date this old may read differently.
qint64 msUntilChange(const QDateTime& date, const QDateTime& now);
}  // namespace RelativeDate
