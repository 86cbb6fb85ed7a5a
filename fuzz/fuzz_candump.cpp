// Raw trace lines as any file may hold them: whatever a line yields must write back to a
// line that reads as the same frame, and writing it again changes nothing.

#include "trace/uCandumpLine.h"
#include "fuzz/uFuzzRequire.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArray &line : text.split('\n')) {
        const std::optional<TTraceFrame> frame = Candump::Parse(line);
        if (!frame)
            continue;
        Require(frame->Message.LEN <= 8);
        const QByteArray written = Candump::Line(*frame);
        const std::optional<TTraceFrame> again = Candump::Parse(written);
        Require(again && *again == *frame);
        Require(Candump::Line(*again) == written);
    }
    return 0;
}
