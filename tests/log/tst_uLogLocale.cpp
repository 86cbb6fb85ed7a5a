#include "log/uLogFormat.h"

#include <QStringEncoder>
#include <QtTest>

namespace {

TAcquisitionState SomeValues()
{
    TAcquisitionState state;
    state.Chassis.VehicleSpeed = 1213.71;
    state.Sensors[1] = TSensorSample{-0.1, 2.25, -0.33, 0.02, 0, -1.5, 0.5, 10, 0, 0, {}};
    state.Sensors[2] = TSensorSample{-45.5, 30, -1.25, 1.5, 0, 0, -0.75, 0x7F, 0, 0, {}};
    state.Sensors[3] = TSensorSample{30, -30, 0, 0, 0, 0, -1, 0xFF, 0, 0, {}};
    return state;
}

// Where Windows-1250 has no byte for a character, the encoder writes a replacement byte.
QString FirstUnwritable(const QStringList &texts)
{
    for (const QString &text : texts) {
        QStringEncoder windows1250("windows-1250");
        const QByteArray bytes = windows1250.encode(text);
        if (windows1250.hasError())
            return text;
    }
    return {};
}

}  // namespace

class tst_uLogLocale : public QObject
{
    Q_OBJECT
private slots:
    void recordNumbers_data();
    void recordNumbers();
    void time_data();
    void time();
    void timeOfEachRecord();
    void headDate_data();
    void headDate();
    void everyLocaleWritesWindows1250();
};

void tst_uLogLocale::recordNumbers_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("separator");
    QTest::newRow("Egyptian Arabic: no byte for ٫") << "ar_EG"
                                                    << ".";
    QTest::newRow("Saudi Arabic") << "ar_SA"
                                  << ".";
    QTest::newRow("Persian") << "fa_IR"
                             << ".";
    QTest::newRow("Bengali") << "bn_BD"
                             << ".";
    QTest::newRow("Marathi") << "mr_IN"
                             << ".";
    QTest::newRow("Moroccan Arabic, marked minus") << "ar_MA"
                                                   << ",";
    QTest::newRow("Urdu, marked minus") << "ur_PK"
                                        << ".";
    QTest::newRow("Polish") << "pl_PL"
                            << ",";
    QTest::newRow("German") << "de_DE"
                            << ",";
    QTest::newRow("English") << "en_US"
                             << ".";
    QTest::newRow("C") << "C"
                       << ".";
}

void tst_uLogLocale::recordNumbers()
{
    QFETCH(QString, locale);
    QFETCH(QString, separator);
    const QString line = LogRecordLine(1234, QStringLiteral("03:04:05"), SomeValues(), {true, true},
                                       QLocale(locale));
    QCOMPARE(line, QStringLiteral("1234;03:04:05;1213#71;-1#50;2#25;-0#10;0#02;-0#33;0A;0#500"
                                  ";30#00;-45#50;1#50;-1#25;7F;-0#750"
                                  ";-30#00;30#00;0#00;0#00;FF;-1#000")
                       .replace(QLatin1Char('#'), separator));
}

void tst_uLogLocale::time_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    const QTime afternoon(13, 4, 5);
    const QTime morning(3, 4, 5);
    QTest::newRow("Egyptian Arabic: no byte for م") << "ar_EG" << afternoon << "1:04:05 PM";
    QTest::newRow("Egyptian Arabic, morning") << "ar_EG" << morning << "3:04:05 AM";
    QTest::newRow("Saudi Arabic") << "ar_SA" << afternoon << "1:04:05 PM";
    QTest::newRow("Persian: no () left") << "fa_IR" << afternoon << "13:04:05";
    QTest::newRow("Bengali") << "bn_BD" << afternoon << "1:04:05 PM";
    QTest::newRow("Marathi") << "mr_IN" << morning << "3:04:05 AM";
    QTest::newRow("Polish") << "pl_PL" << afternoon << "13:04:05";
    QTest::newRow("German") << "de_DE" << morning << "03:04:05";
    QTest::newRow("English") << "en_US" << afternoon << "1:04:05 PM";
    QTest::newRow("English, midnight") << "en_US" << QTime(0, 0) << "12:00:00 AM";
    QTest::newRow("C") << "C" << afternoon << "13:04:05";
    QTest::newRow("Albanian: own markers, no comma left")
        << "sq_AL" << afternoon << "1:04:05 {pm}";
    QTest::newRow("Low German: quoted text kept") << "nds_DE" << afternoon << "Klock 13.04:05";
    QTest::newRow("Hong Kong Chinese: no [] left") << "zh_HK" << morning << "AM3:04:05";
    QTest::newRow("Japanese: the C locale's format") << "ja_JP" << afternoon << "13:04:05";
}

