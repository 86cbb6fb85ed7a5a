#pragma once
// Rows of trace lines for the tests of each format's line rules: a frame is written as the
// candump line of the same frame, which reads at a glance and compares as text.

#include "trace/uCandumpLine.h"

#include <QByteArrayList>
#include <QTest>

#include <ctime>

Q_DECLARE_METATYPE(TLineVerdict)

// A frame in a failed comparison, as its candump line.
inline char *toString(const TTraceFrame &frame)
{
    return qstrdup(Candump::Line(frame).constData());
}

// Central European time with its summer time, as a POSIX rule that needs no time-zone files:
// the local times in the rows are Polish wall-clock times.
inline void UsePolishTime()
{
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    tzset();
}

// Reads the lines in order with one object of a format's rules: every line before the last
// must be read without damage. The last line's verdict, and its frame as a candump line.
inline std::pair<TLineVerdict, QByteArray> ReadLastLine(TTraceLines &&rules,
                                                        const QByteArrayList &lines)
{
    TTraceFrame frame;
    TLineVerdict verdict = TLineVerdict::Skipped;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        verdict = rules.Read(lines[i], frame);
        if (i + 1 < lines.size() && verdict == TLineVerdict::Damaged)
            return {verdict, "damaged before the last line: " + lines[i]};
    }
    return {verdict, verdict == TLineVerdict::Frame ? Candump::Line(frame) : QByteArray()};
}

// A file's head and the lines after it.
inline QByteArrayList With(const QByteArrayList &head, const QByteArrayList &lines)
{
    return head + lines;
}

// The columns of such rows: lines, the verdict of the last, its frame as a candump line.
inline void AddLineColumns()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<TLineVerdict>("verdict");
    QTest::addColumn<QByteArray>("frame");
}

template <typename Rules>
void CompareLastLine()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(TLineVerdict, verdict);
    QFETCH(QByteArray, frame);
    const auto [read, written] = ReadLastLine(Rules(), lines);
    QCOMPARE(written, frame);
    QCOMPARE(read, verdict);
}
