#pragma once
// The measurement log a drive's frames make, written from its raw trace as the program writes
// it live: the same decoding and the same log, with its head, columns, record numbers and
// 32nd-record rule. A record's time and the head's date are the frames' times in local time.
// Sent frames are the program's own requests and are not decoded, as live.

#include "log/uLogSession.h"
#include "protocol/uSensorData.h"
#include "trace/uTraceReader.h"

#include <QString>

#include <functional>

// Decodes every frame the reader hands out by the protocol and identifiers of state, and
// writes the records by the units and thinning of log into PartialNameFor(csvPath), which
// replaces csvPath once whole: until then, and after a failure or a kill, a file of that name
// keeps what it had. progress is called every few thousand frames. False with the message
// when the log cannot be written or the trace cannot be read to its end; the partial file is
// removed then.
bool ConvertTrace(TTraceReader &reader, const QString &csvPath, TAcquisitionState &state,
                  TLogSession &log, const std::function<void()> &progress, QString *error);

// Where a conversion writes before its output is whole: beside it, so that the move into
// place stays on one file system.
QString PartialNameFor(const QString &csvPath);
