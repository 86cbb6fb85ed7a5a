#pragma once
// The measurement log a drive's frames make, written from its raw trace as the program writes
// it live: the same decoding and the same log, with its head, columns, record numbers and
// 32nd-record rule. A record's time and the head's date are the frames' times in local time.
// Sent frames are the program's own requests and are not decoded, as live.

#include "can/uSensorData.h"
#include "log/uLogSession.h"
#include "trace/uTraceReader.h"

#include <QString>

#include <functional>

// Decodes every frame the reader hands out by the protocol and identifiers of state, and
// writes the records into csvPath by the units and thinning of log; csvPath is written anew.
// progress is called every few thousand frames. False with the message when the log cannot be
// written or the trace cannot be read to its end; what was written stays.
bool ConvertTrace(TTraceReader &reader, const QString &csvPath, TAcquisitionState &state,
                  TLogSession &log, const std::function<void()> &progress, QString *error);
