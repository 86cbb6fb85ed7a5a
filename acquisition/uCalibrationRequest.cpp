#include "acquisition/uCalibrationRequest.h"

#include "acquisition/uAcquisition.h"
#include "base/uConsts.h"
#include "base/uDriveEvents.h"

#include <QString>

TPCANStatus SendCalibrationRequest(const TAcquisition &acquisition, TCalibrationRequest code,
                                   TEventSink *events)
{
    const TPCANStatus status = acquisition.Send(CalibrationRequestFrame(code));
    if (events)
        events->DriveEventOccurred(
            DriveEvent::CalibrationRequest,
            QStringLiteral("%1: %2").arg(
                QString::fromLatin1(CalibrationRequestName(code)),
                QString::fromUtf8(status == PCAN_ERROR_OK ? "sent" : Consts::CalibrationFailed)));
    return status;
}
