#include "trace/uCandumpLine.h"

#include "support/uTraceRows.h"

#include <QtTest>

namespace {

TTraceFrame Frame(qint64 timeUs, quint32 id, TPCANMessageType type, const QByteArray &data,
                  bool sent)
{
    TTraceFrame frame;
    frame.TimeUs = timeUs;
    frame.Message.ID = id;
    frame.Message.MSGTYPE = type;
    frame.Message.LEN = quint8(data.size());
    std::copy(data.cbegin(), data.cend(), frame.Message.DATA);
    frame.Sent = sent;
    return frame;
}

}  // namespace

class tst_uCandumpLine : public QObject
{
    Q_OBJECT
private slots:
    void writesAndReadsBack_data()
    {
        QTest::addColumn<TTraceFrame>("frame");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("unit, received")
            << Frame(1733660000123456, 0x18FECE47, PCAN_MESSAGE_EXTENDED,
                     QByteArray::fromHex("0123456789ABCDEF"), false)
            << QByteArray("(1733660000.123456) can0 18FECE47#0123456789ABCDEF R");
        QTest::newRow("speed frame, sent")
            << Frame(1733660000000001, 0x18FECF10, PCAN_MESSAGE_EXTENDED,
                     QByteArray::fromHex("0000001E00000000"), true)
            << QByteArray("(1733660000.000001) can0 18FECF10#0000001E00000000 T");
        QTest::newRow("standard, two bytes")
            << Frame(5000000, 0x7FF, PCAN_MESSAGE_STANDARD, QByteArray::fromHex("A0B1"), false)
            << QByteArray("(5.000000) can0 7FF#A0B1 R");
        QTest::newRow("no data") << Frame(0, 0x001, PCAN_MESSAGE_STANDARD, {}, false)
                                 << QByteArray("(0.000000) can0 001# R");
        TTraceFrame remote = Frame(1, 0x123, PCAN_MESSAGE_STANDARD | PCAN_MESSAGE_RTR, {}, false);
        QTest::newRow("remote") << remote << QByteArray("(0.000001) can0 123#R R");
        remote.Message.LEN = 8;
        QTest::newRow("remote asking for 8") << remote << QByteArray("(0.000001) can0 123#R8 R");
    }

    void writesAndReadsBack()
    {
        QFETCH(TTraceFrame, frame);
        QFETCH(QByteArray, line);
        QCOMPARE(Candump::Line(frame), line);
        TTraceFrame read;
        QCOMPARE(Candump::Parse(line, read), TLineVerdict::Frame);
        QVERIFY(read == frame);
    }

    // What other tools write, and what no frame of ours can be.
    void readsOtherWriters_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<TLineVerdict>("verdict");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<int>("length");
        const auto frame = TLineVerdict::Frame;
        const auto skipped = TLineVerdict::Skipped;
        const auto damaged = TLineVerdict::Damaged;
        QTest::newRow("no direction")
            << QByteArray("(1733660000.123456) vcan0 18FECE47#0102") << frame << false << 2;
        QTest::newRow("sent") << QByteArray("(1.5) can1 123#01 T") << frame << true << 1;
        QTest::newRow("line end and spaces")
            << QByteArray("  (1.000000) can0 123#0102  \r") << frame << false << 2;
        QTest::newRow("remote with length")
            << QByteArray("(1.000000) can0 123#R8") << frame << false << 8;
        QTest::newRow("lower-case hex")
            << QByteArray("(1.0) can0 18fece47#abcdef") << frame << false << 3;
        QTest::newRow("empty") << QByteArray() << skipped << false << 0;
        QTest::newRow("blanks") << QByteArray(" \t\r") << skipped << false << 0;
        QTest::newRow("comment") << QByteArray("# a comment") << damaged << false << 0;
        QTest::newRow("no time") << QByteArray("can0 123#00") << damaged << false << 0;
        QTest::newRow("bad time") << QByteArray("(1.x) can0 123#00") << damaged << false << 0;
        QTest::newRow("seven decimals")
            << QByteArray("(1.0000001) can0 123#00") << damaged << false << 0;
        QTest::newRow("no interface") << QByteArray("(1.0) 123#00") << damaged << false << 0;
        QTest::newRow("four-digit identifier")
            << QByteArray("(1.0) can0 1234#00") << damaged << false << 0;
        QTest::newRow("standard past 7FF")
            << QByteArray("(1.0) can0 800#00") << damaged << false << 0;
        QTest::newRow("error frame")
            << QByteArray("(1.0) can0 20000080#0000000000000000") << skipped << false << 0;
        QTest::newRow("error frame, python-can")
            << QByteArray("(1.0) vcan0 20000080#") << skipped << false << 0;
        QTest::newRow("past 29 bits, no error flag")
            << QByteArray("(1.0) can0 40000080#00") << damaged << false << 0;
        QTest::newRow("odd digits") << QByteArray("(1.0) can0 123#012") << damaged << false << 0;
        QTest::newRow("nine bytes")
            << QByteArray("(1.0) can0 123#010203040506070809") << damaged << false << 0;
        QTest::newRow("CAN FD") << QByteArray("(1.0) can0 123##10011") << skipped << false << 0;
        QTest::newRow("CAN FD, python-can")
            << QByteArray("(1733660000.500000) vcan0 123##0000000000000000000000000 R") << skipped
            << false << 0;
        QTest::newRow("CAN FD without flags")
            << QByteArray("(1.0) can0 123##") << damaged << false << 0;
        QTest::newRow("CAN FD, 65 bytes")
            << QByteArray("(1.0) can0 123##0" + QByteArray(130, '0')) << damaged << false << 0;
        QTest::newRow("a second frame on the line")
            << QByteArray("(1.0) can0 123#00 R 124#00") << damaged << false << 0;
        QTest::newRow("unknown direction")
            << QByteArray("(1.0) can0 123#00 X") << damaged << false << 0;
        QTest::newRow("remote, bad length")
            << QByteArray("(1.0) can0 123#R9") << damaged << false << 0;
    }

    void readsOtherWriters()
    {
        QFETCH(QByteArray, line);
        QFETCH(TLineVerdict, verdict);
        QFETCH(bool, sent);
        QFETCH(int, length);
        TTraceFrame read;
        QCOMPARE(Candump::Parse(line, read), verdict);
        if (verdict == TLineVerdict::Frame) {
            QCOMPARE(read.Sent, sent);
            QCOMPARE(int(read.Message.LEN), length);
        }
    }
};

QTEST_GUILESS_MAIN(tst_uCandumpLine)
#include "tst_uCandumpLine.moc"
