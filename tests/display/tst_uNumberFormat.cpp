#include "base/uNumberFormat.h"

#include <QtTest>

class tst_uNumberFormat : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void latinDigitsWithTheLocalesSeparator_data();
    void latinDigitsWithTheLocalesSeparator();
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

QTEST_GUILESS_MAIN(tst_uNumberFormat)
#include "tst_uNumberFormat.moc"
