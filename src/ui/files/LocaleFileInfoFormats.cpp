#include "ui/files/LocaleFileInfoFormats.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <algorithm>

namespace {

QDate dateOf(const std::tm& time) { return QDate(time.tm_year + 1900, time.tm_mon + 1, time.tm_mday); }

QTime timeOf(const std::tm& time) { return QTime(time.tm_hour, time.tm_min, std::min(time.tm_sec, 59)); }

// The locale's long time format less its time-zone field ("h:mm:ss AP t" -> "h:mm:ss AP").
QString longTimeFormat(const QLocale& locale)
{
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    return locale.timeFormat(QLocale::LongFormat).remove(zone).trimmed();
}

}  // namespace

FileInfoFormats LocaleFileInfoFormats()
{
    return {
        [](std::uint64_t size) { return QLocale().toString(static_cast<qulonglong>(size)).toStdString(); },
        [](const std::tm& time) { return QLocale().toString(dateOf(time), QLocale::ShortFormat).toStdString(); },
        [](const std::tm& time) {
            const QLocale locale;
            return locale.toString(timeOf(time), longTimeFormat(locale)).toStdString();
        },
    };
}
