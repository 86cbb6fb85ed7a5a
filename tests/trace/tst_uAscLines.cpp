#include "trace/uAscLines.h"

#include "support/uTraceRows.h"

#include <QtTest>

namespace {

// What python-can 4.1 writes before the first frame; its dates are local time.
const QByteArrayList PythonCan{"date Sun Dec 08 12:13:20.123 PM 2024",
                               "base hex  timestamps absolute", "internal events logged",
                               "Begin Triggerblock Sun Dec 08 12:13:20.123 PM 2024",
                               " 0.000000 Start of measurement"};
// can-utils' log2asc: whole seconds, no trigger block.
const QByteArrayList Log2asc{"date Sun Dec  8 12:13:20 2024", "base hex  timestamps absolute",
                             "no internal events logged"};

}  // namespace

class tst_uAscLines : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { UsePolishTime(); }

    void frames_data()
    {
        AddLineColumns();
        const auto frame = TLineVerdict::Frame;
        // 12:13:20.123 on 8 December 2024 in Poland is 11:13:20.123 UTC.
        QTest::newRow("python-can, extended, received")
            << With(PythonCan, {" 0.010000 1  18FECE47x       Rx   d 8 00 23 28 23 28 64 64 32"})
            << frame << QByteArray("(1733656400.133000) can0 18FECE47#0023282328646432 R");
        QTest::newRow("python-can, sent")
            << With(PythonCan, {" 1.500000 1  18FECF10x       Tx   d 8 00 1E 00 00 00 00 00 00"})
            << frame << QByteArray("(1733656401.623000) can0 18FECF10#001E000000000000 T");
        QTest::newRow("standard, two bytes")
            << With(PythonCan, {" 0.077000 1  123             Rx   d 2 01 02"}) << frame
            << QByteArray("(1733656400.200000) can0 123#0102 R");
        QTest::newRow("remote with its length")
            << With(PythonCan, {" 0.177000 1  123             Rx   r 8 "}) << frame
            << QByteArray("(1733656400.300000) can0 123#R8 R");
        QTest::newRow("remote, older tools: no length")
            << With(Log2asc, {"   0.177000 1  123             Rx   r"}) << frame
            << QByteArray("(1733656400.177000) can0 123#R R");
        QTest::newRow("log2asc: whole seconds, four decimals")
            << With(Log2asc, {"   0.0105 1  18FECE47x       Rx   d 1 AA"}) << frame
            << QByteArray("(1733656400.010500) can0 18FECE47#AA R");
        QTest::newRow("Vector's trailing fields")
            << With(PythonCan, {"   0.010000 1  18FECE47x       Rx   d 8 00 23 28 23 28 64 64 32  "
                                "Length = 272000 BitCount = 140 ID = 419360327x"})
            << frame << QByteArray("(1733656400.133000) can0 18FECE47#0023282328646432 R");
        QTest::newRow("decimal base")
            << QByteArrayList{"date Sun Dec 8 12:13:20 2024", "base dec timestamps absolute",
                              "0.5 2 419352135x Tx d 3 0 35 255"}
            << frame << QByteArray("(1733656400.500000) can0 18FECE47#0023FF T");
        QTest::newRow("relative timestamps add up, events too")
            << QByteArrayList{"date Sun Dec 8 12:13:20 2024",
                              "base hex timestamps relative",
                              "Begin Triggerblock",
                              "0.100000 1 123 Rx d 0",
                              "0.200000 1 Statistic: D 0 R 0 XD 0 XR 0 E 0 O 0 B 0.00%",
                              "0.300000 1 124 Rx d 0"}
            << frame << QByteArray("(1733656400.600000) can0 124# R");
        QTest::newRow("the trigger block's date wins")
            << QByteArrayList{"date Sun Dec 8 12:13:20 2024", "base hex timestamps absolute",
                              "Begin Triggerblock Sun Dec 8 12:13:25.000 PM 2024",
                              "0.000000 1 123 Rx d 0"}
            << frame << QByteArray("(1733656405.000000) can0 123# R");
        QTest::newRow("12 AM is midnight")
            << QByteArrayList{"date Sun Dec 8 12:00:01.000 AM 2024", "0.0 1 123 Rx d 0"} << frame
            << QByteArray("(1733612401.000000) can0 123# R");
        QTest::newRow("German names, summer time, no weekday")
            << QByteArrayList{"date Okt 23 10:22:32.125 2024", "0.0 1 1 Rx d 0"} << frame
            << QByteArray("(1729671752.125000) can0 001# R");
        QTest::newRow("length code above 8: eight bytes")
            << With(Log2asc, {"0.0 1 123 Rx d F 01 02 03 04 05 06 07 08"}) << frame
            << QByteArray("(1733656400.000000) can0 123#0102030405060708 R");
    }
    void frames() { CompareLastLine<TAscLines>(); }

    void skipped_data()
    {
        AddLineColumns();
        const auto skipped = TLineVerdict::Skipped;
        QTest::newRow("empty") << QByteArrayList{""} << skipped << QByteArray();
        QTest::newRow("blanks") << QByteArrayList{" \t "} << skipped << QByteArray();
        QTest::newRow("comment") << QByteArrayList{"// version 13.0.0"} << skipped << QByteArray();
        QTest::newRow("head") << PythonCan << skipped << QByteArray();
        QTest::newRow("error frame")
            << With(PythonCan, {" 0.277000 1  ErrorFrame"}) << skipped << QByteArray();
        QTest::newRow("error frame with flags")
            << With(PythonCan, {" 0.277000 1  ErrorFrame ECC: 10100010"}) << skipped
            << QByteArray();
        QTest::newRow("CAN FD") << With(
            PythonCan, {" 0.377000 CANFD   1 Rx        123                             "
                        "      0 0 9 12 00 00 00 00 00 00 00 00 00 00 00 00        0   "
                        " 0     1000        0        0        0        0        0"})
                                << skipped << QByteArray();
        QTest::newRow("chip status")
            << With(PythonCan, {"   1.0 1  Status:chip status error active"}) << skipped
            << QByteArray();
        QTest::newRow("J1939 transport")
            << With(PythonCan, {"   1.0 1  J1939TP FEE3p 6 0 0 - Rx d 23 A0 0F A6 60 3B D1"})
            << skipped << QByteArray();
        QTest::newRow("transmit request")
            << With(PythonCan, {"   1.0 1  123 TxRq d 1 00"}) << skipped << QByteArray();
        QTest::newRow("system variable")
            << With(PythonCan, {"   1.0 SV: 5 0 1 ::Var = 1"}) << skipped << QByteArray();
        QTest::newRow("end") << With(PythonCan, {"End TriggerBlock"}) << skipped << QByteArray();
    }
    void skipped() { CompareLastLine<TAscLines>(); }

    void damaged_data()
    {
        AddLineColumns();
        const auto damaged = TLineVerdict::Damaged;
        QTest::newRow("unknown line") << QByteArrayList{"hello"} << damaged << QByteArray();
        QTest::newRow("bad time") << With(PythonCan, {"0.0x 1 123 Rx d 1 00"}) << damaged
                                  << QByteArray();
        QTest::newRow("seven decimals")
            << With(PythonCan, {"0.0000001 1 123 Rx d 1 00"}) << damaged << QByteArray();
        QTest::newRow("time alone") << With(PythonCan, {"0.1"}) << damaged << QByteArray();
        QTest::newRow("cut after the identifier")
            << With(PythonCan, {"0.1 1 18FECE47x"}) << damaged << QByteArray();
        QTest::newRow("cut in the bytes")
            << With(PythonCan, {"0.1 1 18FECE47x Rx d 8 00 23 28"}) << damaged << QByteArray();
        QTest::newRow("cut before the length")
            << With(PythonCan, {"0.1 1 123 Rx d"}) << damaged << QByteArray();
        QTest::newRow("bad identifier")
            << With(PythonCan, {"0.1 1 18FECE4Gx Rx d 0"}) << damaged << QByteArray();
        QTest::newRow("standard past 7FF")
            << With(PythonCan, {"0.1 1 800 Rx d 0"}) << damaged << QByteArray();
        QTest::newRow("extended past 29 bits")
            << With(PythonCan, {"0.1 1 20000000x Rx d 0"}) << damaged << QByteArray();
        QTest::newRow("unknown kind")
            << With(PythonCan, {"0.1 1 123 Rx x 0"}) << damaged << QByteArray();
        QTest::newRow("three hex digits")
            << With(PythonCan, {"0.1 1 123 Rx d 1 1FF"}) << damaged << QByteArray();
        QTest::newRow("decimal byte past 255")
            << QByteArrayList{"base dec timestamps absolute", "0.1 1 291 Rx d 1 256"} << damaged
            << QByteArray();
        QTest::newRow("unknown month")
            << QByteArrayList{"date Sun Dex 8 12:13:20 2024"} << damaged << QByteArray();
        QTest::newRow("no such day")
            << QByteArrayList{"date Fri Feb 30 12:13:20 2024"} << damaged << QByteArray();
        QTest::newRow("hour 13 PM")
            << QByteArrayList{"date Sun Dec 8 13:13:20 PM 2024"} << damaged << QByteArray();
        QTest::newRow("trigger block at 25 o'clock")
            << QByteArrayList{"Begin Triggerblock Sun Dec 8 25:13:20 2024"} << damaged
            << QByteArray();
        QTest::newRow("octal base") << QByteArrayList{"base oct"} << damaged << QByteArray();
        QTest::newRow("odd timestamps")
            << QByteArrayList{"base hex timestamps sometimes"} << damaged << QByteArray();
    }
    void damaged() { CompareLastLine<TAscLines>(); }
};

QTEST_GUILESS_MAIN(tst_uAscLines)
#include "tst_uAscLines.moc"
