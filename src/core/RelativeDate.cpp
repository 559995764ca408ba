// SPDX-License-Identifier: MIT
#include "core/RelativeDate.h"

#include <unicode/locid.h>
#include <unicode/reldatefmt.h>
#include <unicode/unistr.h>

#include <map>
#include <memory>

namespace {

constexpr qint64 kSecond = 1000;
constexpr qint64 kMinute = 60 * kSecond;
constexpr qint64 kHour = 60 * kMinute;
constexpr qint64 kDay = 24 * kHour;
constexpr qint64 kWeek = 7 * kDay;
constexpr qint64 kMonth = 30 * kDay;
constexpr qint64 kYear = 365 * kDay;

// Building a formatter loads locale data; rows are painted often, so keep one per language.
icu::RelativeDateTimeFormatter* formatterFor(const QString& languageCode) {
    static std::map<QString, std::unique_ptr<icu::RelativeDateTimeFormatter>> formatters;
    const auto found = formatters.find(languageCode);
    if (found != formatters.end()) {
        return found->second.get();
    }
    // ICU spells script and region after an underscore: zh_Hans, pt_BR.
    const QByteArray tag = QString(languageCode).replace(u'-', u'_').toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    auto formatter = std::make_unique<icu::RelativeDateTimeFormatter>(
        icu::Locale(tag.constData()), nullptr, UDAT_STYLE_LONG, UDISPCTX_CAPITALIZATION_NONE,
        status);
    if (U_FAILURE(status)) {
        formatter.reset();
    }
    return formatters.emplace(languageCode, std::move(formatter)).first->second.get();
}

QString toQString(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

// Ages below a second, and dates a changed clock puts in the future, read as "now".
qint64 ageMs(const QDateTime& date, const QDateTime& now) {
    return std::max<qint64>(0, date.msecsTo(now));
}

}  // namespace

namespace RelativeDate {

QString format(const QDateTime& date, const QDateTime& now, const QString& languageCode) {
    icu::RelativeDateTimeFormatter* formatter = formatterFor(languageCode);
    if (formatter == nullptr) {
        formatter = formatterFor(QStringLiteral("en"));
    }
    if (formatter == nullptr || !date.isValid() || !now.isValid()) {
        return {};
    }
    const qint64 age = ageMs(date, now);
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString text;
    if (age < kSecond) {
        formatter->format(UDAT_DIRECTION_PLAIN, UDAT_ABSOLUTE_NOW, text, status);
    } else {
        struct Step {
            qint64 below;
            qint64 unitMs;
            URelativeDateTimeUnit unit;
        };
        static constexpr Step steps[] = {
            {kMinute, kSecond, UDAT_REL_UNIT_SECOND}, {kHour, kMinute, UDAT_REL_UNIT_MINUTE},
            {kDay, kHour, UDAT_REL_UNIT_HOUR},        {kWeek, kDay, UDAT_REL_UNIT_DAY},
            {kMonth, kWeek, UDAT_REL_UNIT_WEEK},      {kYear, kMonth, UDAT_REL_UNIT_MONTH},
        };
        qint64 unitMs = kYear;
        URelativeDateTimeUnit unit = UDAT_REL_UNIT_YEAR;
        for (const Step& step : steps) {
            if (age < step.below) {
                unitMs = step.unitMs;
                unit = step.unit;
                break;
            }
        }
        // Whole units elapsed, never rounded up: 1 min 59 s is "1 minute ago".
        formatter->formatNumeric(-double(age / unitMs), unit, text, status);
    }
    return U_SUCCESS(status) ? toQString(text) : QString();
}

qint64 msUntilChange(const QDateTime& date, const QDateTime& now) {
    const qint64 age = ageMs(date, now);
    if (date.msecsTo(now) < 0) {
        return -date.msecsTo(now) + kSecond;  // "now" until the clock reaches the date
    }
    const qint64 unit = age < kMinute ? kSecond : age < kHour ? kMinute : kHour;
    return unit - age % unit;
}

}  // namespace RelativeDate
