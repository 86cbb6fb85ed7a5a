// Raw trace lines as any file may hold them: whatever a line yields must write back to a
// line that reads as the same frame, and writing it again changes nothing.

#include "fuzz/uFuzzRequire.h"
#include "trace/uCandumpLine.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArray &line : text.split('\n')) {
        TTraceFrame frame;
        if (Candump::Parse(line, frame) != TLineVerdict::Frame)
            continue;
        Require(frame.Message.LEN <= 8);
        const QByteArray written = Candump::Line(frame);
        TTraceFrame again;
        Require(Candump::Parse(written, again) == TLineVerdict::Frame && again == frame);
        Require(Candump::Line(again) == written);
    }
    return 0;
}
