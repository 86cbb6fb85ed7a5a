#pragma once
// The line rules of a Vector ASC trace, as Vector's tools, python-can and can-utils' log2asc
// write it:
//   date Sun Dec 8 12:13:20.123 PM 2024
//   base hex  timestamps absolute
//   internal events logged
//   Begin Triggerblock Sun Dec 8 12:13:20.123 PM 2024
//      0.000000 Start of measurement
//      0.010000 1  18FECE47x       Rx   d 8 00 23 28 23 28 64 64 32  Length = 272000 ...
//      0.020000 1  123             Tx   r 8
//      0.030000 1  ErrorFrame
//      0.040000 CANFD   1 Rx  123  ...
//   End TriggerBlock
// A line's time counts from the trigger block's date (the file's date without one), local
// time; with relative timestamps from the line before. Identifiers ending in x are extended;
// identifiers, lengths and bytes are in the file's base. Events, statistics, error frames and
// CAN FD frames are skipped.

#include "trace/uTraceFrame.h"

class TAscLines : public TTraceLines
{
public:
    TLineVerdict Read(QByteArrayView line, TTraceFrame &frame) override;
    std::unique_ptr<TTraceLines> Clone() const override
    {
        return std::make_unique<TAscLines>(*this);
    }

private:
    TLineVerdict ReadKeywordLine(QByteArrayView keyword, QByteArrayView rest);
    TLineVerdict ReadTimedLine(qint64 timeUs, QByteArrayView rest, TTraceFrame &frame);
    TLineVerdict ReadFrame(QByteArrayView idText, QByteArrayView direction, QByteArrayView rest,
                           TTraceFrame &frame) const;

    int m_base = 16;
    bool m_relative = false;
    qint64 m_startUs = 0;    // the start date, µs since the Unix epoch
    qint64 m_elapsedUs = 0;  // relative timestamps: of the line before, since the start
};
