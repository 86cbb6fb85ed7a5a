#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The report as a batch over SSH runs it: the program as installed, with no display at all.
class tst_ReportCommand : public QObject
{
    Q_OBJECT
private slots:
    void runsWithoutADisplay_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("a log") << QByteArray(
            "Data wykonania bada\xF1;10.12.2026\r\n\r\nFirmware;\r\n\r\n"
            "LP;GODZINA;PREDKOSC LINIOWA [km/h];PREDKOSC KATOWA "
            "[\xB0/s];KAT X1 [\xB0];KAT Y1 [\xB0];PRZYSP X1 [g];"
            "PRZYSP Y1 [g];STATUS1;LTR1\r\n"
            "1;10:00:00;12,00;0,00;1,00;-2,00;0,10;0,20;00;0,300\r\n")
                               << 0 << "report: drive.pdf (1 sample)";
        QTest::newRow("not a log") << QByteArray("LP;TIME;SPEED\r\n1;2;3\r\n") << 1
                                   << "drive.csv: line 1: not a measurement log";
    }
    void runsWithoutADisplay()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QTemporaryDir folder;
        QFile log(folder.filePath(QStringLiteral("drive.csv")));
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write(content) == content.size());
        log.close();
        QProcess report;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        report.setProcessEnvironment(environment);
        report.setWorkingDirectory(folder.path());
        report.start(QStringLiteral(TELQAR_LOGGER_PATH), {"report", "drive.csv"});
        QVERIFY(report.waitForFinished(30000));
        const QString output =
            QString::fromLocal8Bit(report.readAllStandardOutput() + report.readAllStandardError());
        QCOMPARE(report.exitCode(), exitCode);
        QVERIFY2(output.contains(said), qPrintable(output));
        QCOMPARE(QFile::exists(folder.filePath(QStringLiteral("drive.pdf"))), exitCode == 0);
    }
};

QTEST_GUILESS_MAIN(tst_ReportCommand)
#include "tst_ReportCommand.moc"
