#include "protocol/uSensorData.h"

void ClearSensorValues(TAcquisitionState &state)
{
    TSensorSample &unit = state.Sensors[1];
    unit.TiltY = unit.TiltX = unit.AccY = unit.AccX = 0.0;
    unit.Temperature = unit.AngularVelocity = unit.LTR = 0.0;
    unit.Status = 0;
    unit.Heating = 0;
    state.Chassis.VehicleSpeed = 0.0;
}
