#include "app/uConvertCommand.h"

#include "trace/uCandumpLine.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

struct TRun {
    int Exit = -1;
    QString Out, Err;
};

TRun Run(const QStringList &arguments, bool terminal = false)
{
    TRun run;
    QTextStream out(&run.Out), err(&run.Err);
    run.Exit = RunConvertCommand(arguments, {out, err, terminal});
    return run;
}

// Production samples of unit 1, 10 ms apart, as candump lines.
QByteArray Samples(int count)
{
    QByteArray lines;
    for (int i = 0; i < count; ++i) {
        TTraceFrame frame;
        frame.TimeUs = 1733656400000000 + qint64(i) * 10000;
        frame.Message.ID = 0x18FECE47;
        frame.Message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
        frame.Message.LEN = 8;
        lines += Candump::Line(frame) + '\n';
    }
    return lines;
}

void Write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

int RecordCount(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) - 5 : -1;
}

}  // namespace

class tst_uConvertCommand : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_folder.isValid());
        QVERIFY(QDir::setCurrent(m_folder.path()));
        Write(QStringLiteral("drive.log"), Samples(3));
        QFile::remove(QStringLiteral("drive.csv"));
        QDir().rmdir(QStringLiteral("drive.csv.part"));
    }

    void helpAndVersion()
    {
        const TRun help = Run({QStringLiteral("--help")});
        QCOMPARE(help.Exit, 0);
        QVERIFY2(
            help.Out.startsWith(QLatin1String("Usage: telqar-logger convert [options] TRACE\n")),
            qPrintable(help.Out));
        for (const char *text :
             {"--output", "--protocol", "--id3", "--chassis", "--every", "Exit codes", "TRACE"})
            QVERIFY2(help.Out.contains(QLatin1String(text)), text);
        // The version's text is the program's, as every command gives it (tst_uCommands).
        const TRun version = Run({QStringLiteral("--version")});
        QCOMPARE(version.Exit, 0);
        QVERIFY(!version.Out.isEmpty());
        QVERIFY(help.Err.isEmpty() && version.Err.isEmpty());
    }

    // What is wrong is said on standard error, with a hint to --help, and nothing is written.
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("no trace") << QStringList{} << "no trace given";
        QTest::newRow("two traces") << QStringList{"drive.log", "other.log"} << "one trace";
        QTest::newRow("unknown option") << QStringList{"drive.log", "--speed=5"} << "speed";
        QTest::newRow("no output name") << QStringList{"drive.log", "-o"} << "-o";
        QTest::newRow("bad unit option")
            << QStringList{"drive.log", "--protocol=demo"} << "--protocol=demo";
        QTest::newRow("the CSV would be the trace")
            << QStringList{"drive.log", "-o", "./drive.log"} << "replace the trace";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const TRun run = Run(arguments);
        QCOMPARE(run.Exit, 2);
        QVERIFY2(run.Err.contains(said) && run.Err.contains(QLatin1String("--help")),
                 qPrintable(run.Err));
        QVERIFY(run.Out.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("drive.csv")));
        QCOMPARE(QFileInfo(QStringLiteral("drive.log")).size(), Samples(3).size());
    }

    void defaultOutputBesideTheTrace()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("trip")));
        Write(QStringLiteral("trip/monday.drive.log"), Samples(4));
        const TRun run = Run({QStringLiteral("trip/monday.drive.log")});
        QCOMPARE(run.Exit, 0);
        QVERIFY2(run.Err.isEmpty(), qPrintable(run.Err));
        QCOMPARE(RecordCount(QStringLiteral("trip/monday.drive.csv")), 4);
        QCOMPARE(run.Out, QStringLiteral("trip/monday.drive.csv: 4 records\n"));
    }

    void unitOptionsApply()
    {
        const TRun run = Run({QStringLiteral("drive.log"), QStringLiteral("-o"),
                              QStringLiteral("slow.csv"), QStringLiteral("--every=32")});
        QCOMPARE(run.Exit, 0);
        QCOMPARE(RecordCount(QStringLiteral("slow.csv")), 0);
        QCOMPARE(run.Out, QStringLiteral("slow.csv: 0 records\n"));
        QCOMPARE(Run({QStringLiteral("drive.log"), QStringLiteral("--id1=18FECE48")}).Exit, 0);
        QCOMPARE(RecordCount(QStringLiteral("drive.csv")), 0);
    }

    void unreadableTraceOrUnwritableCsv_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("no trace file") << QStringList{"missing.log"} << "missing.log";
        QTest::newRow("no trace format") << QStringList{"notes.txt"} << "notes.txt";
        QTest::newRow("no folder for the CSV")
            << QStringList{"drive.log", "--output=no-such-folder/drive.csv"} << "drive.csv";
    }

    void unreadableTraceOrUnwritableCsv()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        Write(QStringLiteral("notes.txt"), "Shopping: bread, milk\n");
        const TRun run = Run(arguments);
        QCOMPARE(run.Exit, 1);
        QVERIFY2(run.Err.startsWith(QLatin1String("telqar-logger convert: "))
                     && run.Err.contains(said),
                 qPrintable(run.Err));
        QVERIFY(run.Out.isEmpty());
    }

    // The CSV beside a drive's trace is the drive's own log: kept unless --force, and then
    // replaced only by a whole conversion.
    void anExistingCsv_data()
    {
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("conversionFails");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("kept");
        QTest::newRow("kept without --force") << false << false << 1 << true;
        QTest::newRow("replaced with --force") << true << false << 0 << false;
        QTest::newRow("kept when the conversion fails") << true << true << 1 << true;
    }

    void anExistingCsv()
    {
        QFETCH(bool, force);
        QFETCH(bool, conversionFails);
        QFETCH(int, exitCode);
        QFETCH(bool, kept);
        const QByteArray own = "Data wykonania bada\xF1;10.12.2026\r\n";
        Write(QStringLiteral("drive.csv"), own);
        // What the conversion writes first cannot be made: a folder has its name.
        if (conversionFails)
            QVERIFY(QDir().mkdir(QStringLiteral("drive.csv.part")));
        QStringList arguments{QStringLiteral("drive.log")};
        if (force)
            arguments << QStringLiteral("--force");
        const TRun run = Run(arguments);
        QCOMPARE(run.Exit, exitCode);
        QCOMPARE(run.Out.isEmpty(), kept);
        if (!force)
            QVERIFY2(run.Err.contains(QLatin1String("drive.csv exists"))
                         && run.Err.contains(QLatin1String("-o OUT.csv"))
                         && run.Err.contains(QLatin1String("--force")),
                     qPrintable(run.Err));
        QFile csv(QStringLiteral("drive.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        if (kept)
            QCOMPARE(csv.readAll(), own);
        else
            QCOMPARE(RecordCount(csv.fileName()), 3);
        QCOMPARE(QFileInfo(QStringLiteral("drive.csv.part")).isDir(), conversionFails);
    }

    // Damaged lines are named with their numbers; the records of the others are written.
    void damagedLines()
    {
        Write(QStringLiteral("drive.log"), Samples(1) + "damage\n" + Samples(2) + "(1.x)\n");
        const TRun run = Run({QStringLiteral("drive.log")});
        QCOMPARE(run.Exit, 3);
        QCOMPARE(run.Err, QStringLiteral("drive.log:2: damaged line, passed over\n"
                                         "drive.log:5: damaged line, passed over\n"
                                         "drive.log: 2 damaged lines in all\n"));
        QCOMPARE(RecordCount(QStringLiteral("drive.csv")), 3);
        QCOMPARE(run.Out, QStringLiteral("drive.csv: 3 records\n"));
    }

    void manyDamagedLines()
    {
        Write(QStringLiteral("drive.log"), Samples(1) + QByteArray("damage\n").repeated(1200));
        const TRun run = Run({QStringLiteral("drive.log")});
        QCOMPARE(run.Exit, 3);
        const QStringList lines = run.Err.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1002);
        QCOMPARE(lines[999], QStringLiteral("drive.log:1001: damaged line, passed over"));
        QCOMPARE(lines[1000], QStringLiteral("drive.log: 200 more damaged lines passed over"));
        QCOMPARE(lines[1001], QStringLiteral("drive.log: 1200 damaged lines in all"));
    }

    // A large trace shows its progress on a terminal, never in a file or pipe.
    void progressBar()
    {
        QByteArray large = Samples(1000);
        large = large.repeated(int(ConvertProgressFromBytes / large.size()) + 1);
        Write(QStringLiteral("drive.log"), large);
        const TRun onTerminal = Run({QStringLiteral("drive.log")}, true);
        QCOMPARE(onTerminal.Exit, 0);
        QVERIFY2(onTerminal.Err.startsWith(QLatin1String("\rdrive.log ["))
                     && onTerminal.Err.endsWith(QLatin1String("] 100%\n")),
                 qPrintable(onTerminal.Err));
        // The bar stays on standard error; the result is one line of its own.
        QCOMPARE(onTerminal.Out, QStringLiteral("drive.csv: %1 records\n").arg(large.count('\n')));
        const TRun piped = Run({QStringLiteral("drive.log"), QStringLiteral("--force")});
        QCOMPARE(piped.Exit, 0);
        QVERIFY(piped.Err.isEmpty());

        Write(QStringLiteral("drive.log"), Samples(3));  // small: no bar
        QVERIFY(Run({QStringLiteral("drive.log"), QStringLiteral("--force")}, true).Err.isEmpty());
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(tst_uConvertCommand)
#include "tst_uConvertCommand.moc"
