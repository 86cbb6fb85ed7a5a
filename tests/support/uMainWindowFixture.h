#pragma once
// The main window for tests: started from a command line, or online on a fake bus with a fake
// clock after one production sample.

#include "acquisition/ui/uFrmLogCAN.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uWindowSet.h"
#include "support/uFakeCanDevice.h"
#include "support/uFakeClock.h"

#include <QPlainTextEdit>

inline TWindowSet Start(const QStringList &arguments = {QStringLiteral("D")})
{
    return TWindowSet::Create(ParseCommandLine(arguments));
}

inline const QCanBusFrame ProductionSample =
    ExtendedFrame(0x18FECE47, QByteArray::fromHex("4023282328C8643C"));

// The window on a fake bus and a fake clock, online after one sample.
struct TOnlineWindow {
    TOnlineWindow()
    {
        Main.btnInitClick();
        Bus.Device()->Inject({ProductionSample});
        Main.Session().TimerCanTimer();
    }
    TFakeCanBus Bus;
    TFakeClock Clock;
    TWindowSet Windows = TWindowSet::Create(ParseCommandLine({}), {&Clock, nullptr});
    TfrmMain &Main = *Windows.frmMain;
};

inline QString TrafficLines(const TWindowSet &windows)
{
    windows.secondary.frmLogCAN->FlushPendingLines();
    return windows.secondary.frmLogCAN->mLogCAN->toPlainText();
}
