#include "log/uTraceConversion.h"

#include "support/uTraceRows.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// 12:13:20.000 on 8 December 2024, Polish time.
constexpr qint64 StartUs = 1733656400000000;

QByteArray FrameLine(qint64 timeUs, quint32 id, const QByteArray &hex, bool sent = false)
{
    TTraceFrame frame;
    frame.TimeUs = timeUs;
    frame.Message.ID = id;
    frame.Message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    const QByteArray data = QByteArray::fromHex(hex);
    frame.Message.LEN = quint8(data.size());
    std::copy(data.cbegin(), data.cend(), frame.Message.DATA);
    frame.Sent = sent;
    return Candump::Line(frame) + '\n';
}

QList<QByteArray> Lines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeLast();  // after the last line end
    return lines;
}

struct TConverted {
    bool Done = false;
    QString Error;
    QList<QByteArray> Lines;  // with their CR
};

TConverted Convert(const QByteArray &trace, TAcquisitionState state = {}, TLogUnits units = {},
                   bool everyThirtySecond = false)
{
    TLogSession log;
    log.Units = units;
    log.EveryThirtySecond = everyThirtySecond;
    QFile file(QStringLiteral("drive.log"));
    if (!file.open(QIODevice::WriteOnly) || file.write(trace) != trace.size())
        return {false, QStringLiteral("cannot write the trace"), {}};
    file.close();
    TTraceReader reader;
    TConverted converted;
    if (!reader.Open(file.fileName(), &converted.Error))
        return converted;
    converted.Done =
        ConvertTrace(reader, QStringLiteral("drive.csv"), state, log, nullptr, &converted.Error);
    converted.Lines = Lines(QStringLiteral("drive.csv"));
    return converted;
}

// A production sample: status 0A, tilts 12.34 and -5.67°, accelerations 0.12 and -0.05 g,
// LTR 0.5.
const QByteArray ProductionSample = "0A 27 FA 20 F1 70 5F 32";

}  // namespace

