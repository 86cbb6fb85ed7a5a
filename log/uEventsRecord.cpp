#include "log/uEventsRecord.h"

#include "log/uLogFormat.h"

namespace {

// The details as one field of a line: ";" becomes ",", CR and LF a blank.
QString AsOneField(QString details)
{
    details.replace(QLatin1Char(';'), QLatin1Char(','));
    details.replace(QLatin1Char('\r'), QLatin1Char(' '));
    details.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return details;
}

}  // namespace

bool TEventsRecord::Open(const QString &path, QString *error)
{
    return m_file.Open(path, {QStringLiteral("GODZINA;ZDARZENIE;SZCZEGÓŁY")}, error);
}

void TEventsRecord::Write(const QTime &time, const char *event, const QString &details,
                          const QLocale &locale)
{
    m_file.Append(LogTime(time, locale) + QLatin1Char(';') + QString::fromUtf8(event)
                  + QLatin1Char(';') + AsOneField(details));
}
