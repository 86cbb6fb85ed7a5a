#include "log/uLogFormat.h"

#include "base/uLocaleCache.h"
#include "base/uNumberFormat.h"
#include "log/uLogLocale.h"

#include <QFileInfo>

namespace {

const QLatin1Char Separator(';');

QString UnitColumns(int unit)
{
    return QStringLiteral(";KAT X%1 [°];KAT Y%1 [°];PRZYSP X%1 [g];PRZYSP Y%1 [g];STATUS%1;LTR%1")
        .arg(unit);
}

void AppendUnit(QString &line, const TSensorSample &unit, const QString &decimalSeparator)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    for (double value : {unit.TiltX, unit.TiltY, unit.AccX, unit.AccY}) {
        line += Separator;
        AppendFixed(line, value, 2, decimalSeparator);
    }
    line += Separator;
    line += QLatin1Char(Hex[unit.Status >> 4]);
    line += QLatin1Char(Hex[unit.Status & 0xF]);
    line += Separator;
    AppendFixed(line, unit.LTR, 3, decimalSeparator);
}

// The time format of a locale and the text it gave last: records come up to hundreds a second
// (a trace converts at hundreds of thousands), and their time's text changes once a second
// unless the format shows milliseconds.
class TLogTimeText
{
public:
    explicit TLogTimeText(const QLocale &locale)
        : m_format(LogTimeFormat(locale)),
          m_showsMilliseconds(m_format.Write(QTime(0, 0)) != m_format.Write(QTime(0, 0, 0, 999)))
    {
    }

    const QString &Write(const QTime &time) const
    {
        const int ms = time.msecsSinceStartOfDay();
        const int key = !time.isValid() ? -1 : m_showsMilliseconds ? ms : ms / 1000;
        if (key != m_key || key < 0) {
            m_key = key;
            m_text = m_format.Write(time);
        }
        return m_text;
    }

private:
    TLogFormat m_format;
    bool m_showsMilliseconds;
    mutable int m_key = -1;
    mutable QString m_text;
};

TLogTimeText LogTimeText(const QLocale &locale)
{
    return TLogTimeText(locale);
}

// The log's path up to its extension's dot; the whole path when it has none.
QString WithoutExtension(const QString &logPath)
{
    const QString suffix = QFileInfo(logPath).suffix();
    return logPath.chopped(suffix.isEmpty() ? 0 : suffix.size() + 1);
}

}  // namespace

QString LogFileNameFor(const QString &base, qint32 index, const QDateTime &start)
{
    // Taken apart by hand: the folder is everything up to the last separator, the extension
    // everything from the last dot of the file name.
    const qsizetype slash =
        std::max(base.lastIndexOf(QLatin1Char('/')), base.lastIndexOf(QLatin1Char('\\')));
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

QString RawTraceNameFor(const QString &logPath)
{
    QString stem = WithoutExtension(logPath);
    if (QFileInfo(logPath).suffix().compare(QLatin1String("log"), Qt::CaseInsensitive) == 0)
        stem += QLatin1String(".can");
    return stem + QLatin1String(".log");
}

QString EventsRecordNameFor(const QString &logPath)
{
    return WithoutExtension(logPath) + QLatin1String(".events.csv");
}

QStringList LogHead(const QDate &date, const QString &firmware, TLogUnits units,
                    const QLocale &locale)
{
    QString columns =
        QStringLiteral("LP;GODZINA;PREDKOSC LINIOWA [km/h];PREDKOSC KATOWA [°/s]") + UnitColumns(1);
    if (units.Unit2)
        columns += UnitColumns(2);
    if (units.Unit3)
        columns += UnitColumns(3);
    return {QStringLiteral("Data wykonania badań;") + LogDate(date, locale), QString(),
            QStringLiteral("Firmware;") + firmware, QString(), columns};
}

QString LogTime(const QTime &time, const QLocale &locale)
{
    return ChosenFor<TLogTimeText, LogTimeText>(locale).Write(time);
}

QString LogNumber(double value, int decimals, const QLocale &locale)
{
    return FormatFixedWithSeparator(value, decimals,
                                    ChosenFor<QString, LogDecimalSeparator>(locale));
}

QString LogRecordLine(qint32 recordNo, const QString &time, const TAcquisitionState &state,
                      TLogUnits units, const QLocale &locale)
{
    const QString &decimalSeparator = ChosenFor<QString, LogDecimalSeparator>(locale);
    const TSensorSample &unit1 = state.Sensors[1];
    QString line;
    line.reserve(160);
    line += QString::number(recordNo);
    line += Separator;
    line += time;
    line += Separator;
    AppendFixed(line, state.Chassis.VehicleSpeed, 2, decimalSeparator);
    line += Separator;
    AppendFixed(line, unit1.AngularVelocity, 2, decimalSeparator);
    AppendUnit(line, unit1, decimalSeparator);
    if (units.Unit2)
        AppendUnit(line, state.Sensors[2], decimalSeparator);
    if (units.Unit3)
        AppendUnit(line, state.Sensors[3], decimalSeparator);
    return line;
}
