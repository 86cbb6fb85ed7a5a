#include "can/uCalibration.h"

#include "base/uConsts.h"
#include "base/uDriveEvents.h"
#include "can/uAcquisition.h"

#include <QString>

namespace {

const char *NameOf(TCalibrationRequest code)
{
    switch (code) {
    case crReset:
        return "reset";
    case crFactorySettings:
        return "factory settings";
    case crCalibrate:
        return "calibrate";
    }
    return "request";
}

}  // namespace

TPCANMsg CalibrationRequestFrame(TCalibrationRequest code)
{
    TPCANMsg message;
    message.ID = CalibrationRequestId;
    message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    message.LEN = 1;
    message.DATA[0] = code;
    return message;
}

TPCANStatus SendCalibrationRequest(const TAcquisition &acquisition, TCalibrationRequest code,
                                   TEventSink *events)
{
    const TPCANStatus status = acquisition.Send(CalibrationRequestFrame(code));
    if (events)
        events->DriveEventOccurred(
            DriveEvent::CalibrationRequest,
            QStringLiteral("%1: %2").arg(
                QString::fromLatin1(NameOf(code)),
                QString::fromUtf8(status == PCAN_ERROR_OK ? "sent" : Consts::CalibrationFailed)));
    return status;
}
