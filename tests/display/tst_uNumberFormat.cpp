#include "base/uNumberFormat.h"

#include <QtTest>

class tst_uNumberFormat : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void latinDigitsWithTheLocalesSeparator_data();
    void latinDigitsWithTheLocalesSeparator();
    void asQtWritesIt_data();
    void asQtWritesIt();
    void everyDecodedValueAsQtWritesIt();
};

void tst_uNumberFormat::latinDigitsWithTheLocalesSeparator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");  // of -1213.71 with two decimals
    QTest::newRow("Egyptian Arabic") << "ar_EG"
                                     << "-1213٫71";
    QTest::newRow("Persian") << "fa_IR"
                             << "-1213٫71";
    QTest::newRow("Bengali") << "bn_BD"
                             << "-1213.71";
    QTest::newRow("Marathi") << "mr_IN"
                             << "-1213.71";
    QTest::newRow("Burmese") << "my_MM"
                             << "-1213.71";
    QTest::newRow("Moroccan Arabic, marked minus") << "ar_MA"
                                                   << "-1213,71";
    QTest::newRow("Urdu, marked minus") << "ur_PK"
                                        << "-1213.71";
    QTest::newRow("Polish") << "pl_PL"
                            << "-1213,71";
    QTest::newRow("German") << "de_DE"
                            << "-1213,71";
    QTest::newRow("English") << "en_US"
                             << "-1213.71";
    QTest::newRow("C") << "C"
                       << "-1213.71";
}

void tst_uNumberFormat::latinDigitsWithTheLocalesSeparator()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(FormatFixed(-1213.71, 2, QLocale(locale)), text);
    // Readouts take the default locale; a change of it must reach them.
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(FormatFixed(-1213.71, 2), text);
}

// The log's numbers are written without Qt's number texts, for speed; their text stays Qt's.
void tst_uNumberFormat::asQtWritesIt_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative zero") << -0.0;
    QTest::newRow("small negative") << -0.001;
    QTest::newRow("half, eighths") << 0.125;
    QTest::newRow("negative half") << -0.625;
    QTest::newRow("half of a whole") << 2.5;
    QTest::newRow("just below a half") << 1.005;
    QTest::newRow("tiny") << 1e-300;
    QTest::newRow("large") << 123456789.125;
    QTest::newRow("past the fast way") << 1e20;
    QTest::newRow("infinite") << -qInf();
    QTest::newRow("not a number") << qQNaN();
}

void tst_uNumberFormat::asQtWritesIt()
{
    QFETCH(double, value);
    for (int decimals = 0; decimals <= 4; ++decimals) {
        QString text = QStringLiteral("x");
        AppendFixed(text, value, decimals, QStringLiteral(","));
        QCOMPARE(text, u'x' + QString::number(value, 'f', decimals).replace(u'.', u','));
    }
}

// Every value the frame decoding can give, with the decimals of the log and the readouts.
void tst_uNumberFormat::everyDecodedValueAsQtWritesIt()
{
    for (int decimals = 1; decimals <= 3; ++decimals) {
        for (int raw = 0; raw <= 0xFFFF; ++raw) {
            const auto s = qint16(raw);
            for (const double value : {raw / 100.0 - 90, s / 100.0, s / 1000.0, s / 10.0,
                                       raw / 256.0, (raw % 256 - 100) / 100.0}) {
                if (FormatFixedWithSeparator(value, decimals, QStringLiteral("."))
                    != QString::number(value, 'f', decimals))
                    QFAIL(qPrintable(QStringLiteral("%1 with %2 decimals")
                                         .arg(value, 0, 'g', 17)
                                         .arg(decimals)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(tst_uNumberFormat)
#include "tst_uNumberFormat.moc"