class tst_uTraceConversion : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        UsePolishTime();
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY(QDir::setCurrent(m_folder.path()));
    }

    // Byte for byte the file the log writes for the same samples at the same times.
    void writesWhatTheLogWrites()
    {
        const TConverted converted =
            Convert(FrameLine(StartUs + 5000, 0x18FECF10, "0019")
                    + FrameLine(StartUs + 10000, 0x18FECE47, ProductionSample)
                    + FrameLine(StartUs + 1010000, 0x18FECE47, ProductionSample));
        QVERIFY2(converted.Done, qPrintable(converted.Error));

        TLogSession live;
        TAcquisitionState state;
        QString error;
        QVERIFY(live.StartLoggingTo(QStringLiteral("live.csv"), state,
                                    QDateTime(QDate(2024, 12, 8), QTime(12, 13, 20, 5)), &error));
        state.Chassis.VehicleSpeed = 25;
        TSensorSample &unit = state.Sensors[1];
        unit = {-5.67, 12.34, -0.05, 0.12, 0, 0, 0.5, 0x0A, 0, 1, {}};
        live.SampleComplete(state, {QTime(12, 13, 20, 10)});
        unit.FrameCounter = 2;
        live.SampleComplete(state, {QTime(12, 13, 21, 10)});
        QVERIFY(live.StopLogging(&error));
        QCOMPARE(converted.Lines, Lines(QStringLiteral("live.csv")));
        // The trace holds no events: a record of them would only tell of the conversion.
        QCOMPARE(QDir().entryList({QStringLiteral("*.events.csv")}), QStringList());
        QCOMPARE(converted.Lines.size(), 7);
        QCOMPARE(converted.Lines[0], QByteArray("Data wykonania bada\xF1;8.12.2024\r"));
        QCOMPARE(converted.Lines[6],
                 QByteArray("2;12:13:21;25,00;0,00;12,34;-5,67;0,12;-0,05;0A;0,500\r"));
    }

    // Three test-protocol units: the head shows unit 1's firmware and every unit's columns; a
    // unit's record frame completes a sample only for unit 1.
    void testProtocol()
    {
        TAcquisitionState state;
        state.ProtocolEnv = TProtocolEnv::peTest;
        state.CanId1 = QStringLiteral("18FEDC10");
        state.CanId2 = QStringLiteral("18FEDC20");
        state.CanId3 = QStringLiteral("18FEDC30");
        state.ChassisCanId.clear();
        // Motion: tilts 1.00 and -2.00°, accelerations 1.000 and -0.500 g (unit 1) or 10.00
        // and -5.00 (units 2 and 3). Status: 21.5 °C, 3.5 °/s, firmware 2.3, LTR 0.25, status 81.
        const QByteArray motion = "0064 FF38 03E8 FE0C", status = "0866 0023 17 00FA 81";
        const TConverted converted = Convert(
            FrameLine(StartUs, 0x18FEDC20, motion) + FrameLine(StartUs, 0x18FEDC21, status)
                + FrameLine(StartUs, 0x18FEDC30, motion) + FrameLine(StartUs, 0x18FEDC10, motion)
                + FrameLine(StartUs + 999999, 0x18FEDC11, status)
                + FrameLine(StartUs + 1000000, 0x18FEDC10, "0000 0000 0000 0000"),
            state, {true, true});
        QVERIFY2(converted.Done, qPrintable(converted.Error));
        QCOMPARE(converted.Lines.size(), 6);
        QCOMPARE(converted.Lines[2], QByteArray("Firmware;2.3\r"));
        QVERIFY(converted.Lines[4].endsWith(";STATUS3;LTR3\r"));
        QCOMPARE(converted.Lines[5],
                 QByteArray("1;12:13:20;0,00;3,50;1,00;-2,00;1,00;-0,50;81;0,250;"
                            "1,00;-2,00;10,00;-5,00;81;0,250;"
                            "1,00;-2,00;10,00;-5,00;00;0,000\r"));
    }

    // The records of a trace: LP and GODZINA of each, the rest cut off.
    void records_data()
    {
        QTest::addColumn<QByteArray>("trace");
        QTest::addColumn<QString>("id1");
        QTest::addColumn<bool>("every32");
        QTest::addColumn<QByteArrayList>("records");
        const QByteArray sample = ProductionSample;
        QTest::newRow("sent frames are the program's own")
            << FrameLine(StartUs, 0x18FECE47, sample, true)
                   + FrameLine(StartUs + 1000, 0x18FECE47, sample)
            << "18FECE47" << false << QByteArrayList{"1;12:13:20"};
        QTest::newRow("other identifiers, damage, other lines")
            << FrameLine(StartUs, 0x18FECE48, sample) + "damage\n(1.0) can0 123##0\n"
                   + FrameLine(StartUs + 2000000, 0x18FECE47, sample)
            << "18FECE47" << false << QByteArrayList{"1;12:13:22"};
        QTest::newRow("identifier of the caller's choosing")
            << FrameLine(StartUs, 0x18FECE47, sample) + FrameLine(StartUs, 0x100, sample) << "100"
            << false << QByteArrayList{"1;12:13:20"};
        QTest::newRow("local time across midnight in summer")
            << FrameLine(1719784799500000, 0x18FECE47, sample)
                   + FrameLine(1719784800500000, 0x18FECE47, sample)
            << "18FECE47" << false << QByteArrayList{"1;23:59:59", "2;00:00:00"};
        QByteArray slow;
        for (int i = 0; i < 70; ++i)
            slow += FrameLine(StartUs + i * 100000, 0x18FECE47, sample);
        QTest::newRow("every 32nd sample")
            << slow << "18FECE47" << true << QByteArrayList{"1;12:13:23", "2;12:13:26"};
    }

    void records()
    {
        QFETCH(QByteArray, trace);
        QFETCH(QString, id1);
        QFETCH(bool, every32);
        QFETCH(QByteArrayList, records);
        TAcquisitionState state;
        state.CanId1 = id1;
        const TConverted converted = Convert(trace, state, {}, every32);
        QVERIFY2(converted.Done, qPrintable(converted.Error));
        QByteArrayList written;
        for (const QByteArray &line : converted.Lines.mid(5))
            written << line.first(line.indexOf(';', line.indexOf(';') + 1));
        QCOMPARE(written, records);
    }

    // The head's date is the first frame's, in local time.
    void headDate()
    {
        const TConverted converted =
            Convert(FrameLine(1719784799500000, 0x18FECF10, "0000")
                    + FrameLine(1719784800500000, 0x18FECE47, ProductionSample));
        QVERIFY2(converted.Done, qPrintable(converted.Error));
        QCOMPARE(converted.Lines.value(0), QByteArray("Data wykonania bada\xF1;30.06.2024\r"));
    }

    // A log appends to its file; a conversion writes it anew.
    void replacesTheFile()
    {
        const QByteArray trace = FrameLine(StartUs, 0x18FECE47, ProductionSample);
        QVERIFY(Convert(trace).Done);
        const TConverted again = Convert(trace);
        QVERIFY2(again.Done, qPrintable(again.Error));
        QCOMPARE(again.Lines.size(), 6);
    }

    void unwritableLog()
    {
        QFile::remove(QStringLiteral("drive.csv"));
        QVERIFY(QDir().mkdir(QStringLiteral("drive.csv")));  // a folder where the file goes
        const TConverted converted = Convert(FrameLine(StartUs, 0x18FECE47, ProductionSample));
        QVERIFY(!converted.Done);
        QVERIFY2(converted.Error.contains(QLatin1String("drive.csv")), qPrintable(converted.Error));
        QVERIFY(QDir().rmdir(QStringLiteral("drive.csv")));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(tst_uTraceConversion)
#include "tst_uTraceConversion.moc"
