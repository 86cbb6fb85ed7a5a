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

QString InstalledDataFolder()
{
    if (!QCoreApplication::instance())
        return {};
    // The build gives the data folder relative to the program's ("../share/telqar-logger").
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                           + QStringLiteral(TELQAR_DATA_FROM_PROGRAM));
}

QString SampleFilePath(const QString &name, const QString &installedFolder)
{
    if (IsReadableFile(name) || installedFolder.isEmpty())
        return name;
    const QString installed = QDir(installedFolder).filePath(name);
    return IsReadableFile(installed) ? installed : name;
}
