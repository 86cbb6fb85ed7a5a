#include "app/uCommandLine.h"
#include "app/uCommands.h"
#include "app/uStopSignals.h"
#include "app/ui/uApplication.h"
#include "app/ui/uWindowSet.h"
#include "can/PCANBasic.h"
#include "can/uCanBackend.h"
#include "log/uFileOnDisk.h"
#include "trace/uReplay.h"
#include "trace/uReplayClock.h"
#include "trace/uReplayDevice.h"

#include <QTextStream>

int main(int argc, char *argv[])
{
    TApplication application(argc, argv);
    LetFileSizeLimitsFailWrites();
    const TCommandLine commandLine = ParseCommandLine(application.arguments().mid(1));
    for (const QString &problem : commandLine.Problems)
        QTextStream(stderr) << "ignored option: " << problem << '\n';
    if (!commandLine.Error.isEmpty()) {
        QTextStream(stderr) << "telqar-logger: " << commandLine.Error << '\n';
        return ExitCode::Usage;
    }

    TCanBackend backend;
    TCanBackend::Parse(commandLine.CanBackend, backend);
    backend.Drops = commandLine.Drops;
    const bool replaying = !backend.TraceFile.isEmpty();
    TReplay replay;
    const TReplayClock replayClock(replay);
    TMainSeams seams;
    if (replaying) {
        // Read before any window opens: a trace that cannot be played ends the start here.
        QString error;
        if (!replay.Load(backend.TraceFile, &error)) {
            QTextStream(stderr) << "telqar-logger: " << error << '\n';
            return 1;
        }
        if (replay.DamagedLines() > 0)
            QTextStream(stderr) << "telqar-logger: " << replay.DamagedLines()
                                << " damaged lines of the trace passed over\n";
        TPCANBasic::SetDeviceFactory(ReplayDeviceFactory(replay));
        seams.clock = &replayClock;
    } else {
        TPCANBasic::SetDeviceFactory(backend.Factory(), backend.Plugin);
    }

    TWindowSet windows = TWindowSet::Create(commandLine, seams);
    if (replaying)
        windows.frmMain->AttachReplay(replay);
    windows.frmMain->show();
    // A logout or shutdown closes the window as the user would: the log stops with its files
    // whole and its stop in the events record. quit() also ends an open dialog's loop.
    const TStopSignals stopSignals([&windows] {
        windows.frmMain->close();
        QCoreApplication::quit();
    });
    const int result = application.exec();
    // Hand the adapter back before the toolkit goes away.
    if (TPCANBasic::Device())
        TPCANBasic::Uninitialize(PCAN_USBBUS1);
    return result;
}
