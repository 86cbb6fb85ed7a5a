// The window program on a long trace, offscreen: how long the trace takes to open, how long a
// move in it takes, and what a few seconds of play at 10x cost, with the resident memory at
// its peak.
//   QT_QPA_PLATFORM=offscreen bench_replay_window TRACE [SECONDS]    5 s of play by default

#include "app/uCommandLine.h"
#include "app/ui/uApplication.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uWindowSet.h"
#include "trace/uReplayClock.h"
#include "trace/uReplayDevice.h"
#include "trace/ui/uReplayBar.h"
#include "trace/ui/uReplayOpening.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

namespace {

long PeakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char *argv[])
{
    TApplication application(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: bench_replay_window TRACE [SECONDS]\n";
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int seconds = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 5;

    TReplay replay;
    const TReplayClock clock(replay);
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!OpenReplay(replay, path, &error)) {
        out << error << '\n';
        return 1;
    }
    out << "opened: " << replay.Frames() << " frames in " << double(timer.elapsed()) / 1000
        << " s; peak resident " << PeakResidentMiB() << " MiB\n";

    // Moves to ten places across the trace, as the slider would.
    timer.restart();
    for (int i = 9; i >= 0; --i)
        replay.Seek(replay.StartUs() + (replay.EndUs() - replay.StartUs()) / 10 * i, SteadyUs());
    out << "a move in the trace: " << double(timer.nsecsElapsed()) / 10 / 1e6 << " ms\n";

    TPCANBasic::SetDeviceFactory(ReplayDeviceFactory(replay));
    TWindowSet windows = TWindowSet::Create(
        ParseCommandLine({QStringLiteral("--can=replay:") + path}), {&clock, nullptr});
    TfrmMain &main = *windows.frmMain;
    main.AttachReplay(replay);
    main.show();
    main.btnInitClick();
    main.Pages().ReplayBar->cbbSpeed->setCurrentIndex(3);  // 10x
    const qint64 traceBefore = replay.TraceTimeUs(SteadyUs());
    timer.restart();
    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    QCoreApplication::exec();
    const double real = double(timer.elapsed()) / 1000;
    out << "played: " << double(replay.TraceTimeUs(SteadyUs()) - traceBefore) / 1e6
        << " s of the trace in " << real << " s, unit 1 "
        << (main.Session().Acquisition.State.SensorOnline ? "online" : "not heard") << "; peak resident "
        << PeakResidentMiB() << " MiB\n";
    main.btnReleaseClick();
    TPCANBasic::SetDeviceFactory({});
    return 0;
}
