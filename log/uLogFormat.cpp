#include "log/uLogFormat.h"

#include "display/uNumberFormat.h"

#include <QFileInfo>

namespace {

const QLatin1Char Separator(';');

QString UnitColumns(int unit)
{
    return QStringLiteral(";KAT X%1 [°];KAT Y%1 [°];PRZYSP X%1 [g];PRZYSP Y%1 [g];STATUS%1;LTR%1").arg(unit);
}

void AppendUnit(QString &line, const TSensorSample &unit, const QLocale &locale)
{
    for (double value : {unit.TiltX, unit.TiltY, unit.AccX, unit.AccY}) {
        line += Separator;
        line += FormatFixed(value, 2, locale);
    }
    line += Separator;
    line += QStringLiteral("%1").arg(unit.Status, 2, 16, QLatin1Char('0')).toUpper();
    line += Separator;
    line += FormatFixed(unit.LTR, 3, locale);
}

} // namespace

QString LogFileNameFor(const QString &base, qint32 index, const QDateTime &start)
{
    // Taken apart by hand: the folder is everything up to the last separator, the extension
    // everything from the last dot of the file name.
    const qsizetype slash = std::max(base.lastIndexOf(QLatin1Char('/')), base.lastIndexOf(QLatin1Char('\\')));
    const QString folder = base.left(slash + 1);
    const QString file = base.mid(slash + 1);
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    const QString name = dot < 0 ? file : file.left(dot);
    const QString extension = dot < 0 ? QString() : file.mid(dot);

    const QDate d = start.date();
    const QTime t = start.time();
    QString running = QString::asprintf("_%3d_%4d%2d%2d_%2d%2d%2d", index, d.year(), d.month(),
                                        d.day(), t.hour(), t.minute(), t.second());
    running.replace(QLatin1Char(' '), QLatin1Char('0'));
    return folder + name + running + extension;
}

QStringList LogHead(const QDate &date, const QString &firmware, TLogUnits units, const QLocale &locale)
{
    QString columns = QStringLiteral("LP;GODZINA;PREDKOSC LINIOWA [km/h];PREDKOSC KATOWA [°/s]") + UnitColumns(1);
    if (units.Unit2)
        columns += UnitColumns(2);
    if (units.Unit3)
        columns += UnitColumns(3);
    return {QStringLiteral("Data wykonania badań;") + locale.toString(date, QLocale::ShortFormat),
            QString(), QStringLiteral("Firmware;") + firmware, QString(), columns};
}

namespace {

// The locale's long time format with the zone ("t", "tt"...) and the blanks around it
// dropped; quoted text stays.
QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString plain;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        plain += c;
    }
    return plain.simplified();
}

} // namespace

QString LogTime(const QTime &time, const QLocale &locale)
{
    thread_local QLocale cachedLocale = QLocale::c();
    thread_local QString cachedFormat = LongTimeFormatWithoutZone(QLocale::c());
    if (!(locale == cachedLocale)) {
        cachedLocale = locale;
        cachedFormat = LongTimeFormatWithoutZone(locale);
    }
    return locale.toString(time, cachedFormat);
}

QString LogRecordLine(qint32 recordNo, const QString &time, const TAcquisitionState &state,
                      TLogUnits units, const QLocale &locale)
{
    const TSensorSample &unit1 = state.Sensors[1];
    QString line;
    line.reserve(160);
    line += QString::number(recordNo);
    line += Separator;
    line += time;
    line += Separator;
    line += FormatFixed(state.Chassis.VehicleSpeed, 2, locale);
    line += Separator;
    line += FormatFixed(unit1.AngularVelocity, 2, locale);
    AppendUnit(line, unit1, locale);
    if (units.Unit2)
        AppendUnit(line, state.Sensors[2], locale);
    if (units.Unit3)
        AppendUnit(line, state.Sensors[3], locale);
    return line;
}
