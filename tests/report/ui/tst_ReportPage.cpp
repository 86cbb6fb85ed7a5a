#include "base/uNumberFormat.h"
#include "report/ui/uReportPage.h"
#include "report/ui/uReportWriter.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Ten minutes at a hundred records a second, level, and where asked one record whose LTR
// stands out: hundreds of records share each pixel column of the chart.
TDriveReport Drive(std::optional<double> peakAt)
{
    TDriveReport report;
    report.FileName = QStringLiteral("drive_007.csv");
    report.Log.Date = QStringLiteral("10.12.2026");
    report.Log.StartTime = QStringLiteral("10:00:00");
    report.Log.EndTime = QStringLiteral("10:09:59");
    report.Log.StartClock = 36000;
    for (int i = 0; i < 60000; ++i) {
        TDriveRecord record;
        record.Seconds = i / 100.0;
        record.Speed = 30;
        if (peakAt && i == int(*peakAt * 100))
            record.Ltr = 0.9;
        report.Log.Records.append(record);
    }
    report.Summary = SummariseDrive(report.Log.Records, report.Threshold);
    return report;
}

int LtrPixels(const TDriveReport &report)
{
    QImage image(ReportPage::Size.toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    ReportPage::Paint(painter, report, 0);
    painter.end();
    // A thin line is drawn lighter than its colour: pink is what counts.
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += pixel.red() > 220 && pixel.blue() > 150 && pixel.green() < 200;
        }
    return count;
}

}  // namespace

class tst_ReportPage : public QObject
{
    Q_OBJECT
private slots:
    // A single record between two columns' edges still rises to its height.
    void aPeakInsideAColumnIsDrawn()
    {
        const int level = LtrPixels(Drive(std::nullopt));
        const int peaked = LtrPixels(Drive(312.345));
        QVERIFY2(peaked > level + 40,
                 qPrintable(QStringLiteral("%1 vs %2").arg(peaked).arg(level)));
    }

    // The head and the extremes are text in the PDF, found by a text search or a copy.
    void thePdfReadsAsText()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("drive_007.pdf"));
        QString error;
        QVERIFY2(WriteDriveReport(Drive(312.345), pdf, &error), qPrintable(error));
        QProcess text;
        text.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(20000));
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        const QString peak = FormatFixed(0.9, 3);
        for (const QString &expected :
             {QStringLiteral("Drive report: drive_007.csv"), QStringLiteral("10.12.2026"),
              QStringLiteral("10:00:00 – 10:09:59"), QStringLiteral("Completeness"),
              QStringLiteral("not known"), QStringLiteral("Largest magnitude"),
              QStringLiteral("Speed then [km/h]"), "LTR " + peak})
            QVERIFY2(read.simplified().contains(expected), qPrintable(expected + "\n" + read));

        const QString png = folder.filePath(QStringLiteral("drive_007.png"));
        QVERIFY(WriteDriveReport(Drive(std::nullopt), png, &error));
        QCOMPARE(QImage(png).size(), (ReportPage::Size * 150 / 72).toSize());
    }
};

QTEST_MAIN(tst_ReportPage)
#include "tst_ReportPage.moc"
