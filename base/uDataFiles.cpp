#include "base/uDataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

bool IsReadableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

}  // namespace

QStringList DataFoldersBeside(const QString &programFolder)
{
    // The build gives both relative to the program's folder ("../share/telqar-logger", "run").
    const QDir program(programFolder);
    return {QDir::cleanPath(program.filePath(QStringLiteral(TELQAR_DATA_FROM_PROGRAM))),
            QDir::cleanPath(program.filePath(QStringLiteral(TELQAR_RUN_FROM_PROGRAM)))};
}

QStringList DataFolders()
{
    if (!QCoreApplication::instance())
        return {};
    return DataFoldersBeside(QCoreApplication::applicationDirPath());
}

QString SampleFilePath(const QString &name, const QStringList &dataFolders)
{
    if (IsReadableFile(name))
        return name;
    for (const QString &folder : dataFolders) {
        const QString copy = QDir(folder).filePath(name);
        if (IsReadableFile(copy))
            return copy;
    }
    return name;
}
