#include "base/uDataFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_uDataFiles : public QObject
{
    Q_OBJECT
private slots:
    void workingFolderFirstThenInstalled_data();
    void workingFolderFirstThenInstalled();
    void dataFolderBesideTheProgram_data();
    void dataFolderBesideTheProgram();
};

namespace {

enum class TEntry { Nothing, File, Folder };
enum class TFrom { Working, Installed, Run };

void Put(TEntry entry, const QString &path)
{
    if (entry == TEntry::Folder)
        QVERIFY(QDir().mkdir(path));
    if (entry != TEntry::File)
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[opisy]\n");
}

}  // namespace

void tst_uDataFiles::workingFolderFirstThenInstalled_data()
{
    QTest::addColumn<TEntry>("inWorking");
    QTest::addColumn<TEntry>("inInstalled");
    QTest::addColumn<TEntry>("inRun");
    QTest::addColumn<bool>("foldersKnown");
    QTest::addColumn<TFrom>("expected");

    const auto no = TEntry::Nothing;
    const auto file = TEntry::File;
    const auto folder = TEntry::Folder;
    QTest::newRow("only the working folder's") << file << no << no << true << TFrom::Working;
    QTest::newRow("the user's own wins") << file << file << file << true << TFrom::Working;
    QTest::newRow("only the installed one") << no << file << no << true << TFrom::Installed;
    // Left as the relative name, so a missing file is missed as it always was.
    QTest::newRow("neither") << no << no << no << true << TFrom::Working;
    QTest::newRow("a folder of that name is no file")
        << folder << file << no << true << TFrom::Installed;
    QTest::newRow("no installed folder known") << no << file << file << false << TFrom::Working;
    QTest::newRow("only the build's run folder") << no << no << file << true << TFrom::Run;
    QTest::newRow("the installed one before the run folder")
        << no << file << file << true << TFrom::Installed;
    QTest::newRow("past a folder of that name") << no << folder << file << true << TFrom::Run;
}

void tst_uDataFiles::workingFolderFirstThenInstalled()
{
    QFETCH(TEntry, inWorking);
    QFETCH(TEntry, inInstalled);
    QFETCH(TEntry, inRun);
    QFETCH(bool, foldersKnown);
    QFETCH(TFrom, expected);

    QTemporaryDir working;
    QTemporaryDir installedFolder;
    QTemporaryDir runFolder;
    QVERIFY(working.isValid() && installedFolder.isValid() && runFolder.isValid());
    const QString name = QStringLiteral("opisy.ini");
    Put(inWorking, working.filePath(name));
    Put(inInstalled, installedFolder.filePath(name));
    Put(inRun, runFolder.filePath(name));

    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(working.path()));
    const QString path = SampleFilePath(
        name, foldersKnown ? QStringList{installedFolder.path(), runFolder.path()} : QStringList());
    QDir::setCurrent(before);

    const QString paths[] = {name, installedFolder.filePath(name), runFolder.filePath(name)};
    QCOMPARE(path, paths[int(expected)]);
}

// The folders the build put the programs and the sample files in, and the install rules will,
// as the test's environment names them (ctest sets it).
void tst_uDataFiles::dataFolderBesideTheProgram_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("dataFolder");

    QTest::newRow("built") << qEnvironmentVariable("TELQAR_BUILT_PROGRAM_DIR")
                           << qEnvironmentVariable("TELQAR_BUILT_DATA_DIR");
    QTest::newRow("installed") << qEnvironmentVariable("TELQAR_INSTALLED_PROGRAM_DIR")
                               << qEnvironmentVariable("TELQAR_INSTALLED_DATA_DIR");
}

void tst_uDataFiles::dataFolderBesideTheProgram()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, dataFolder);
    if (programFolder.isEmpty())
        QSKIP("run by ctest, which names the folders");

    QVERIFY2(DataFoldersBeside(programFolder).contains(QDir::cleanPath(dataFolder)),
             qPrintable(DataFoldersBeside(programFolder).join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(tst_uDataFiles)
#include "tst_uDataFiles.moc"
