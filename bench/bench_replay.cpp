// How late the replay hands each frame over against its trace time: a 60 s drive (unit 1 at
// 100 samples/s, the chassis at 10/s) played at 1x, then the same at 10x with the CPU time it
// took.
//   bench_replay [SECONDS]   the drive's length, 60 by default

#include "base/uClock.h"
#include "trace/uReplay.h"
#include "trace/uReplayDevice.h"

#include <QCanBusFrame>
#include <QCoreApplication>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <vector>

namespace {

constexpr qint64 T0 = 1733660000'000000;

std::vector<TTraceFrame> Drive(int seconds)
{
    std::vector<TTraceFrame> frames;
    for (int i = 0; i < seconds * 100; ++i) {
        frames.push_back({T0 + i * 10000LL, {0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {}}, false});
        if (i % 10 == 0)
            frames.push_back({T0 + i * 10000LL, {0x18FECF10, PCAN_MESSAGE_EXTENDED, 8, {}}, false});
    }
    return frames;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Play(int seconds, int speed)
{
    TReplay replay;
    replay.SetFrames(Drive(seconds));
    replay.SetSpeed(speed, 0);
    TReplayDevice device(replay);
    std::vector<qint64> lateness;
    qint64 startReal = 0;
    QObject::connect(&device, &QCanBusDevice::framesReceived, [&] {
        const qint64 now = SteadyUs();
        for (const QCanBusFrame &frame : device.readAllFrames()) {
            const qint64 due =
                startReal
                + (frame.timeStamp().seconds() * 1000000 + frame.timeStamp().microSeconds() - T0)
                      / speed;
            lateness.push_back(now - due);
        }
        if (replay.AtEnd())
            QCoreApplication::quit();
    });
    const double cpuBefore = CpuSeconds();
    const qint64 realBefore = SteadyUs();
    startReal = SteadyUs();
    device.connectDevice();
    QCoreApplication::exec();
    const double cpu = CpuSeconds() - cpuBefore;
    const double real = double(SteadyUs() - realBefore) / 1e6;
    std::sort(lateness.begin(), lateness.end());
    const auto at = [&](double share) {
        return double(lateness[size_t(share * double(lateness.size() - 1))]) / 1000.0;
    };
    QTextStream(stdout) << speed << "x: " << lateness.size() << " frames over " << real
                        << " s, lateness ms: median " << at(0.5) << ", 99% " << at(0.99)
                        << ", largest " << at(1.0) << "; CPU " << 100.0 * cpu / real
                        << " % of a core\n";
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 60;
    Play(seconds, 1);
    Play(seconds, 10);
    return 0;
}
