#include "app/uCommands.h"

#include <QProcess>
#include <QtTest>

namespace {

struct TRun {
    int ExitCode = -1;
    QString Out, Err;
};

// telqar-logger as a user starts it; none of these cases may open a window.
TRun RunProgram(const QStringList &arguments)
{
    QProcess program;
    program.start(QStringLiteral(TELQAR_LOGGER_PATH), arguments);
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
        return {};
    }
    return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

// Nothing at all where nothing is expected.
bool Begins(const QString &text, const QString &start)
{
    return start.isEmpty() ? text.isEmpty() : text.startsWith(start);
}

}  // namespace

class tst_uCommands : public QObject
{
    Q_OBJECT
private slots:
    void chooseLaunch_data();
    void chooseLaunch();
    void program_data();
    void program();
};

void tst_uCommands::chooseLaunch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("handedOn");
    const int window = int(TLaunchKind::Window);
    const int unknown = int(TLaunchKind::UnknownCommand);
    // The window's start-up rule keeps everything it had: "D" in either case, and whatever
    // it ignores.
    QTest::newRow("nothing") << QStringList{} << window << "" << QStringList{};
    QTest::newRow("D") << QStringList{"D"} << window << "" << QStringList{};
    QTest::newRow("d after an option")
        << QStringList{"--can=sim", "d"} << window << "" << QStringList{};
    QTest::newRow("/D") << QStringList{"/D"} << window << "" << QStringList{};
    QTest::newRow("-d") << QStringList{"-d"} << window << "" << QStringList{};
    QTest::newRow("DD") << QStringList{"DD"} << window << "" << QStringList{};
    QTest::newRow("one letter") << QStringList{"x"} << window << "" << QStringList{};
    QTest::newRow("an option without value")
        << QStringList{"--can"} << window << "" << QStringList{};
    QTest::newRow("a word after D") << QStringList{"D", "record"} << window << "" << QStringList{};
    QTest::newRow("help") << QStringList{"--help"} << int(TLaunchKind::Help) << "--help"
                          << QStringList{};
    QTest::newRow("-h after an option") << QStringList{"--can=sim", "-h"} << int(TLaunchKind::Help)
                                        << "-h" << QStringList{"--can=sim"};
    QTest::newRow("version") << QStringList{"--version"} << int(TLaunchKind::Version) << "--version"
                             << QStringList{};
    QTest::newRow("-v") << QStringList{"-v"} << int(TLaunchKind::Version) << "-v" << QStringList{};
    QTest::newRow("a mistyped command")
        << QStringList{"recrod", "--can=sim"} << unknown << "recrod" << QStringList{"--can=sim"};
    QTest::newRow("a command after an option")
        << QStringList{"--can=sim", "record", "--seconds=5"} << int(TLaunchKind::Command)
        << "record" << QStringList{"--can=sim", "--seconds=5"};
    QTest::newRow("convert") << QStringList{"convert", "drive.log", "-o", "drive.csv"}
                             << int(TLaunchKind::Command) << "convert"
                             << QStringList{"drive.log", "-o", "drive.csv"};
    QTest::newRow("a command in capitals is D's rule")
        << QStringList{"RECORD"} << window << "" << QStringList{};
}

void tst_uCommands::chooseLaunch()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, kind);
    QFETCH(QString, command);
    QFETCH(QStringList, handedOn);
    const TLaunch launch = ChooseLaunch(arguments);
    QCOMPARE(int(launch.Kind), kind);
    QCOMPARE(launch.Command, command);
    QCOMPARE(launch.Arguments, handedOn);
}

void tst_uCommands::program_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");  // the start of standard output
    QTest::addColumn<QString>("err");  // the start of standard error
    QTest::newRow("help") << QStringList{"--help"} << 0
                          << "Usage: telqar-logger [D] [--can=BACKEND]\n"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "telqar-logger 0.1.0\n"
                             << "";
    QTest::newRow("record --help")
        << QStringList{"record", "--help"} << 0 << "Usage: telqar-logger record [options]\n"
        << "";
    QTest::newRow("record --version")
        << QStringList{"record", "--version"} << 0 << "telqar-logger 0.1.0\n"
        << "";
    QTest::newRow("record's usage error")
        << QStringList{"record", "--can=sim", "--bitrate=300"} << 2 << ""
        << "telqar-logger record: --bitrate=300: one of 1000, 800, 500, 250, 125, 100, 95.238, "
           "83.333, 50, 47.619, 33.333, 20, 10, 5 kbit/s, or the same in bit/s\nTry "
           "'telqar-logger record --help'.\n";
    QTest::newRow("record's unknown option")
        << QStringList{"record", "--can=sim", "--rate=5"} << 2 << ""
        << "telqar-logger record: Unknown option 'rate'.\n";
    QTest::newRow("convert --help")
        << QStringList{"convert", "--help"} << 0 << "Usage: telqar-logger convert [options] TRACE\n"
        << "";
    QTest::newRow("convert --version")
        << QStringList{"convert", "--version"} << 0 << "telqar-logger 0.1.0\n"
        << "";
    QTest::newRow("convert without a trace") << QStringList{"convert"} << 2 << ""
                                             << "telqar-logger convert: no trace given\n";
    QTest::newRow("unknown command")
        << QStringList{"recrod"} << 2 << ""
        << "telqar-logger: unknown command 'recrod'\nTry 'telqar-logger --help'.\n";
}

void tst_uCommands::program()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const TRun run = RunProgram(arguments);
    QCOMPARE(run.ExitCode, exitCode);
    QVERIFY2(Begins(run.Out, out), qPrintable(run.Out));
    QVERIFY2(Begins(run.Err, err), qPrintable(run.Err));
}

QTEST_GUILESS_MAIN(tst_uCommands)
#include "tst_uCommands.moc"
