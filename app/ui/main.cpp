#include "adapter/PCANBasic.h"
#include "app/uCommandLine.h"
#include "app/uCommands.h"
#include "app/uDisplayCheck.h"
#include "app/uProgressBar.h"
#include "app/uVersionText.h"
#include "app/uStopSignals.h"
#include "app/ui/uApplication.h"
#include "app/ui/uReportCommand.h"
#include "app/ui/uWindowSet.h"
#include "base/uConsts.h"
#include "log/uFileOnDisk.h"
#include "session/uAdapterChoice.h"
#include "session/uCanBackend.h"
#include "trace/uReplay.h"
#include "trace/uReplayClock.h"
#include "trace/uReplayDevice.h"
#include "trace/ui/uReplayOpening.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextStream>

#include <optional>

namespace {

// A start that ends before any window: on standard error and, where there is a screen, in a
// box, for one started from a menu sees no standard error.
void TellStartupError(const QString &error)
{
    QTextStream(stderr) << "telqar-logger: " << error << '\n';
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        QMessageBox::critical(nullptr, QString::fromUtf8(Consts::AppTitle), error);
}

// Reads the trace before any window opens: one that cannot be played ends the start here,
// told on standard error and, where there is a screen, in a box for one started from a menu.
bool OpenTrace(TReplay &replay, const QString &path)
{
    QTextStream err(stderr);
    std::optional<TProgressBar> bar;
    if (StandardErrorIsTerminal())
        bar.emplace(err, QFileInfo(path).fileName());
    QElapsedTimer reading;
    reading.start();
    QString error;
    bool shown = false;
    const bool opened = OpenReplay(replay, path, &error, [&](qint64 done, qint64 total) {
        if (bar)
            bar->Show(done, total);
        shown = bar.has_value();
        return true;
    });
    if (opened && shown)
        bar->Finish();
    else if (shown)
        err << '\n';
    if (!opened) {
        TellStartupError(error);
        return false;
    }
    err << "telqar-logger: replaying " << QFileInfo(path).fileName() << ": " << replay.Frames()
        << " frames over "
        << QString::number(double(replay.EndUs() - replay.StartUs()) / 1e6, 'f', 1)
        << " s, read in " << QString::number(double(reading.elapsed()) / 1000, 'f', 1) << " s\n";
    if (replay.DamagedLines() > 0)
        err << "telqar-logger: " << replay.DamagedLines()
            << " damaged lines of the trace passed over\n";
    if (replay.LateFrames() > 0)
        err << "telqar-logger: " << replay.LateFrames() << " frames more than "
            << TPlayOrder::ReorderUs / 1000000
            << " s out of time order, each played at once after the frames before it\n";
    return true;
}

}  // namespace

// A command that draws pages but shows none: it runs on Qt's offscreen platform, so that it
// works over SSH and in a batch with no display at all.
int RunDrawingCommand(int argc, char *argv[], const TLaunch &launch)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telqar-logger"));
    QCoreApplication::setApplicationVersion(FullVersionText(ProgramVersion()));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunReportCommand(launch.Arguments, {out, err, StandardErrorIsTerminal()});
}

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const TLaunch launch = ChooseLaunch(arguments);
        launch.Kind == TLaunchKind::Command && RunsInWindowProgram(launch))
        return RunDrawingCommand(argc, argv, launch);

    const QString missingDisplay = MissingDisplay(CurrentDisplayEnvironment());
    if (!missingDisplay.isEmpty()) {
        QTextStream(stderr) << "telqar-logger: " << missingDisplay << '\n';
        return ExitCode::Failed;
    }
    TApplication application(argc, argv);
    LetFileSizeLimitsFailWrites();
    TCommandLine commandLine = ParseCommandLine(application.arguments().mid(1));
    for (const QString &problem : commandLine.Problems)
        QTextStream(stderr) << "ignored option: " << problem << '\n';
    if (!commandLine.Error.isEmpty()) {
        TellStartupError(commandLine.Error);
        return ExitCode::Usage;
    }

    // Started from the menu, the program takes the adapter that is plugged in.
    commandLine.CanBackend =
        StartAdapter(commandLine.CanBackend, FindAdapters(SystemAdapterSearch()));
    TCanBackend backend;
    TCanBackend::Parse(commandLine.CanBackend, backend);
    backend.Drops = commandLine.Drops;
    const bool replaying = !backend.TraceFile.isEmpty();
    TReplay replay;
    const TReplayClock replayClock(replay);
    TMainSeams seams;
    if (replaying) {
        if (!OpenTrace(replay, backend.TraceFile))
            return 1;
        TPCANBasic::SetDeviceFactory(ReplayDeviceFactory(replay));
        seams.clock = &replayClock;
    } else {
        backend.Use();
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
