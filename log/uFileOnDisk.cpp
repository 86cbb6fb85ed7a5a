#include "log/uFileOnDisk.h"

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#endif

bool StillUnderItsName(const QFileDevice &file)
{
#ifdef Q_OS_WIN
    // Windows refuses to delete or rename a file held open the way Qt holds it, so the name
    // can only go with its medium.
    return QFileInfo::exists(file.fileName());
#else
    struct stat held {};
    struct stat named {};
    if (fstat(file.handle(), &held) != 0)
        return true;  // nothing known; the write will tell
    if (stat(QFile::encodeName(file.fileName()).constData(), &named) != 0)
        return errno != ENOENT && errno != ENOTDIR;
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
#endif
}
