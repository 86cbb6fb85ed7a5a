// The conversion of a raw trace to the log's CSV, frames per second, on a candump log of a
// plausible drive: unit 1 at 100 samples a second and the chassis at 10 in production, three
// units (motion and status frames) at 100 in the test protocol.
//   bench_convert write TRACE FRAMES production|test   writes the trace
//   bench_convert convert TRACE [convert's options]     converts it to TRACE.csv, timed

#include "adapter/PCANBasic.h"
#include "app/uConvertCommand.h"
#include "sim/uSimulatedDrive.h"
#include "trace/uCandumpLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <ctime>

namespace {

// 12:13:20 on 8 December 2024.
constexpr qint64 StartUs = 1733656400000000;

bool InProtocol(quint32 id, bool production)
{
    const bool productionFrame = id == TSimulatedDrive::UnitId || id == TSimulatedDrive::ChassisId;
    return productionFrame == production;
}

int Write(const QString &path, qint64 frames, bool production)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    TSimulatedDrive drive(100);
    QByteArray block;
    qint64 written = 0;
    for (qint64 ms = 1; written < frames; ++ms) {
        int inTick = 0;
        for (const QCanBusFrame &bus : drive.FramesUntil(ms)) {
            if (!InProtocol(bus.frameId(), production) || written == frames)
                continue;
            // 0.25 ms apart within a sample, as a bus carries them one after another.
            const TTraceFrame frame{StartUs + ms * 1000 + 250 * inTick++, MessageFromFrame(bus),
                                    false};
            block += Candump::Line(frame);
            block += '\n';
            ++written;
        }
        if (block.size() > (1 << 20)) {
            file.write(block);
            block.clear();
        }
    }
    file.write(block);
    return file.error() == QFileDevice::NoError ? 0 : 1;
}

qint64 LinesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    qint64 lines = 0;
    QByteArray block;
    while (!(block = file.read(1 << 20)).isEmpty())
        lines += block.count('\n');
    return lines;
}

int Convert(const QString &trace, const QStringList &options)
{
    QTextStream out(stdout);
    const qint64 frames = LinesOf(trace);  // also brings the file into the page cache
    const QString csv = trace + QStringLiteral(".csv");
    // The processor's time as well: on a machine shared with other work the wall clock also
    // counts the time others had the core.
    QElapsedTimer timer;
    timer.start();
    const std::clock_t processor = std::clock();
    const int exit =
        RunConvertCommand(QStringList{trace, QStringLiteral("-o"), csv} + options, {out, out});
    const double cpuSeconds = double(std::clock() - processor) / CLOCKS_PER_SEC;
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    out << "convert " << options.join(u' ') << ": " << frames << " frames in "
        << QString::number(seconds, 'f', 2) << " s, " << qRound64(double(frames) / seconds)
        << " frames/s (" << QString::number(cpuSeconds, 'f', 2) << " s of processor time, "
        << qRound64(double(frames) / cpuSeconds) << " frames/s), " << LinesOf(csv) - 5
        << " records (exit " << exit << ")\n";
    return exit;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 4 && arguments[0] == QLatin1String("write"))
        return Write(arguments[1], arguments[2].toLongLong(),
                     arguments[3] == QLatin1String("production"));
    if (arguments.size() >= 2 && arguments[0] == QLatin1String("convert"))
        return Convert(arguments[1], arguments.mid(2));
    QTextStream(stderr) << "usage: bench_convert write TRACE FRAMES production|test\n"
                           "       bench_convert convert TRACE [convert's options]\n";
    return 2;
}
