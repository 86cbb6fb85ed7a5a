#include "acquisition/uAcquisition.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uLoggingPage.h"
#include "app/ui/uWindowSet.h"
#include "display/ui/uChartPanel.h"
#include "settings/ui/uFrmSettings.h"
#include "speed/uDemoRun.h"
#include "widgets/uRadioGroup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QtTest>

#include <cmath>

namespace {

int Records(const QString &folder)
{
    const QStringList files = QDir(folder).entryList(QDir::Files);
    QFile file(folder + QLatin1Char('/') + files.value(0));
    file.open(QIODevice::ReadOnly);
    return int(file.readAll().count("\r\n")) - 5;  // less the head
}

struct TDemo {
    explicit TDemo(const QString &folder)
    {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        Main.Session().Log.LogFileName = folder + QStringLiteral("/demo.csv");
    }
    TWindowSet Windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &Main = *Windows.frmMain;
};

}  // namespace

class tst_DemoRun : public QObject
{
    Q_OBJECT
private slots:
    void generatorFollowsItsFormulas()
    {
        TSensorSample a, b;
        TDemoGenerator first(7), second(7);
        for (int i = 1; i <= 1500; ++i) {
            const double tiltY = a.TiltY;
            first.NextSample(i, a);
            second.NextSample(i, b);
            QVERIFY(std::abs(a.TiltY - tiltY) <= 0.52);
            QVERIFY(a.AccY == 0 || (a.AccY / a.TiltY >= 1.0 && a.AccY / a.TiltY < 1.5));
        }
        QCOMPARE(a.TiltY, b.TiltY);  // a seed gives the same run
        QCOMPARE(a.Temperature, 35.0);
        QCOMPARE(a.LTR, (std::sin(50.0) + 1) / 2);
        QVERIFY(std::abs(a.LTR - 0.3688) < 0.0001);
        QCOMPARE(a.FrameCounter, 1500 % 256);
    }

    // The run hands every sample to the sinks in order, the chart on the demo's own x, and
    // stops when asked between two samples.
    void runDrivesTheSinksAndStopsWhenAsked()
    {
        struct TCounter : TSampleSink {
            void SampleComplete(const TAcquisitionState &state,
                                const TSampleMoment &moment) override
            {
                Indices << moment.DemoIndex;
                LastTiltY = state.Sensors[1].TiltY;
            }
            QList<int> Indices;
            double LastTiltY = 0;
        } counter;
        TClock clock;
        TAcquisition acquisition(clock);
        TChartModel chart;
        acquisition.AddSink(chart);
        acquisition.AddSink(counter);
        RunDemo(acquisition, 300, 7, [] { return true; });
        QCOMPARE(counter.Indices.size(), 300);
        QCOMPARE(counter.Indices.last(), 300);
        QCOMPARE(chart.Points(csTiltY).last().x(), 3.0);
        TSensorSample expected;
        TDemoGenerator same(7);
        for (int i = 1; i <= 300; ++i)
            same.NextSample(i, expected);
        QCOMPARE(counter.LastTiltY, expected.TiltY);

        int left = 5;
        RunDemo(acquisition, 300, 7, [&left] { return --left > 0; });
        QCOMPARE(counter.Indices.size(), 305);
    }

    void chartRestartsOnSeriesZeroAndKeepsTheSampleNumber()
    {
        TChartModel chart;
        TSensorSample unit;
        for (int i = 0; i < 1400; ++i)
            chart.AppendChartSample(unit);
        for (int i = 1; i <= 1500; ++i) {
            chart.AppendDemoSample(i / 100.0, unit);
            if (i == 101)
                QCOMPARE(chart.Points(csTiltY).size(), 1501);
        }
        QCOMPARE(chart.ResetCount(), 1);
        QCOMPARE(chart.Points(csTiltY).first().x(), 1.02);   // sample 102, after the clearing
        QCOMPARE(chart.Points(csTemperature).size(), 1399);  // switched off, filled all the same
    }

    void oneWindowOfSamplesAndOneLog_data()
    {
        QTest::addColumn<bool>("slow");
        QTest::addColumn<bool>("samplesAxis");
        QTest::addColumn<int>("records");
        QTest::addColumn<double>("lastX");
        QTest::newRow("every record") << false << false << 500 << 5.0;
        QTest::newRow("every 32nd") << true << true << 15 << 500.0;
    }
    void oneWindowOfSamplesAndOneLog()
    {
        QFETCH(bool, slow);
        QFETCH(bool, samplesAxis);
        QFETCH(int, records);
        QFETCH(double, lastX);
        TDemo demo(QStringLiteral("demo"));
        demo.Windows.secondary.frmSettings->cbSlowSave->setChecked(slow);
        demo.Main.Pages().tsLogging->ChartPanel->cbOsXProbki->setChecked(samplesAxis);
        demo.Main.Pages().tsLogging->ChartPanel->rgSkalaCzasu->Item(0)->click();  // 5 s: 500 samples
        demo.Main.btnSymulacjaClick();
        QVERIFY(!demo.Main.Session().Log.LogActive());
        QCOMPARE(Records(QStringLiteral("demo")), records);
        for (int series = 0; series < ChartSeriesCount; ++series) {
            QCOMPARE(demo.Main.Chart().Points(series).size(), 500);
            QCOMPARE(demo.Main.Chart().Points(series).last().x(), lastX);
        }
        QCOMPARE(demo.Main.Chart().Points(csTiltY).first().x(), samplesAxis ? 1.0 : 0.01);
    }

    void closingDuringARunEndsItFirst()
    {
        TDemo demo(QStringLiteral("closing"));
        demo.Main.show();
        QTimer::singleShot(0, &demo.Main, &QWidget::close);  // arrives inside the run
        demo.Main.btnSymulacjaClick();
        QVERIFY(demo.Main.isVisible());  // not yet: the run had to end first
        QVERIFY(!demo.Main.Session().Log.LogActive());
        const int written = Records(QStringLiteral("closing"));
        QVERIFY(written > 0 && written < 1500);
        QTRY_VERIFY(!demo.Main.isVisible());
    }
};

QTEST_MAIN(tst_DemoRun)
#include "tst_DemoRun.moc"
