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
};

namespace {

enum class TInWorking { Nothing, File, Folder };

void WriteFile(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[opisy]\n");
}

}  // namespace

void tst_uDataFiles::workingFolderFirstThenInstalled_data()
{
    QTest::addColumn<TInWorking>("inWorking");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("installedFolderKnown");
    QTest::addColumn<bool>("expectInstalled");

    QTest::newRow("only the working folder's") << TInWorking::File << false << true << false;
    QTest::newRow("the user's own wins") << TInWorking::File << true << true << false;
    QTest::newRow("only the installed one") << TInWorking::Nothing << true << true << true;
    // Left as the relative name, so a missing file is missed as it always was.
    QTest::newRow("neither") << TInWorking::Nothing << false << true << false;
    QTest::newRow("a folder of that name is no file") << TInWorking::Folder << true << true << true;
    QTest::newRow("no installed folder known") << TInWorking::Nothing << true << false << false;
}

void tst_uDataFiles::workingFolderFirstThenInstalled()
{
    QFETCH(TInWorking, inWorking);
    QFETCH(bool, installed);
    QFETCH(bool, installedFolderKnown);
    QFETCH(bool, expectInstalled);

    QTemporaryDir working;
    QTemporaryDir installedFolder;
    QVERIFY(working.isValid() && installedFolder.isValid());
    const QString name = QStringLiteral("opisy.ini");
    if (inWorking == TInWorking::File)
        WriteFile(working.filePath(name));
    if (inWorking == TInWorking::Folder)
        QVERIFY(QDir(working.path()).mkdir(name));
    if (installed)
        WriteFile(installedFolder.filePath(name));

    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(working.path()));
    const QString path =
        SampleFilePath(name, installedFolderKnown ? installedFolder.path() : QString());
    QDir::setCurrent(before);

    QCOMPARE(path, expectInstalled ? installedFolder.filePath(name) : name);
}

QTEST_GUILESS_MAIN(tst_uDataFiles)
#include "tst_uDataFiles.moc"
