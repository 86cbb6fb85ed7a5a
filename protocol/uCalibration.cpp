#include "protocol/uCalibration.h"

const char *CalibrationRequestName(TCalibrationRequest code)
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

TPCANMsg CalibrationRequestFrame(TCalibrationRequest code)
{
    TPCANMsg message;
    message.ID = CalibrationRequestId;
    message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    message.LEN = 1;
    message.DATA[0] = code;
    return message;
}
