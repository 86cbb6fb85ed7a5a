// A file given to the report as a log, and the events record beside it: any bytes are read as a
// log or refused with the line that is wrong, never a crash; a log read has a time axis that
// never runs back, and its events sit on it.

#include "fuzz/uFuzzRequire.h"
#include "report/uDriveEvents.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TDriveLog log;
    QString error;
    if (!ReadDriveLog(bytes, &log, &error)) {
        Require(error.startsWith(QLatin1String("line ")));
        return 0;
    }
    double last = -INFINITY;
    for (const TDriveRecord &record : log.Records) {
        Require(std::isfinite(record.Seconds) && record.Seconds >= last);
        last = record.Seconds;
    }
    // The same bytes as the record beside it: nothing in them is an event it cannot place.
    const TDriveEvents events = ReadDriveEvents(bytes, log);
    for (const TDriveEvent &event : events.Events)
        Require(std::isfinite(event.Seconds));
    for (const auto &[from, to] : events.AlarmPeriods)
        Require(from <= to);
    return 0;
}
