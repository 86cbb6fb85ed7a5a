#include "trace/uTraceReader.h"

#include "trace/uCandumpLine.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Write(const QTemporaryDir &folder, const QByteArray &content)
{
    static int files = 0;
    const QString path = folder.filePath(QStringLiteral("trace%1").arg(++files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The candump line of frame i of a long trace: identifiers and times count up.
QByteArray CountingLine(int i)
{
    TTraceFrame frame;
    frame.TimeUs = 1733656400000000 + qint64(i) * 10000;
    frame.Message.ID = quint32(i) & 0x1FFFFFFF;
    frame.Message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    frame.Message.LEN = 8;
    return Candump::Line(frame) + '\n';
}

struct TRead {
    QList<TTraceFrame> Frames;
    qint64 Damaged = 0;
    QList<qint64> DamagedLines;
};

TRead ReadAll(TTraceReader &reader)
{
    TRead read;
    TTraceFrame frame;
    while (reader.Next(frame))
        read.Frames << frame;
    read.Damaged = reader.DamagedCount();
    read.DamagedLines = reader.DamagedLines();
    return read;
}

}  // namespace

Q_DECLARE_METATYPE(TTraceFormat)

class tst_uTraceReader : public QObject
{
    Q_OBJECT
private slots:
    // The first lines tell the format, whatever the file's name; a damaged line among them
    // does not hide it.
    void tellsTheFormat_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<TTraceFormat>("format");
        QTest::addColumn<int>("frames");
        QTest::newRow("candump") << QByteArray("(1733656400.133000) can0 18FECE47#0023 R\n"
                                               "(1733656400.143000) can0 123#R T\n")
                                 << TTraceFormat::Candump << 2;
        QTest::newRow("candump, first line damaged")
            << QByteArray("(1733656400.13x000) can0 18FECE47#0023 R\n"
                          "(1733656400.143000) can0 123#R T\n")
            << TTraceFormat::Candump << 1;
        QTest::newRow("empty") << QByteArray() << TTraceFormat::Candump << 0;
        QTest::newRow("ASC, python-can")
            << QByteArray("date Sun Dec 08 12:13:20.123 PM 2024\n"
                          "base hex  timestamps absolute\n"
                          "internal events logged\n"
                          "Begin Triggerblock Sun Dec 08 12:13:20.123 PM 2024\n"
                          " 0.000000 Start of measurement\n"
                          " 0.000000 1  18FECE47x       Rx   d 8 00 23 28 23 28 64 64 32\n"
                          "End TriggerBlock\n")
            << TTraceFormat::Asc << 1;
        QTest::newRow("ASC without a head")
            << QByteArray("   0.010000 1  123             Rx   d 2 01 02\n") << TTraceFormat::Asc
            << 1;
        QTest::newRow("PCAN-View 2.1, CR LF, byte-order mark")
            << QByteArray("\xEF\xBB\xBF;$FILEVERSION=2.1\r\n;$STARTTIME=45634.5092606829\r\n"
                          ";$COLUMNS=N,O,T,B,I,d,R,L,D\r\n"
                          "      1        10.000 DT  1 18FECE47 Rx -  2    00 23\r\n")
            << TTraceFormat::Trc << 1;
        QTest::newRow("PCAN-View 1.0 without a version line")
            << QByteArray("     1)      1841  0001     1  00\n     2)      1842  0002     0\n")
            << TTraceFormat::Trc << 2;
    }

    void tellsTheFormat()
    {
        QFETCH(QByteArray, content);
        QFETCH(TTraceFormat, format);
        QFETCH(int, frames);
        QTemporaryDir folder;
        TTraceReader reader;
        QString error;
        QVERIFY2(reader.Open(Write(folder, content), &error), qPrintable(error));
        QCOMPARE(reader.Format(), format);
        QCOMPARE(ReadAll(reader).Frames.size(), frames);
        QCOMPARE(reader.BytesRead(), reader.Size());
    }

    void refusesWhatIsNoTrace_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("Data wykonania bada\xF1;08.12.2024\r\n\r\n");
        QTest::newRow("bytes") << QByteArray("\x7F"
                                             "ELF\x02\x01\x01\0\0\0",
                                             10);
    }

    void refusesWhatIsNoTrace()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = Write(folder, content);
        TTraceReader reader;
        QString error;
        QVERIFY(!reader.Open(path, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    }

    void missingFile()
    {
        TTraceReader reader;
        QString error;
        QVERIFY(!reader.Open(QStringLiteral("no-such-folder/drive.log"), &error));
        QVERIFY2(error.contains(QLatin1String("drive.log")), qPrintable(error));
    }

    // Damaged lines are passed over and numbered; a last line cut short is one of them.
    void countsDamagedLines()
    {
        QTemporaryDir folder;
        TTraceReader reader;
        QString error;
        QVERIFY(reader.Open(Write(folder, CountingLine(1) + "(1.0) can0 12#00\n" + CountingLine(3)
                                              + "\n" + "(1.0) can0 123#GG\n" + CountingLine(6)
                                              + "(1733656400.070000) can0 0000"),
                            &error));
        const TRead read = ReadAll(reader);
        QCOMPARE(read.Frames.size(), 3);
        QCOMPARE(read.Frames[2].Message.ID, 6u);
        QCOMPARE(read.DamagedLines, (QList<qint64>{2, 5, 7}));
        QCOMPARE(read.Damaged, 3);
        QCOMPARE(reader.LineNumber(), 7);
        QVERIFY(reader.Error().isEmpty());
    }

    void keepsTheFirstDamagedLineNumbers()
    {
        QByteArray content;
        for (int i = 1; i <= 1500; ++i)
            content += CountingLine(2 * i - 1) + "damage\n";
        QTemporaryDir folder;
        TTraceReader reader;
        QString error;
        QVERIFY(reader.Open(Write(folder, content), &error));
        const TRead read = ReadAll(reader);
        QCOMPARE(read.Frames.size(), 1500);
        QCOMPARE(read.Damaged, 1500);
        QCOMPARE(read.DamagedLines.size(), TTraceReader::KeptDamagedLines);
        QCOMPARE(read.DamagedLines.first(), 2);
        QCOMPARE(read.DamagedLines.last(), 2000);
    }

    // Lines cut by the blocks the file is read in come out whole, in order, and progress
    // reaches the size.
    void readsAcrossBlocks()
    {
        QByteArray content;
        int lines = 0;
        while (content.size() < 3 * TTraceReader::BlockSize + 1234)
            content += CountingLine(++lines);
        QTemporaryDir folder;
        TTraceReader reader;
        QString error;
        QVERIFY(reader.Open(Write(folder, content), &error));
        QCOMPARE(reader.Size(), content.size());
        TTraceFrame frame;
        int read = 0;
        bool progressed = false;
        while (reader.Next(frame)) {
            ++read;
            if (frame.Message.ID != quint32(read))
                QFAIL(qPrintable(
                    QStringLiteral("frame %1 has identifier %2").arg(read).arg(frame.Message.ID)));
            progressed =
                progressed || (reader.BytesRead() > 0 && reader.BytesRead() < reader.Size());
        }
        QCOMPARE(read, lines);
        QCOMPARE(reader.DamagedCount(), 0);
        QVERIFY(progressed);
        QCOMPARE(reader.BytesRead(), reader.Size());
    }

    // A line longer than a block is one damaged line; memory stays a block.
    void passesOverALineWithoutEnd()
    {
        const QByteArray endless(TTraceReader::BlockSize * 5 / 2, 'x');
        QTemporaryDir folder;
        TTraceReader reader;
        QString error;
        QVERIFY(reader.Open(
            Write(folder, CountingLine(1) + CountingLine(2) + endless + "\n" + CountingLine(4)),
            &error));
        const TRead read = ReadAll(reader);
        QCOMPARE(read.Frames.size(), 3);
        QCOMPARE(read.Frames[2].Message.ID, 4u);
        QCOMPARE(read.DamagedLines, QList<qint64>{3});
        QCOMPARE(reader.BytesRead(), reader.Size());
    }
};

QTEST_GUILESS_MAIN(tst_uTraceReader)
#include "tst_uTraceReader.moc"
