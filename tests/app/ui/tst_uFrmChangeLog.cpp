#include "app/uChangeLogText.h"
#include "app/ui/uFrmChangeLog.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

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
        QTest::newRow("lone CR and Unicode separators end lines") << true
                                                                  << QByteArray("a\rb\xe2\x80\xa8"
                                                                                "c\xe2\x80\xa9"
                                                                                "d\r\n")
                                                                  << QStringLiteral("a\nb\nc\nd");
        QTest::newRow("empty file is a load") << true << QByteArray() << QString();
        QTest::newRow("missing keeps shown") << false << QByteArray() << QStringLiteral("shown");

        // Lines of 500 "ą" (1000 bytes and a line end): the size limit falls inside a letter,
        // which must not turn the text into Windows-1250.
        const QByteArray line = QByteArray("\xc4\x85").repeated(500) + '\n';
        const int whole = int(ChangeLogMaxBytes / line.size());
        QStringList lines(whole, QString(500, QChar(0x0105)));
        QTest::newRow("over the limit: whole lines within it")
            << true << line.repeated(whole + 50) << lines.join(QLatin1Char('\n'));
        QTest::newRow("over the limit without a line end keeps shown")
            << true << QByteArray(ChangeLogMaxBytes + 1, 'x') << QStringLiteral("shown");

        // What the text edit is given stays small whatever the file holds.
        QTest::newRow("a long line is cut") << true << QByteArray(ChangeLogMaxBytes, 'x')
                                            << QString(ChangeLogMaxLineChars, QLatin1Char('x'));
        QTest::newRow("NUL bytes show as replacement characters")
            << true << QByteArray(3, '\0') + "\ta\n"
            << QString(3, QChar::ReplacementCharacter) + "\ta";
        QTest::newRow("paragraph separators count towards the line limit")
            << true << QByteArray("z\xe2\x80\xa9").repeated(ChangeLogMaxLines + 10)
            << QStringList(ChangeLogMaxLines, QStringLiteral("z")).join(QLatin1Char('\n'));
        QTest::newRow("the text edit's frame marks show as replacement characters")
            << true
            << QByteArray("a\xef\xb7\x90"
                          "b\xef\xb7\x91")
            << QStringLiteral("a\uFFFDb\uFFFD");
        QTest::newRow("lines past the limit are left out")
            << true << QByteArray("z\n").repeated(ChangeLogMaxLines + 10)
            << QStringList(ChangeLogMaxLines, QStringLiteral("z")).join(QLatin1Char('\n'));
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

#ifdef Q_OS_UNIX
    // Opening a named pipe would wait for a writer for ever.
    void aNamedPipeIsNotRead()
    {
        QFile::remove(QStringLiteral("pipe.txt"));
        QCOMPARE(mkfifo("pipe.txt", 0600), 0);
        QCOMPARE(ReloadChangeLog(QStringLiteral("pipe.txt"), QStringLiteral("shown")),
                 QStringLiteral("shown"));
        QCOMPARE(ReloadChangeLog(QStringLiteral("."), QStringLiteral("shown")),
                 QStringLiteral("shown"));
    }
#endif

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
