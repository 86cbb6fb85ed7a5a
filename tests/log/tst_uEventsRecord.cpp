// The events record beside a log: its file.

#include "base/uDriveEvents.h"
#include "log/uEventsRecord.h"
#include "log/uLogFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class tst_uEventsRecord : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(QDir::setCurrent(m_folder.path())); }

    // Windows-1250 single bytes, CR LF, the head once, and an existing record appended to.
    void theLogsEncodingAndOneHead()
    {
        const QTime time(3, 4, 5);
        const QByteArray line = LogTime(time).toLatin1()
                                + ";speed source;pr\xEA"
                                  "dko\x9C\xE6 20\xB0\r\n";
        for (int run = 1; run <= 2; ++run) {
            TEventsRecord record;
            QString error;
            QVERIFY(record.Open(QStringLiteral("e.events.csv"), &error));
            record.Write(time, DriveEvent::SpeedSource, QStringLiteral("prędkość 20°"));
            QVERIFY(record.Close(&error));
        }
        QCOMPARE(Contents(QStringLiteral("e.events.csv")),
                 "GODZINA;ZDARZENIE;SZCZEG\xD3\xA3Y\r\n" + line + line);
    }

    void detailsStayOneField_data()
    {
        QTest::addColumn<QString>("details");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("separator") << "a;b;" << QByteArray("a,b,");
        QTest::newRow("CR LF") << "line 1\r\nline 2" << QByteArray("line 1  line 2");
        QTest::newRow("LF, CR alone") << "a\nb\rc" << QByteArray("a b c");
    }

    void detailsStayOneField()
    {
        QFETCH(QString, details);
        QFETCH(QByteArray, field);
        QFile::remove(QStringLiteral("d.events.csv"));
        TEventsRecord record;
        QString error;
        QVERIFY(record.Open(QStringLiteral("d.events.csv"), &error));
        record.Write(QTime(3, 4, 5), DriveEvent::BusError, details);
        QVERIFY(record.Close(&error));
        const QList<QByteArray> lines = Contents(QStringLiteral("d.events.csv")).split('\n');
        QCOMPARE(lines.size(), 3);  // head, event, nothing after the last line end
        QCOMPARE(lines[1], LogTime(QTime(3, 4, 5)).toLatin1() + ";bus error;" + field + "\r");
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(tst_uEventsRecord)
#include "tst_uEventsRecord.moc"
