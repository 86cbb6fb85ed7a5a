// Measurement-log records formatted and written per second to a file, flushed as the display
// tick would flush them.

#include "log/uLogFormat.h"
#include "log/uMeasurementLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QTemporaryDir dir;
    QTextStream out(stdout);
    for (const TLogUnits units : {TLogUnits{}, TLogUnits{true, true}}) {
        TMeasurementLog log;
        QString error;
        log.Open(dir.filePath(QStringLiteral("bench.csv")),
                 LogHead(QDate::currentDate(), {}, units), &error);
        TAcquisitionState state;
        const int Records = qEnvironmentVariableIntValue("BENCH_RECORDS") > 0
                                ? qEnvironmentVariableIntValue("BENCH_RECORDS")
                                : 1000000;
        constexpr int PerTick = 760;  // a saturated bus's samples per 100 ms display tick
        QElapsedTimer timer;
        timer.start();
        for (int i = 1; i <= Records; ++i) {
            for (int unit = 1; unit <= 3; ++unit) {
                TSensorSample &s = state.Sensors[size_t(unit)];
                s.TiltX = -12.34 + i % 1000 * 0.01;
                s.TiltY = 5.6 - i % 700 * 0.01;
                s.AccX = 0.123;
                s.AccY = -0.456;
                s.Status = quint8(i);
                s.LTR = 0.5;
            }
            state.Chassis.VehicleSpeed = 45.67;
            log.Append(LogRecordLine(i, LogTime(QTime::currentTime()), state, units));
            if (i % PerTick == 0)
                log.Flush(timer.elapsed(), &error);  // forced to the disk once a second
        }
        log.Close(&error);
        out << (units.Unit2 ? "three units" : "one unit") << ": "
            << qRound64(Records * 1000.0 / double(timer.elapsed())) << " records/s\n";
        QFile::remove(dir.filePath(QStringLiteral("bench.csv")));
    }
    return 0;
}
