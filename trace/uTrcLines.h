#pragma once
// The line rules of a PCAN-View trace (.trc). Its head says the version, the start and, from
// version 2.0 on, the columns of its message lines:
//   ;$FILEVERSION=2.1
//   ;$STARTTIME=45634.5092534722        days since 30 December 1899, local time
//   ;$COLUMNS=N,O,T,B,I,d,R,L,D
//         1        10.000 DT  1 18FECE47 Rx -  8    00 23 28 23 28 64 64 32
// Version 1.x has fixed columns and says Rx or Tx where 2.x gives the type:
//        1)      2850.8  Rx     18FECE47  8  00 23 28 23 28 64 64 32
// and may give its start only in a comment, ";   Start time: 12/8/2024 12:13:20.123.0".
// Times are offsets from the start in ms. Identifiers of more than four digits are extended.
// Only classic data frames (1.x Rx and Tx, 2.x DT) and remote frames (RR, or RTR in place of
// the data) are frames; status, error, event and CAN FD lines are skipped.

#include "trace/uTraceFrame.h"

#include <QByteArray>

class TTrcLines : public TTraceLines
{
public:
    TLineVerdict Read(QByteArrayView line, TTraceFrame &frame) override;
    std::unique_ptr<TTraceLines> Clone() const override
    {
        return std::make_unique<TTrcLines>(*this);
    }

private:
    TLineVerdict ReadHeadLine(QByteArrayView line);
    TLineVerdict ReadMessage(QByteArrayView line, TTraceFrame &frame) const;

    int m_major = 1;                 // the file version's
    QByteArray m_columns = "NOILD";  // one letter a column; version 1.0 without a version line
    qint64 m_startUs = 0;            // µs since the Unix epoch
    bool m_startTimeGiven = false;   // $STARTTIME, which the comment's start time yields to
};
