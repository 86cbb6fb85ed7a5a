#include "app/uWindowProgram.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A copy of telqar-logger in a folder of its own, so that a test chooses what stands beside it.
struct TLauncherCopy {
    TLauncherCopy()
    {
        QVERIFY(Folder.isValid());
        QVERIFY(QFile::copy(QStringLiteral(TELQAR_LOGGER_PATH), Launcher));
    }

    // A window program that only writes down how it was started, one argument a line.
    void PutStandInBeside() const
    {
        QFile script(WindowProgramPath(Folder.path()));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\necho \"pid $$\"\nfor a in \"$@\"; do echo \"[$a]\"; done\nexit 7\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    }

    QTemporaryDir Folder;
    QString Launcher = Folder.filePath(QStringLiteral("telqar-logger"));
};

}  // namespace

class tst_uWindowProgram : public QObject
{
    Q_OBJECT
private slots:
    void quotedForWindows_data();
    void quotedForWindows();
    void theWindowTakesTheProcessWithItsArguments();
    void aMissingWindowProgramIsReported();
};

void tst_uWindowProgram::quotedForWindows_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("plain") << "--can=sim"
                           << "--can=sim";
    QTest::newRow("folder") << R"(C:\logs\a.log)"
                            << R"(C:\logs\a.log)";
    QTest::newRow("empty") << ""
                           << R"("")";
    QTest::newRow("blank") << "a b"
                           << R"("a b")";
    QTest::newRow("tab") << "a\tb"
                         << "\"a\tb\"";
    QTest::newRow("quote") << R"(a"b)"
                           << R"("a\"b")";
    QTest::newRow("backslash before quote") << R"(a\"b)"
                                            << R"("a\\\"b")";
    QTest::newRow("folder with blank") << R"(C:\My logs\)"
                                       << R"("C:\My logs\\")";
    QTest::newRow("inner backslashes") << R"(a\\b c)"
                                       << R"("a\\b c")";
}

void tst_uWindowProgram::quotedForWindows()
{
    QFETCH(QString, argument);
    QFETCH(QString, quoted);
    QCOMPARE(QuotedForWindowsCommandLine(argument), quoted);
}

// Same process, every argument as typed, the window's exit code: the caller cannot tell the
// window from the program it started.
void tst_uWindowProgram::theWindowTakesTheProcessWithItsArguments()
{
#ifdef Q_OS_WIN
    QSKIP("the stand-in window program is a shell script");
#endif
    TLauncherCopy copy;
    copy.PutStandInBeside();
    QProcess launcher;
    launcher.start(copy.Launcher, {"D", "--can=sim", "a b", "", "-qmljsdebugger=port:1"});
    QVERIFY(launcher.waitForStarted());
    const qint64 pid = launcher.processId();
    QVERIFY(launcher.waitForFinished(10000));
    QCOMPARE(launcher.exitCode(), 7);
    const QStringList lines = QString::fromLocal8Bit(launcher.readAllStandardOutput()).split('\n');
    QCOMPARE(lines.first(), QStringLiteral("pid %1").arg(pid));
    QCOMPARE(lines.mid(1),
             QStringList({"[D]", "[--can=sim]", "[a b]", "[]", "[-qmljsdebugger=port:1]", ""}));
}

void tst_uWindowProgram::aMissingWindowProgramIsReported()
{
    TLauncherCopy copy;
    QProcess launcher;
    launcher.start(copy.Launcher, {"--can=sim"});
    QVERIFY(launcher.waitForFinished(10000));
    QCOMPARE(launcher.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(launcher.readAllStandardError());
    QVERIFY2(error.contains(WindowProgramPath(copy.Folder.path())), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("No such file")), qPrintable(error));
}

QTEST_GUILESS_MAIN(tst_uWindowProgram)
#include "tst_uWindowProgram.moc"