void tst_uLogLocale::time()
{
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QFETCH(QString, text);
    // A marker's words and letter case are the locale data's, which change between Qt
    // releases (Albanian: "E PASDITES" in 6.4, "e pasdites" in 6.8); the rule is what is kept.
    const QLocale own(locale);
    text.replace(QStringLiteral("{pm}"), own.pmText());
    QCOMPARE(LogTime(time, own).toCaseFolded(), text.toCaseFolded());
}

// The text of a record's time is made once a second, not once a record; it follows the
// second, the locale and a time that is none.
void tst_uLogLocale::timeOfEachRecord()
{
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(LogTime(QTime(13, 4, 5, 100), polish), QStringLiteral("13:04:05"));
    QCOMPARE(LogTime(QTime(13, 4, 5, 900), polish), QStringLiteral("13:04:05"));
    QCOMPARE(LogTime(QTime(13, 4, 6, 0), polish), QStringLiteral("13:04:06"));
    QCOMPARE(LogTime(QTime(13, 4, 6, 1), english), QStringLiteral("1:04:06 PM"));
    QCOMPARE(LogTime(QTime(13, 4, 6, 2), polish), QStringLiteral("13:04:06"));
    QCOMPARE(LogTime(QTime(0, 0), polish), QStringLiteral("00:00:00"));
    QCOMPARE(LogTime(QTime(), polish), polish.toString(QTime(), QStringLiteral("HH:mm:ss")));
    QCOMPARE(LogTime(QTime(0, 0, 0, 500), polish), QStringLiteral("00:00:00"));
}

void tst_uLogLocale::headDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");  // 2 January 2024
    QTest::newRow("English: short format has yy") << "en_US"
                                                  << "1/2/2024";
    QTest::newRow("German: short format has yy") << "de_DE"
                                                 << "02.01.2024";
    QTest::newRow("Polish") << "pl_PL"
                            << "2.01.2024";
    QTest::newRow("Korean: yy first") << "ko_KR"
                                      << "2024. 1. 2.";
    QTest::newRow("Egyptian Arabic: no direction marks") << "ar_EG"
                                                         << "2/1/2024";
    QTest::newRow("Saudi Arabic") << "ar_SA"
                                  << "2/1/2024";
    QTest::newRow("Persian") << "fa_IR"
                             << "2024/1/2";
    QTest::newRow("Bengali") << "bn_BD"
                             << "2/1/2024";
    QTest::newRow("Marathi") << "mr_IN"
                             << "2/1/2024";
    QTest::newRow("C") << "C"
                       << "2 Jan 2024";
    QTest::newRow("Bulgarian: no byte for г") << "bg_BG"
                                              << "2 Jan 2024";
}

void tst_uLogLocale::headDate()
{
    QFETCH(QString, locale);
    QFETCH(QString, date);
    const QStringList head = LogHead(QDate(2024, 1, 2), {}, {}, QLocale(locale));
    QCOMPARE(head.value(0), QStringLiteral("Data wykonania badań;") + date);
}

void tst_uLogLocale::everyLocaleWritesWindows1250()
{
    const TAcquisitionState state = SomeValues();
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QVERIFY(locales.size() > 100);
    for (const QLocale &locale : locales) {
        QStringList texts =
            LogHead(QDate(2024, 12, 31), QStringLiteral("2.3"), {true, true}, locale);
        for (const QTime time : {QTime(0, 0), QTime(11, 59, 59), QTime(12, 0), QTime(23, 59, 59)}) {
            const QString text = LogTime(time, locale);
            QVERIFY2(!text.contains(QStringLiteral("()")) && !text.contains(QStringLiteral("[]"))
                         && !text.contains(QStringLiteral("  ")) && text == text.trimmed()
                         && !text.endsWith(QLatin1Char(',')),
                     qPrintable(locale.name() + QStringLiteral(": ") + text));
            texts << text << LogRecordLine(1, text, state, {true, true}, locale);
        }
        const QString unwritable = FirstUnwritable(texts);
        QVERIFY2(unwritable.isEmpty(),
                 qPrintable(locale.name() + QStringLiteral(": ") + unwritable));
    }
}

QTEST_GUILESS_MAIN(tst_uLogLocale)
#include "tst_uLogLocale.moc"
