#include "app/uChangeLogText.h"
#include "app/uFrmChangeLog.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestChangeLog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(m_folder.path())); }

    void reload_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8, CR LF, last line end")
            << true << QByteArray("Zmiany \xc4\x85\xc4\x99\r\nv2\r\n")
            << QStringLiteral("Zmiany ąę\nv2");
        QTest::newRow("Windows-1250")
            << true << QByteArray("\xb9\xea\xb3") << QStringLiteral("ąęł");
        QTest::newRow("empty file is a load") << true << QByteArray() << QString();
        QTest::newRow("missing keeps shown") << false << QByteArray() << QStringLiteral("shown");

        // Lines of 500 "ą" (1000 bytes and a line end): the size limit falls inside a letter,
        // which must not turn the text into Windows-1250.
        const QByteArray line = QByteArray("\xc4\x85").repeated(500) + '\n';
        const int whole = int(ChangeLogMaxBytes / line.size());
        QStringList lines(whole, QString(500, QChar(0x0105)));
        QTest::newRow("over the limit: whole lines within it")
            << true << line.repeated(whole + 50) << lines.join(QLatin1Char('\n'));
    }
    void reload()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString path = QStringLiteral("rule.txt");
        QFile::remove(path);
        if (present)
            WriteFile(path, bytes);
        QCOMPARE(ReloadChangeLog(path, QStringLiteral("shown")), text);
    }

    // The working folder's file is read at every showing; until one was read the six fallback
    // lines show, afterwards a failed read keeps the last text.
    void showings()
    {
        QFile::remove(QStringLiteral("changelog.txt"));
        TFrmChangeLog window;
        const auto show = [&window] {
            window.show();
            const QString shown = window.Memo1->toPlainText();
            window.hide();
            return shown;
        };
        const QString fallback =
            QStringLiteral("\n---\n\nFile 'changelog.txt' not present in current folder\n\n---");
        QCOMPARE(show(), fallback);

        WriteFile(QStringLiteral("changelog.txt"), "first\n");
        QCOMPARE(show(), QStringLiteral("first"));
        WriteFile(QStringLiteral("changelog.txt"), "second\n");
        QCOMPARE(show(), QStringLiteral("second"));
        QVERIFY(QFile::remove(QStringLiteral("changelog.txt")));
        QCOMPARE(show(), QStringLiteral("second"));
        QVERIFY(window.Memo1->isReadOnly());
    }

private:
    QTemporaryDir m_folder;
};

QTEST_MAIN(TestChangeLog)
#include "tst_uFrmChangeLog.moc"
