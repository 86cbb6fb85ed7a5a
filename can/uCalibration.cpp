#include "can/uCalibration.h"

TPCANMsg CalibrationRequestFrame(TCalibrationRequest code)
{
    TPCANMsg message;
    message.ID = CalibrationRequestId;
    message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    message.LEN = 1;
    message.DATA[0] = code;
    return message;
}
