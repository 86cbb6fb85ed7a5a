#pragma once
// What any format's line rules must keep, whatever the file holds: each frame is a classic CAN
// frame at a time from 1970 to 9999 that the candump log writes and reads back unchanged, and
// reading the same lines again gives the same frames.

#include "fuzz/uFuzzRequire.h"
#include "trace/uCandumpLine.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

template <typename Rules>
void FuzzTraceLines(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    Rules rules, again;
    for (const QByteArray &line : text.split('\n')) {
        TTraceFrame frame, second;
        const TLineVerdict verdict = rules.Read(line, frame);
        Require(again.Read(line, second) == verdict);
        if (verdict != TLineVerdict::Frame)
            continue;
        Require(second == frame);
        const TPCANMsg &m = frame.Message;
        Require(m.LEN <= 8);
        Require(m.ID <= (m.MSGTYPE & PCAN_MESSAGE_EXTENDED ? 0x1FFFFFFFu : 0x7FFu));
        Require(frame.TimeUs >= 0 && frame.TimeUs <= TTraceFrame::LatestTimeUs);
        TTraceFrame written;
        Require(Candump::Parse(Candump::Line(frame), written) == TLineVerdict::Frame);
        Require(written == frame);
    }
}
