// A drive recorded from the simulated unit onto a medium whose every sync takes 2 s (a slow
// USB stick or SD card), the way the window records it: how late the display tick comes at
// worst, and whether every sample reached the log. The sync is this program's own fdatasync,
// which the log's calls reach before the C library's.

#include "acquisition/uHealthText.h"
#include "adapter/PCANBasic.h"
#include "app/uRecorder.h"
#include "session/uCanBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {
std::atomic<int> Syncs{0};
}

extern "C" int fdatasync(int fd)
{
    ++Syncs;
    std::this_thread::sleep_for(std::chrono::seconds(2));
    return int(syscall(SYS_fdatasync, fd));
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    TCanBackend backend;
    TCanBackend::Parse(QStringLiteral("sim"), backend);
    TPCANBasic::SetDeviceFactory(backend.Factory(), backend.Plugin);

    TRecordOptions options;
    options.Backend = QStringLiteral("sim");
    options.Baudrate = 0x011C;
    options.Seconds = seconds;
    const TClock clock;
    TRecorder recorder(clock, options);
    recorder.OnFinished = [](int exitCode) { QCoreApplication::exit(exitCode); };

    // A tick of the same thread, every 100 ms as the display's: how late it comes while the
    // drive is recorded. The stop at its end waits for the disk, as it must.
    QElapsedTimer sinceTick, recording;
    qint64 longestMs = 0;
    QTimer tick;
    tick.setInterval(100);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (recording.elapsed() < seconds * 1000 - 200)
            longestMs = std::max(longestMs, sinceTick.restart());
    });
    QString error;
    if (!recorder.Start(&error)) {
        QTextStream(stderr) << error << '\n';
        return 1;
    }
    sinceTick.start();
    recording.start();
    tick.start();
    const int exitCode = QCoreApplication::exec();
    const qint64 stopMs = recording.elapsed() - seconds * 1000;
    const TRecordCounts &counts = recorder.Counts();
    QTextStream(stdout) << "each sync 2 s, " << Syncs.load() << " syncs in " << seconds
                        << " s: display tick at most " << longestMs << " ms apart; "
                        << counts.Samples << " samples, " << counts.Records << " records, "
                        << counts.NotWritten << " not written; " << SupervisionSummary(recorder.Session.Acquisition)
                        << "; the stop waited " << stopMs << " ms for the disk\n";
    return exitCode;
}
